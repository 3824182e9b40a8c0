#pragma once

#include <QList>
#include <QObject>

class QAction;
class QActionGroup;
class QMdiArea;
class QMenu;

// The Window menu's list of open Workspaces, below the menu's own commands: one entry per
// Workspace in the order they were opened, the active one checked; choosing one activates it.
class WindowMenu : public QObject
{
    Q_OBJECT

public:
    WindowMenu(QMenu *menu, QMdiArea *area);

    // Rebuilds the entries; runs each time the menu is about to open.
    void refresh();
    QList<QAction *> entries() const { return m_entries; }

private:
    void clearEntries();

    QMenu *m_menu;
    QMdiArea *m_area;
    QAction *m_separator = nullptr;
    QActionGroup *m_group;
    QList<QAction *> m_entries;
};
