#include "commandactions.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace {

QList<QKeySequence> keysOf(const CommandTable::Command &command)
{
    QList<QKeySequence> own;
    for (const QString &text : command.keys)
        own.append(QKeySequence(text, QKeySequence::PortableText));
    if (command.standard == CommandTable::StandardKeys::None)
        return own;
    QList<QKeySequence> keys = QKeySequence::keyBindings(
            command.standard == CommandTable::StandardKeys::Undo ? QKeySequence::Undo
                                                                 : QKeySequence::Redo);
    // The desktop's first key alone where it answers ours already; else its keys and ours.
    const bool covered = std::all_of(own.cbegin(), own.cend(), [&keys](const QKeySequence &key) {
        return keys.contains(key);
    });
    if (covered)
        return keys.mid(0, 1);
    for (const QKeySequence &key : own) {
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}

} // namespace

CommandActions::CommandActions(const CommandTable::Set &set, QWidget *owner,
                               Qt::ShortcutContext context, const CommandActions *outer)
    : QObject(owner)
    , m_set(set)
    , m_outer(outer)
    , m_owner(owner)
{
    for (const CommandTable::Command &command : set.commands)
        m_actions.append(make(command, context));
    for (const CommandTable::ToolItem &item : set.toolBar) {
        // A command on the bar shows the button's caption and the item's hint as its tool-tip.
        if (QAction *action = m_byId.value(item.command)) {
            action->setIconText(item.caption);
            action->setToolTip(item.hint);
        }
    }
    // Every menu first, so that one may stand in another listed before it.
    for (const CommandTable::Menu &layout : set.menus) {
        auto *menu = new QMenu(layout.caption, owner);
        menu->setObjectName(layout.id);
        menu->menuAction()->setObjectName(layout.id);
        menu->menuAction()->setStatusTip(layout.hint);
        m_menus.insert(layout.id, menu);
    }
    for (const CommandTable::Menu &layout : set.menus)
        fill(m_menus.value(layout.id), layout);
}

QAction *CommandActions::make(const CommandTable::Command &command, Qt::ShortcutContext context)
{
    auto *action = new QAction(command.caption, this);
    action->setObjectName(command.id);
    const qsizetype bar = command.hint.indexOf(u'|');
    action->setStatusTip(bar < 0 ? command.hint : command.hint.mid(bar + 1));
    action->setToolTip(bar < 0 ? command.hint : command.hint.left(bar));
    action->setShortcuts(keysOf(command));
    action->setShortcutContext(context);
    action->setCheckable(command.flags & CommandTable::Command::Checkable);
    action->setChecked(command.flags & CommandTable::Command::Checked);
    action->setEnabled(!(command.flags & CommandTable::Command::StartsDisabled));
    if (command.group > 0) {
        QActionGroup *&group = m_groups[command.group];
        if (!group)
            group = new QActionGroup(this);
        group->addAction(action);
    }
    // Keys bound to the owner work while it has the focus; window-wide ones only while the
    // command's menu stands in the bar.
    if (context != Qt::WindowShortcut && !(command.flags & CommandTable::Command::TextKeys))
        m_owner->addAction(action);
    m_byId.insert(command.id, action);
    return action;
}

void CommandActions::fill(QMenu *menu, const CommandTable::Menu &layout)
{
    for (const QString &entry : layout.entries) {
        if (entry.startsWith(u'-')) {
            QAction *separator = menu->addSeparator();
            if (entry.size() > 1)
                separator->setObjectName(entry.mid(1));
        } else if (entry.startsWith(u'>')) {
            QMenu *sub = m_menus.value(entry.mid(1));
            Q_ASSERT(sub);
            sub->setParent(menu, sub->windowFlags());
            menu->addMenu(sub);
        } else {
            QAction *action = this->action(entry);
            Q_ASSERT(action);
            menu->addAction(action);
        }
    }
}

QAction *CommandActions::action(const QString &id) const
{
    if (QAction *own = m_byId.value(id))
        return own;
    return m_outer ? m_outer->action(id) : nullptr;
}

QMenu *CommandActions::menu(const QString &id) const
{
    return m_menus.value(id);
}

QList<QAction *> CommandActions::offered() const
{
    QList<QAction *> all = m_actions;
    const auto add = [this, &all](const QString &id) {
        QAction *action = this->action(id);
        if (action && !all.contains(action))
            all.append(action);
    };
    for (const CommandTable::Menu &layout : m_set.menus) {
        for (const QString &entry : layout.entries) {
            if (!entry.startsWith(u'-') && !entry.startsWith(u'>'))
                add(entry);
        }
    }
    for (const CommandTable::ToolItem &item : m_set.toolBar)
        add(item.command);
    return all;
}

QList<QMenu *> CommandActions::barMenus() const
{
    QList<QMenu *> menus;
    for (int i = 0; i < m_set.barMenus && i < m_set.menus.size(); ++i)
        menus.append(m_menus.value(m_set.menus.at(i).id));
    return menus;
}
