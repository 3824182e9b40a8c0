#include "base/commandtable.h"

#include <QMap>
#include <QSet>
#include <QTest>

using namespace CommandTable;

namespace {

bool isSeparator(const QString &entry)
{
    return entry.startsWith(u'-');
}

bool isSubmenu(const QString &entry)
{
    return entry.startsWith(u'>');
}

// A command a menu entry names: the set's own, or for a Workspace the frame's.
const Command *resolve(const Set &set, const QString &id)
{
    if (const Command *own = set.command(id))
        return own;
    return &set == &workspace() ? frame().command(id) : nullptr;
}

// The commands a menu offers, its submenus' included.
void commandsOf(const Set &set, const Menu &menu, QList<const Command *> &into)
{
    for (const QString &entry : menu.entries) {
        if (isSeparator(entry))
            continue;
        if (isSubmenu(entry)) {
            if (const Menu *sub = set.menu(entry.mid(1)))
                commandsOf(set, *sub, into);
        } else if (const Command *command = resolve(set, entry)) {
            if (!into.contains(command))
                into.append(command);
        }
    }
}

// The keys of the commands in one window's menu bar and pop-up menus, as "key: ids" for each
// key that more than one command has.
QStringList doubleKeys(const QList<const Command *> &commands)
{
    QMap<QString, QStringList> owners;
    for (const Command *command : commands) {
        QStringList keys = command->keys;
        if (command->standard == StandardKeys::Undo)
            keys << QStringLiteral("<undo>");
        if (command->standard == StandardKeys::Redo)
            keys << QStringLiteral("<redo>");
        for (const QString &key : std::as_const(keys))
            owners[key].append(command->id);
    }
    QStringList doubles;
    for (auto it = owners.cbegin(); it != owners.cend(); ++it) {
        if (it.value().size() > 1)
            doubles << it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    }
    return doubles;
}

} // namespace

// The one table every action, menu and tool bar item is made from.
class TestCommandTable : public QObject
{
    Q_OBJECT

private slots:
    void idsAreUnique();
    void menuEntriesResolve_data();
    void menuEntriesResolve();
    void toolItemsResolve_data();
    void toolItemsResolve();
    void noKeyTwiceInOneWindow();
    void checkedGroupsAreCheckable();
};

void TestCommandTable::idsAreUnique()
{
    QSet<QString> commands;
    for (const Set *set : {&frame(), &workspace()}) {
        for (const Command &command : set->commands) {
            QVERIFY2(!command.id.isEmpty() && !command.caption.isEmpty(), qPrintable(command.id));
            QVERIFY2(!commands.contains(command.id), qPrintable(command.id));
            commands.insert(command.id);
        }
    }
    // A menu's name is its object's name: never one of a command of the same window.
    for (const Set *set : {&frame(), &workspace()}) {
        QSet<QString> menus;
        for (const Menu &menu : set->menus) {
            QVERIFY2(!menus.contains(menu.id), qPrintable(menu.id));
            QVERIFY2(!set->command(menu.id), qPrintable(menu.id));
            menus.insert(menu.id);
        }
    }
}

void TestCommandTable::menuEntriesResolve_data()
{
    QTest::addColumn<bool>("ofWorkspace");
    QTest::newRow("frame") << false;
    QTest::newRow("workspace") << true;
}

void TestCommandTable::menuEntriesResolve()
{
    QFETCH(bool, ofWorkspace);
    const Set *set = ofWorkspace ? &workspace() : &frame();
    QVERIFY(set->barMenus > 0 && set->barMenus <= set->menus.size());
    QMap<QString, int> placed; // how often each submenu stands in another menu
    QSet<QString> named;
    for (const Menu &menu : set->menus) {
        for (const QString &entry : menu.entries) {
            if (isSeparator(entry)) {
                if (entry.size() > 1) {
                    QVERIFY2(!named.contains(entry), qPrintable(entry));
                    named.insert(entry);
                }
            } else if (isSubmenu(entry)) {
                QVERIFY2(set->menu(entry.mid(1)), qPrintable(menu.id + " > " + entry));
                ++placed[entry.mid(1)];
            } else {
                QVERIFY2(resolve(*set, entry), qPrintable(menu.id + " > " + entry));
            }
        }
    }
    // The bar's menus stand in no other menu; every other menu stands in exactly one, or is a
    // pop-up menu of its own that no menu holds.
    for (int i = 0; i < set->menus.size(); ++i) {
        const Menu &menu = set->menus.at(i);
        const int expected = i < set->barMenus || menu.id.startsWith(QLatin1String("pum")) ? 0 : 1;
        QCOMPARE(placed.value(menu.id), expected);
    }
    // Every command stands in a menu.
    QList<const Command *> offered;
    for (const Menu &menu : set->menus)
        commandsOf(*set, menu, offered);
    for (const Command &command : set->commands)
        QVERIFY2(offered.contains(&command), qPrintable(command.id));
}

void TestCommandTable::toolItemsResolve_data()
{
    menuEntriesResolve_data();
}

void TestCommandTable::toolItemsResolve()
{
    QFETCH(bool, ofWorkspace);
    const Set *set = ofWorkspace ? &workspace() : &frame();
    QSet<QString> names;
    QSet<QString> used;
    for (const ToolItem &item : set->toolBar) {
        QVERIFY2(set->command(item.command), qPrintable(item.name + " runs " + item.command));
        QVERIFY2(set->sections.contains(item.section),
                 qPrintable(item.name + " in " + item.section));
        QVERIFY2(!item.caption.isEmpty() && !item.glyph.isEmpty(), qPrintable(item.name));
        QVERIFY2(!names.contains(item.name), qPrintable(item.name));
        names.insert(item.name);
        used.insert(item.section);
    }
    // No empty section: the customisation window lists each with its items.
    QCOMPARE(used.size(), set->sections.size());
}

void TestCommandTable::noKeyTwiceInOneWindow()
{
    const Set &f = frame();
    const Set &w = workspace();
    QList<const Command *> alone;
    for (const Menu &menu : f.menus)
        commandsOf(f, menu, alone);
    QCOMPARE(doubleKeys(alone), QStringList());

    // A Workspace's menus replace the frame's File menu; the frame's other menus stay.
    QList<const Command *> merged;
    for (const Menu &menu : w.menus)
        commandsOf(w, menu, merged);
    for (int i = 1; i < f.barMenus; ++i)
        commandsOf(f, f.menus.at(i), merged);
    QCOMPARE(doubleKeys(merged), QStringList());
    // The frame's keys that the Workspace keeps: the same commands, not twins.
    for (const char *id : {"mniNew", "mniOpen", "mniExit", "mniContents"})
        QVERIFY(merged.contains(f.command(QLatin1String(id))));
}

void TestCommandTable::checkedGroupsAreCheckable()
{
    for (const Set *set : {&frame(), &workspace()}) {
        QMap<int, int> checked;
        for (const Command &command : set->commands) {
            if (command.flags & Command::Checked)
                QVERIFY2(command.flags & Command::Checkable, qPrintable(command.id));
            if (command.group == 0)
                continue;
            QVERIFY2(command.flags & Command::Checkable, qPrintable(command.id));
            checked[command.group] += (command.flags & Command::Checked) ? 1 : 0;
        }
        // One of a group is checked from the start, as the pressed button of its bar group.
        for (const int count : std::as_const(checked))
            QCOMPARE(count, 1);
    }
}

QTEST_GUILESS_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
