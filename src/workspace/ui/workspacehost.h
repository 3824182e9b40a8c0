#pragma once

#include <QString>
#include <QStringList>

class CommandActions;
class QPrinter;
class SettingsStore;

// What a Workspace needs from the window that holds it. The main frame implements it; tests use
// a fake. Every Workspace reads these values when it needs them, never keeps a copy.
class WorkspaceHost
{
public:
    virtual ~WorkspaceHost() = default;

    // Around every modal dialog a Workspace shows (Save As, the close question, font, print...):
    // takes the frame out of the stay-on-top order and puts it back when the option is on.
    virtual void dropTopmost() = 0;
    virtual void restoreTopmost() = 0;
    // Re-applies the frame's Stay On Top state without changing the option (Workspace shown).
    virtual void reapplyStayOnTop() = 0;

    // The "Automatic Backups" option, read at each save.
    virtual bool automaticBackups() const = 0;

    // The Open/Save filter string: description and pattern pairs, every element separated by "|".
    virtual QString filterString() const = 0;
    // The default filter index as the frame keeps it: 1-based decimal text, converted strictly
    // where it is used.
    virtual QString filterIndexText() const = 0;

    // The folder the Open and Save As dialogs start in; also shown for an untitled Workspace.
    virtual QString openDirectory() const = 0;
    virtual void setOpenDirectory(const QString &directory) = 0;

    // Pushes a file onto the shared recent list.
    virtual void addRecentFile(const QString &path) = 0;
    // The shared recent and favourite lists, read whenever a Workspace rebuilds its submenus.
    virtual QStringList recentFiles() const = 0;
    virtual QStringList favoriteFiles() const = 0;
    // Opens the file in a new Workspace of the frame; false when it could not be read (the
    // error has been shown and the new Workspace stays, as after any failed open).
    virtual bool openInNewWorkspace(const QString &path) = 0;

    // The chosen date and time stamp rows as the frame stores them: decimal text, -1 for none.
    virtual QString dateIndexText() const = 0;
    virtual QString timeIndexText() const = 0;

    // The printer every Workspace prints on, as the frame's Printer Setup left it.
    virtual QPrinter *printer() = 0;
    virtual void printerSetup() = 0;

    // The frame's commands: a Workspace's File menu offers the frame's own New, Open and Exit.
    virtual const CommandActions &frameCommands() const = 0;

    // Copies the frame's current caption (which names the active maximised Workspace) to the
    // title the desktop shows for the program.
    virtual void refreshTaskbarTitle() = 0;

    // Before a window that stays open on its own (tool bar customisation): the frame leaves the
    // stay-on-top order for good, its option cleared.
    virtual void switchOffStayOnTop() { }

    // Where Workspaces keep their state and font between runs; none keeps nothing.
    virtual SettingsStore *settingsStore() const { return nullptr; }
};
