#include "workspaceprinter.h"

#include "base/apperror.h"
#include "base/errorhandler.h"
#include "base/topmostcontrol.h"
#include "controls/ui/pagedtextprinter.h"
#include "controls/ui/searchhitcolor.h"
#include "controls/ui/textview.h"
#include "workspace/ui/framecommands.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

WorkspacePrinter::WorkspacePrinter(TextView *view, FrameCommands *frame, TopmostControl *topmost,
                                   QWidget *window)
    : QObject(window)
    , m_view(view)
    , m_frame(frame)
    , m_topmost(topmost)
    , m_window(window)
{ }

int WorkspacePrinter::mniPrintClick()
{
    // Half a file is not the file: nothing prints until it has loaded (the view is read-only
    // meanwhile).
    if (m_view->isReadOnly())
        return 0;
    int pages = 0;
    ErrorHandler::run([&]() {
        TopmostDropped dropped(*m_topmost);
        QPrinter *printer = m_frame->printer();
        if (choosePrinter(printer))
            pages = print(printer);
    });
    return pages;
}

bool WorkspacePrinter::choosePrinter(QPrinter *printer)
{
    QPrintDialog dialog(printer, m_window);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    // The whole text or a range of its pages; a selection or the current page is not offered.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    printer->setPrintRange(QPrinter::AllPages);
    printer->setPageRanges({});
    const bool chosen =
            m_printDialogRunner ? m_printDialogRunner(dialog) : dialog.exec() == QDialog::Accepted;
    if (printer->printRange() != QPrinter::PageRange)
        printer->setPageRanges({});
    return chosen;
}

int WorkspacePrinter::print(QPrinter *printer)
{
    const QString title = m_window->window()->windowTitle();
    printer->setDocName(title);
    PagedTextPrinter paged(*m_view->document(), m_view->textFont(), m_view->logicalDpiY());
    paged.setTextColor(m_view->palette().color(QPalette::Text));
    // Paper is white whatever the screen's palette.
    paged.setHighlightColor(SearchHitColor(Qt::white));
    const int pages = paged.print(printer) ? paged.pageCount() : 0;
    if (pages == 0 && !printer->pageRanges().isEmpty()
        && printer->printerState() != QPrinter::Error)
        throw AppError(QStringLiteral("Nothing was printed: \"%1\" has no page in the range %2.")
                               .arg(title, printer->pageRanges().toString()));
    if (pages == 0 || printer->printerState() == QPrinter::Error)
        throw AppError(QStringLiteral("Cannot print \"%1\": the printer refused the job or one "
                                      "of its pages.")
                               .arg(title));
    return pages;
}

void WorkspacePrinter::mniPrintSetupClick()
{
    // The frame's own command keeps its dialog out from under a stay-on-top frame.
    m_frame->printerSetup();
}
