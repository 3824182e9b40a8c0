#include "stayontop.h"

#include <QAction>
#include <QWidget>
#include <QWindow>

StayOnTop::StayOnTop(QWidget *frame, QAction *option)
    : QObject(frame)
    , m_frame(frame)
    , m_option(option)
{
    // The check mark is the option, whoever turns it: the user, a stored setting or a dialog.
    connect(option, &QAction::toggled, this, &StayOnTop::reapply);
}

bool StayOnTop::isOn() const
{
    return m_option->isChecked();
}

bool StayOnTop::isTopmost() const
{
    return m_frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void StayOnTop::toggle()
{
    m_option->setChecked(!isOn());
}

void StayOnTop::dropTopmost()
{
    setTopmost(false);
}

void StayOnTop::restoreTopmost()
{
    if (isOn())
        setTopmost(true);
}

void StayOnTop::reapply()
{
    setTopmost(isOn());
}

void StayOnTop::switchOff()
{
    m_option->setChecked(false);
}

void StayOnTop::setTopmost(bool topmost)
{
    Qt::WindowFlags flags = m_frame->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
    if (flags == m_frame->windowFlags())
        return;
    // QWidget::setWindowFlags() would hide and re-create the window; instead record the flag on
    // the widget and tell the window system through the existing native window.
    m_frame->overrideWindowFlags(flags);
    if (QWindow *window = m_frame->windowHandle())
        window->setFlags(flags);
}
