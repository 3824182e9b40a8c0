#pragma once

#include "base/commandtable.h"

#include <QHash>
#include <QList>
#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

// The actions and menus one window makes of a set of the command table: one action per
// command, shared by every menu, pop-up menu and tool bar item that offers it.
class CommandActions : public QObject
{
    Q_OBJECT

public:
    // The commands a menu of the set offers that the set does not hold are the outer set's
    // actions (the frame's New, Open and Exit in a Workspace's File menu). Shortcuts take
    // context; those of commands marked as the text's own keys stay off the owner.
    CommandActions(const CommandTable::Set &set, QWidget *owner, Qt::ShortcutContext context,
                   const CommandActions *outer = nullptr);

    const CommandTable::Set &set() const { return m_set; }
    // The action of a command of this set or of the outer one; nullptr for none.
    QAction *action(const QString &id) const;
    QMenu *menu(const QString &id) const;
    // This set's own actions, in the table's order.
    const QList<QAction *> &actions() const { return m_actions; }
    // Every action the set's menus and tool bar offer: its own, then the outer ones they name.
    QList<QAction *> offered() const;
    // The menus of the menu bar, in bar order.
    QList<QMenu *> barMenus() const;

private:
    QAction *make(const CommandTable::Command &command, Qt::ShortcutContext context);
    void fill(QMenu *menu, const CommandTable::Menu &layout);

    const CommandTable::Set &m_set;
    const CommandActions *m_outer;
    QWidget *m_owner;
    QList<QAction *> m_actions;
    QHash<QString, QAction *> m_byId;
    QHash<QString, QMenu *> m_menus;
    QHash<int, QActionGroup *> m_groups;
};
