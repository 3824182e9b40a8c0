#include "workspaceprinter.h"

#include "app/apperror.h"
#include "app/errorhandler.h"
#include "controls/editcontrol.h"
#include "workspace/hosttopmostdropped.h"
#include "workspace/workspacehost.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

WorkspacePrinter::WorkspacePrinter(EditControl *edit, WorkspaceHost *host, QWidget *window)
    : QObject(window)
    , m_edit(edit)
    , m_host(host)
    , m_window(window)
{ }

int WorkspacePrinter::mniPrintClick()
{
    // Half a file is not the file: nothing prints until it has loaded.
    if (m_edit->loading())
        return 0;
    int pages = 0;
    ErrorHandler::run([&]() {
        HostTopmostDropped dropped(m_host);
        QPrinter *printer = m_host->printer();
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
    const int pages = m_edit->print(printer);
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
    m_host->printerSetup();
}
