#include "menumerger.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MenuMerger::MenuMerger(QMenuBar *bar, QList<QMenu *> frameMenus)
    : m_bar(bar)
    , m_frameMenus(std::move(frameMenus))
{ }

QList<QMenu *> MenuMerger::arrangement(const QList<QMenu *> &workspaceMenus) const
{
    QList<QMenu *> menus;
    for (QMenu *menu : workspaceMenus) {
        if (menu)
            menus.append(menu);
    }
    if (menus.isEmpty())
        return m_frameMenus;
    menus.append(m_frameMenus.mid(1));
    return menus;
}

void MenuMerger::merge(const QList<QMenu *> &workspaceMenus)
{
    QList<QAction *> wanted;
    for (QMenu *menu : arrangement(workspaceMenus))
        wanted.append(menu->menuAction());
    // Rebuilding an unchanged bar would only make it flicker on every activation.
    if (m_bar->actions() == wanted)
        return;
    m_bar->clear();
    m_bar->addActions(wanted);
}
