#pragma once

#include "trayarea.h"

#include <QSystemTrayIcon>

// The desktop's own notification area, through QSystemTrayIcon.
class SystemTrayArea : public TrayArea
{
    Q_OBJECT

public:
    explicit SystemTrayArea(QObject *parent = nullptr);

    bool add(const QIcon &icon, const QString &tip) override;
    void modify(const QIcon &icon, const QString &tip) override;
    void remove() override;
    void setMenu(QMenu *menu) override;
    bool available() const override;

private:
    void activated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
};
