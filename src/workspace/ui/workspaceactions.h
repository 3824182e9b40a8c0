#pragma once

#include <QObject>

class CommandActions;
class QAction;
class QMenu;
class QWidget;
class TSpeedBar;

// A Workspace's commands as the command table makes them: one QAction each, shared by its
// menus, pop-up menu and tool bar. Its File menu offers the frame's own New, Open and Exit.
class WorkspaceActions : public QObject
{
    Q_OBJECT

public:
    // frame: the frame's commands, whose New, Open and Exit the File menu shows.
    WorkspaceActions(QWidget *owner, const CommandActions &frame);

    const CommandActions &commands() const { return *m_commands; }

    // File; mniNew, mniOpen and mniExit are the frame's.
    QAction *mniNew, *mniOpen, *mniClose, *mniSave, *mniSaveAs, *mniPrint, *mniPrintSetup,
            *mniCustomizeToolBar, *mniExit;
    // Edit
    QAction *mniUndo, *mniRedo, *mniCut, *mniCopy, *mniPaste, *mniDelete, *mniSelectAll,
            *mniDateTime;
    // Character
    QAction *mniLeft, *mniRight, *mniCenter, *mniWordWrap, *mniFont, *mniLowerCase, *mniUpperCase,
            *mniCapitalize;
    // Search
    QAction *mniFind, *mniFindNext, *mniReplace, *mniGoToLine;
    // Popup only
    QAction *puiProperties;

    QMenu *mniFile, *mniEdit, *mniCharacter, *mniSearch, *mniReopen, *mniFavFiles, *mniConvert,
            *mniReopenEncoding, *pumPopup;
    // The items of "Reopen with Encoding", each with its TextEncoding as data.
    QList<QAction *> encodingItems;
    TSpeedBar *barTool;

    // Takes from menu's items the keys that a command of our menus has: two commands on one key
    // would leave the key doing nothing.
    void takeKeysFrom(QMenu *menu);

private:
    void takeActions();
    void takeMenus();

    CommandActions *m_commands;
};
