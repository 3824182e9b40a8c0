#pragma once

#include <QKeySequence>
#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;
class TSpeedBar;

// Every command of a Workspace as one QAction, and the menus, popup and tool bar built from
// them. Commands whose work is not there yet stay disabled whatever the state of the text.
class WorkspaceActions : public QObject
{
    Q_OBJECT

public:
    explicit WorkspaceActions(QWidget *owner);

    // File
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

    // Takes from menu's items the keys that a command of ours has: two commands on one key
    // would leave the key doing nothing.
    void takeKeysFrom(QMenu *menu);
    // Enables action unless its command is still waiting for its implementation.
    void setAvailable(QAction *action, bool enabled);
    bool pending(QAction *action) const;

private:
    QAction *make(const char *name, const QString &text, const QString &hint,
                  const QKeySequence &shortcut = {});
    void setToolBarText(QAction *action, const QString &buttonText, const QString &caption);
    void buildMenus(QWidget *owner);
    void buildPopup(QWidget *owner);
    void buildToolBar(QWidget *owner);

    QActionGroup *m_alignment = nullptr;
    QList<QAction *> m_pending;
};
