#include "frametray.h"

#include "controls/trxtrayicon.h"
#include "programicon.h"

#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

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
        QTimer::singleShot(0, m_frame, [frame = m_frame] {
            if (frame->isMinimized())
                frame->hide();
        });
    }
    return QObject::eventFilter(watched, event);
}
