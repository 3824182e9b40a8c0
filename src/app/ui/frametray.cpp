#include "frametray.h"

#include "controls/ui/trxtrayicon.h"
#include "programicon.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <utility>

FrameTray::FrameTray(QWidget *frame, QMenu *menu, TrayArea *area)
    : QObject(frame)
    , m_frame(frame)
    , m_icon(new TRxTrayIcon(this, area))
{
    m_icon->setObjectName(QStringLiteral("tryMain"));
    m_icon->setHint(QStringLiteral("Leafstack"));
    m_icon->setPopupMenu(menu);
    m_icon->setIcon(ProgramIcon::icon());
    frame->installEventFilter(this);
}

bool FrameTray::minimisesToTray() const
{
    return m_icon->isInTray();
}

bool FrameTray::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_frame)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Close && m_frame->isHidden()) {
        // Closed from the tray: back on the screen first, then closed the usual way, so a
        // question about unsaved text has its window and closing the frame ends the program.
        m_frame->showNormal();
        QTimer::singleShot(0, m_frame, &QWidget::close);
        event->ignore();
        return true;
    } else if (event->type() == QEvent::WindowStateChange && m_frame->isMinimized()
               && minimisesToTray()) {
        // Hidden once the minimise is done, so only the tray icon remains.
        QTimer::singleShot(0, m_frame, [this] {
            if (m_frame->isMinimized())
                hideToTray();
        });
    } else if (event->type() == QEvent::Show && !m_toolWindows.isEmpty()) {
        // Back from the tray: the Find or Replace window that was open comes back over it.
        QTimer::singleShot(0, m_frame, [windows = std::exchange(m_toolWindows, {})] {
            for (const QPointer<QWidget> &window : windows) {
                if (window) {
                    window->showNormal();
                    window->raise();
                }
            }
        });
    }
    return QObject::eventFilter(watched, event);
}

// The frame's own open windows (a Workspace's Find or Replace window) go with it.
void FrameTray::hideToTray()
{
    m_toolWindows.clear();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        const QWidget *owner = window->parentWidget();
        if (window != m_frame && window->isVisible() && owner && owner->window() == m_frame) {
            m_toolWindows.append(window);
            window->hide();
        }
    }
    m_frame->hide();
}
