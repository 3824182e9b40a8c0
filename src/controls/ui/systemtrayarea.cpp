#include "systemtrayarea.h"

#include <QMenu>

SystemTrayArea::SystemTrayArea(QObject *parent)
    : TrayArea(parent)
{
    connect(&m_icon, &QSystemTrayIcon::activated, this, &SystemTrayArea::activated);
}

bool SystemTrayArea::add(const QIcon &icon, const QString &tip)
{
    modify(icon, tip);
    m_icon.show();
    return m_icon.isVisible();
}

void SystemTrayArea::modify(const QIcon &icon, const QString &tip)
{
    m_icon.setIcon(icon);
    m_icon.setToolTip(tip);
}

void SystemTrayArea::remove()
{
    m_icon.hide();
}

void SystemTrayArea::setMenu(QMenu *menu)
{
    // The desktop shows the menu itself, where it would show any other tray menu.
    m_icon.setContextMenu(menu);
}

bool SystemTrayArea::available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayArea::activated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        emit leftClicked();
        break;
    case QSystemTrayIcon::DoubleClick:
        emit doubleClicked();
        break;
    case QSystemTrayIcon::Context:
        emit rightClicked();
        break;
    default:
        break;
    }
}
