#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;

// The desktop's notification area as the tray icon sees it: one icon of ours to add, change
// and delete, and the clicks on it.
class TrayArea : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // True when the icon was added.
    virtual bool add(const QIcon &icon, const QString &tip) = 0;
    virtual void modify(const QIcon &icon, const QString &tip) = 0;
    virtual void remove() = 0;
    // The menu the desktop shows on a right-click, or none.
    virtual void setMenu(QMenu *menu) = 0;
    // Whether the desktop has a notification area at all just now.
    virtual bool available() const = 0;

Q_SIGNALS:
    void leftClicked();
    void rightClicked();
    void doubleClicked();
};
