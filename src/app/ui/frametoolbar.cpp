#include "frametoolbar.h"

#include "frameactions.h"

#include "base/ui/commandactions.h"
#include "toolbar/ui/commandbar.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>

FrameToolBar::FrameToolBar(QWidget *frame, const FrameActions &actions)
    : m_bar(new TSpeedBar(frame))
{
    m_bar->setObjectName(QStringLiteral("barTool"));
    const QList<TSpeedItem *> items = CommandBar::fill(m_bar, actions.commands());
    const QList<CommandTable::ToolItem> &rows = actions.commands().set().toolBar;
    for (int i = 0; i < items.size(); ++i) {
        const CommandTable::ToolItem &row = rows.at(i);
        m_items.append({row.name, row.section, row.caption, row.hint, row.onBar,
                        items.at(i)->action(), items.at(i), items.at(i)->button()});
    }
}

const FrameToolBar::Item *FrameToolBar::item(const QString &name) const
{
    for (const Item &entry : m_items) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}
