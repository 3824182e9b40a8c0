#pragma once

#include <QList>

class QMenu;
class QMenuBar;

// Puts the active Workspace's menus into the frame's menu bar: its File menu replaces the
// frame's, its other menus follow it, and the frame's remaining menus (Window, Options, Help)
// close the bar. With no Workspace the frame's own menus stand alone.
class MenuMerger
{
public:
    // frameMenus: the frame's File menu first, then the menus that always stay.
    MenuMerger(QMenuBar *bar, QList<QMenu *> frameMenus);

    // workspaceMenus: the Workspace's File menu first, then the menus it adds; empty for none.
    void merge(const QList<QMenu *> &workspaceMenus);

    // The menus the bar would show for these Workspace menus.
    QList<QMenu *> arrangement(const QList<QMenu *> &workspaceMenus) const;

private:
    QMenuBar *m_bar;
    QList<QMenu *> m_frameMenus;
};
