#pragma once

#include <QObject>

#include <functional>

class QPrintDialog;
class QPrinter;
class QWidget;
class TextView;
class FrameCommands;
class TopmostControl;

// Prints a Workspace's text on the frame's printer, all of it or the range of pages chosen in
// the print dialog, as one job named after the frame's caption, and opens the frame's printer
// set-up.
class WorkspacePrinter : public QObject
{
    Q_OBJECT

public:
    // Seam for tests: runs the prepared print dialog; true when the user chose to print.
    using PrintDialogRunner = std::function<bool(QPrintDialog &dialog)>;

    WorkspacePrinter(TextView *view, FrameCommands *frame, TopmostControl *topmost,
                     QWidget *window);

    void setPrintDialogRunner(PrintDialogRunner runner) { m_printDialogRunner = std::move(runner); }

    // Failures reach the error handler; returns the number of pages printed (0 when the dialog
    // was cancelled or printing failed).
    int mniPrintClick();
    void mniPrintSetupClick();

    // Prints the text on printer; throws AppError when the printer fails.
    int print(QPrinter *printer);

private:
    bool choosePrinter(QPrinter *printer);

    TextView *m_view;
    FrameCommands *m_frame;
    TopmostControl *m_topmost;
    QWidget *m_window;
    PrintDialogRunner m_printDialogRunner;
};
