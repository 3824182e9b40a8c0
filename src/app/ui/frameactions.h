#pragma once

#include <QObject>

class CommandActions;
class QAction;
class QMenu;
class QWidget;

// The frame's commands as the command table makes them: one QAction each, the frame's four
// menus and the tray menu. The members carry the names the commands are known by throughout
// the program (mniNew, mniTile, puiExit...). The shortcuts are live only while the action's
// menu stands in the bar, so the frame's File menu never competes with a Workspace's.
class FrameActions : public QObject
{
    Q_OBJECT

public:
    explicit FrameActions(QWidget *frame);

    const CommandActions &commands() const { return *m_commands; }

    // File
    QAction *mniNew = nullptr;
    QAction *mniOpen = nullptr;
    QMenu *mniReopen = nullptr;
    QMenu *mniFavFiles = nullptr;
    QAction *mniCustomize = nullptr;
    QAction *mniPrinterSetup = nullptr;
    QAction *mniExit = nullptr;
    // Window
    QAction *mniTile = nullptr;
    QAction *mniCascade = nullptr;
    QAction *mniArrange = nullptr;
    // Options
    QAction *mniSetDefault = nullptr;
    QAction *mniButtonHints = nullptr;
    QAction *mniAutomaticBackups = nullptr;
    QAction *mniMainStatusBar = nullptr;
    QAction *mniStayOnTop = nullptr;
    QAction *mniPreferences = nullptr;
    // Help
    QAction *mniContents = nullptr;
    QAction *mniSearchForHelpOn = nullptr;
    QAction *mniHowtoUseHelp = nullptr;
    QAction *mniWhatsNew = nullptr;
    QAction *mniAbout = nullptr;
    // Tray menu: its own captions; each forwards to the frame command of the same meaning.
    QAction *puiLeafstack = nullptr;
    QAction *puiAbout = nullptr;
    QAction *puiExit = nullptr;

    QMenu *mnuFile = nullptr;
    QMenu *mnuWindow = nullptr;
    QMenu *mnuOptions = nullptr;
    QMenu *mnuHelp = nullptr;
    QMenu *pumTray = nullptr;

    // The frame's own menus in bar order: File, Window, Options, Help.
    QList<QMenu *> frameMenus() const;

private:
    CommandActions *m_commands;
};
