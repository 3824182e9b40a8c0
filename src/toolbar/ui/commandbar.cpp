#include "commandbar.h"

#include "base/ui/commandactions.h"
#include "speedbarglyphs.h"
#include "tspeedbar.h"
#include "tspeeditem.h"

namespace CommandBar {

QList<TSpeedItem *> fill(TSpeedBar *bar, const CommandActions &actions)
{
    const CommandTable::Set &set = actions.set();
    for (const QString &section : set.sections)
        bar->AddSection(section);
    QList<TSpeedItem *> items;
    for (const CommandTable::ToolItem &entry : set.toolBar) {
        QAction *action = actions.action(entry.command);
        Q_ASSERT(action);
        TSpeedItem *item = bar->AddItem(bar->section(entry.section), entry.name, action,
                                        entry.caption, entry.hint, entry.onBar);
        item->setGlyph(SpeedbarGlyphs::icon(entry.glyph));
        if (const CommandTable::Command *command = set.command(entry.command))
            item->setGroupIndex(command->group);
        items.append(item);
    }
    return items;
}

} // namespace CommandBar
