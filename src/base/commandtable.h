#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Every command of the frame and of a Workspace, declared once: its name, caption, hint and
// keys, and the menus, pop-up menus and tool bar items that offer it. The frame and each
// Workspace build their actions, menus and bars from these rows; the help's coverage test and
// the shortcut test read them too.
namespace CommandTable {

// Keys that differ between desktops, taken from the desktop before a command's own.
enum class StandardKeys { None, Undo, Redo };

struct Command
{
    enum Flag {
        Checkable = 0x1,
        Checked = 0x2,
        StartsDisabled = 0x4,
        // The text answers these keys itself; the command only offers them in its menus.
        TextKeys = 0x8,
    };

    QString id = {};      // the action's object name, "mniSave"
    QString caption = {}; // "&Save"
    // "short|long": a tool-tip shows the short part, the status bar the long one.
    QString hint = {};
    // Portable key texts, "Ctrl+S". With standard keys: the desktop's first one where it has
    // these already, else all of the desktop's followed by these.
    QStringList keys = {};
    StandardKeys standard = StandardKeys::None;
    int flags = 0;
    int group = 0; // the commands of one group above 0 are checked one at a time
};

struct ToolItem
{
    QString name = {};    // the item's stored name, "btnSave"
    QString command = {}; // the command it runs, "mniSave"
    QString section = {}; // "File Menu"
    QString caption = {}; // under the glyph, "Save"
    QString hint = {};    // its long name in the customisation window and its tool-tip
    QString glyph = {};   // the glyph's name, "Save"
    bool onBar = true;    // stands on the bar until the user changes it
};

struct Menu
{
    QString id = {}; // the menu's object name, "mniFile"
    QString caption = {};
    QString hint = {};
    // Command ids in order; "-" is a separator ("-mniBar1" a named one), ">mniReopen" the
    // submenu of that id.
    QStringList entries = {};
};

// The commands one window makes actions of, its menus (those of its menu bar first, in bar
// order, then its submenus and pop-up menus) and its tool bar.
struct Set
{
    QList<Command> commands;
    QList<Menu> menus;
    int barMenus = 0; // how many of the menus stand in the menu bar
    QStringList sections = {};
    QList<ToolItem> toolBar;

    const Command *command(const QString &id) const;
    const Menu *menu(const QString &id) const;
};

// The frame's commands, its four menus, the tray menu and its tool bar.
const Set &frame();
// A Workspace's commands, menus, pop-up menu and tool bar. Its File menu also offers the
// frame's New, Open and Exit.
const Set &workspace();

} // namespace CommandTable
