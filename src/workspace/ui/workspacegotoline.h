#pragma once

#include <QDialog>
#include <QObject>

#include <functional>

class QAction;
class QSpinBox;
class TextView;
class TopmostControl;

// The small dialog of Go to Line: the line number, from 1 to the text's last line.
class GoToLineDialog : public QDialog
{
    Q_OBJECT

public:
    GoToLineDialog(qsizetype currentLine, qsizetype lineCount, QWidget *parent = nullptr);

    qsizetype line() const;
    QSpinBox *lineBox() const { return m_line; }

private:
    QSpinBox *m_line;
};

// Go to Line of one Workspace: Search > "Go to Line..." asks for a number, and the command
// line's FILE:LINE lands here too. The caret goes to the start of the line.
class WorkspaceGoToLine : public QObject
{
    Q_OBJECT

public:
    // Seam for tests: runs the prepared dialog; true when the user chose OK.
    using DialogRunner = std::function<bool(GoToLineDialog &dialog)>;

    WorkspaceGoToLine(TextView *view, QAction *command, TopmostControl *topmost, QWidget *window);

    void setDialogRunner(DialogRunner runner) { m_runner = std::move(runner); }

    void mniGoToLineClick();
    // Puts the caret at the start of line (from 1), kept within the text's lines; a text that
    // is still loading gets there once it has loaded.
    void goToLine(qsizetype line);

private:
    TextView *m_view;
    TopmostControl *m_topmost;
    QWidget *m_window;
    DialogRunner m_runner;
};
