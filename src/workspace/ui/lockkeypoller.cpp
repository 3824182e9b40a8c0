#include "lockkeypoller.h"

#include "controls/ui/textview.h"
#include "workspace/ui/workspacestatusbar.h"

#include <QTimer>

LockKeyPoller::LockKeyPoller(WorkspaceStatusBar *bar, TextView *view, QObject *parent)
    : QObject(parent)
    , m_bar(bar)
    , m_view(view)
    , m_timer(new QTimer(this))
    , m_reader(&KeyboardLocks::read)
{
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &LockKeyPoller::tick);
    m_timer->start();
}

void LockKeyPoller::tick()
{
    m_bar->setText(WorkspaceStatusBar::Insert,
                   m_view->overwriteMode() ? QStringLiteral("OVR") : QStringLiteral("INS"));
    const KeyLockState locks = m_reader();
    m_bar->setText(WorkspaceStatusBar::NumLock,
                   locks.numLock.value_or(false) ? QStringLiteral("NUM") : QString());
    m_bar->setText(WorkspaceStatusBar::CapsLock,
                   locks.capsLock.value_or(false) ? QStringLiteral("CAP") : QString());
}

void LockKeyPoller::stop()
{
    m_timer->stop();
}
