#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QMenu;
class QWidget;
class TRxTrayIcon;
class TrayArea;

// The frame's icon in the notification area, shown while the program runs, with the tray menu.
// Minimising the frame leaves only that icon: the frame is hidden until its menu's
// "Leafstack..." (or a double-click on the icon) brings it back. Where the desktop has no
// notification area, minimising stays plain minimising, so the window can always come back.
// The frame's open tool windows (Find, Replace) leave and come back with it.
class FrameTray : public QObject
{
    Q_OBJECT

public:
    // Without an area, the desktop's own.
    FrameTray(QWidget *frame, QMenu *menu, TrayArea *area = nullptr);

    TRxTrayIcon *tryMain() const { return m_icon; }
    // Whether a minimised frame goes into the notification area.
    bool minimisesToTray() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hideToTray();

    QWidget *m_frame;
    TRxTrayIcon *m_icon;
    QList<QPointer<QWidget>> m_toolWindows;
};
