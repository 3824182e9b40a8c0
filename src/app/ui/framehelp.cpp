#include "framehelp.h"

#include "helpwindow.h"
#include "stayontop.h"

#include <QDir>

FrameHelp::FrameHelp(StayOnTop &stayOnTop, const QString &programFolder)
    : m_stayOnTop(stayOnTop)
    , m_programFolder(programFolder)
{ }

FrameHelp::~FrameHelp() = default;

QString FrameHelp::helpFileName() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("leaf95.html"));
}

QString FrameHelp::readmeFileName() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("readme.txt"));
}

HelpWindow &FrameHelp::opened()
{
    m_stayOnTop.switchOff();
    if (!m_window)
        m_window = std::make_unique<HelpWindow>(helpFileName());
    return *m_window;
}

void FrameHelp::showContents()
{
    opened().showContents();
}

void FrameHelp::showIndex()
{
    opened().showIndex();
}

void FrameHelp::showHowToUse()
{
    opened().showHowToUse();
}

void FrameHelp::close()
{
    if (m_window)
        m_window->close();
    m_window.reset();
}
