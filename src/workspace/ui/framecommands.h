#pragma once

#include <QString>

class CommandActions;
class QPrinter;

// The frame's own commands as a Workspace reaches them: from its File menu, its Reopen and
// Favorite Files submenus, its printing and its caption.
class FrameCommands
{
public:
    virtual ~FrameCommands() = default;

    // The frame's actions: a Workspace's File menu offers the frame's own New, Open and Exit.
    virtual const CommandActions &frameCommands() const = 0;
    // Opens the file in a new Workspace of the frame; false when it could not be read: the
    // error has been shown and the Workspace made for it closed again.
    virtual bool openInNewWorkspace(const QString &path) = 0;

    // The printer every Workspace prints on, as the frame's Printer Setup left it.
    virtual QPrinter *printer() = 0;
    virtual void printerSetup() = 0;

    // Copies the frame's current caption (which names the active maximised Workspace) to the
    // title the desktop shows for the program.
    virtual void refreshTaskbarTitle() = 0;
};
