#include "framedialogs.h"

#include "framesettings.h"
#include "preferences/ui/tfrmtools.h"
#include "stayontop.h"
#include "tfrmabout.h"
#include "toolbar/ui/tspeedbar.h"

#include <QPageSetupDialog>
#include <QPrinter>

FrameDialogs::FrameDialogs(QWidget *frame, StayOnTop &stayOnTop, FrameSettings &settings)
    : m_frame(frame)
    , m_stayOnTop(stayOnTop)
    , m_settings(settings)
{ }

FrameDialogs::~FrameDialogs() = default;

QPrinter *FrameDialogs::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return m_printer.get();
}

void FrameDialogs::printerSetup()
{
    TopmostDropped dropped(m_stayOnTop);
    QPageSetupDialog dialog(printer(), m_frame);
    dialog.setObjectName(QStringLiteral("dlgPrinterSetup"));
    dialog.exec();
}

void FrameDialogs::about()
{
    StayOnTopSuspended suspended(m_stayOnTop);
    TfrmAbout about(m_frame);
    about.exec();
}

void FrameDialogs::preferences()
{
    StayOnTopSuspended suspended(m_stayOnTop);
    FrameSettings &values = m_settings;
    TfrmTools preferences({values.dlgOpenFile(), values.lblFilter(), values.lblDate(),
                           values.lblTime(), &values.fileLists(), values.store()},
                          m_frame);
    preferences.exec();
}

void FrameDialogs::customize(TSpeedBar *bar)
{
    m_stayOnTop.switchOff();
    bar->Customize(0);
}
