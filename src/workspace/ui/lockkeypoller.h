#pragma once

#include "platform/ui/keyboardlocks.h"

#include <QObject>

#include <functional>

class QTimer;
class TextView;
class WorkspaceStatusBar;

// Samples the Insert mode and the Num Lock and Caps Lock keys once a second, for the status
// bar's three key panels: the desktop tells no program when a lock key changes elsewhere.
class LockKeyPoller : public QObject
{
    Q_OBJECT

public:
    // Seam for tests: reads the lock keys.
    using Reader = std::function<KeyLockState()>;

    LockKeyPoller(WorkspaceStatusBar *bar, TextView *view, QObject *parent);

    void setReader(Reader reader) { m_reader = std::move(reader); }
    // One sample now.
    void tick();
    void stop();

private:
    WorkspaceStatusBar *m_bar;
    TextView *m_view;
    QTimer *m_timer;
    Reader m_reader;
};
