#pragma once

#include "app/commandline.h"
#include "workspace/ui/framecommands.h"
#include "workspace/ui/workspaceservices.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class ButtonHints;
class DefaultEditorOption;
class FileDropFilter;
class FrameActions;
class FrameDialogs;
class FrameHelp;
class FrameFileMenus;
class FrameSettings;
class FrameStartup;
class FrameWorkspaces;
class SettingsStore;
class FrameToolBar;
class FrameTray;
class HelpWindow;
class MenuMerger;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMessageBox;
class QPrinter;
class StayOnTop;
class TfrmEdit;
class WindowMenu;

// The main frame: the program's one top-level window. Its MDI area holds the Workspaces; it
// owns the commands that need no Workspace, the Stay On Top policy, the values the Workspaces
// share, and the start-up and shutdown of the program.
class TfrmMain : public QMainWindow, public FrameCommands
{
    Q_OBJECT

public:
    static const QString DefaultFilter;

    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Before the first show: the command line's arguments (without the program's name) and the
    // folder they are relative to.
    void setCommandLine(const QStringList &arguments, const QString &workingDirectory);
    // The folder holding the help file and the read-me; the program's own folder by default.
    void setProgramFolder(const QString &folder);
    // Seam for tests: answers the frame's own prepared questions instead of showing them.
    using QuestionRunner = std::function<int(QMessageBox &box)>;
    void setQuestionRunner(QuestionRunner runner);
    // Before the first show: where the settings live between runs. Without one nothing is kept.
    void setSettingsStore(SettingsStore *store);
    FrameSettings &settings() const { return *m_settings; }
    QString programFolder() const;
    QString helpFileName() const;

    QMdiArea *mdiArea() const { return m_mdiArea; }
    const FrameActions &actions() const { return *m_actions; }
    const FrameToolBar &toolBar() const { return *m_toolBar; }
    StayOnTop &stayOnTop() const { return *m_stayOnTop; }
    HelpWindow *helpWindow() const;
    FrameTray &tray() const { return *m_tray; }
    QString statusText() const;
    QList<TfrmEdit *> workspaces() const;
    TfrmEdit *activeWorkspace() const;

    // What every Workspace is given: the shared options and file lists, the stay-on-top
    // order and the frame's own commands.
    WorkspaceServices workspaceServices();
    // Pushes a file onto the shared recent list and rebuilds the frame's Reopen submenu.
    void addRecentFile(const QString &path);

    // FrameCommands
    bool openInNewWorkspace(const QString &path) override { return OpenFile(path) != nullptr; }
    QPrinter *printer() override;
    void printerSetup() override { mniPrinterSetupClick(); }
    const CommandActions &frameCommands() const override;
    void refreshTaskbarTitle() override;

public slots:
    TfrmEdit *NewChild();
    void OpenChild();
    // Opens path in a new Workspace; a file that cannot be read is reported and its Workspace
    // closed again. Returns the Workspace, or nullptr.
    TfrmEdit *OpenFile(const QString &path);
    // The desktop session is ending. When the session manager lets us ask, this is Exit: the
    // close questions, then the settings; false when the user kept a Workspace open. Without
    // leave to ask, nothing closes but the settings are written.
    bool commitSession(bool mayAsk);
    void mniTileClick();
    void mniCascadeClick();
    void mniArrangeClick();
    void mniExitClick();
    void mniPrinterSetupClick();
    void mniContentsClick();
    void mniSearchForHelpOnClick();
    void mniHowtoUseHelpClick();
    void mniWhatsNewClick();
    void mniAboutLeafstackClick();
    void mniPreferencesClick();
    void mniCustomizeClick();
    void mniFileClick();
    void mniButtonHintsClick();
    void mniMainStatusBarClick();
    void mniAutomaticBackupsClick();
    // Turns Stay On Top over, as its menu item does.
    void mniStayOnTopClick();
    void mniOptionsClick();
    void mniSetDefaultClick();
    void puiLeafstackClick();
    void MinimizeApplication();
    void ShowHint(const QString &hint);
    void ActiveFormChange();
    void RunMRU(const QString &name);
    void RunFav(const QString &name);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void connectCommands();
    TfrmEdit *createWorkspace();
    void workspaceActivated();
    void updateCaption();

    QMdiArea *m_mdiArea;
    FrameWorkspaces *m_workspaces;
    FrameActions *m_actions;
    FrameSettings *m_settings;
    FrameFileMenus *m_fileMenus;
    std::unique_ptr<FrameToolBar> m_toolBar;
    std::unique_ptr<MenuMerger> m_merger;
    WindowMenu *m_windowMenu;
    StayOnTop *m_stayOnTop;
    ButtonHints *m_buttonHints;
    FileDropFilter *m_drops;
    DefaultEditorOption *m_defaultEditor = nullptr;
    FrameTray *m_tray = nullptr;
    std::unique_ptr<FrameStartup> m_startup;
    QLabel *m_hintPanel;
    std::unique_ptr<FrameHelp> m_help;
    std::unique_ptr<FrameDialogs> m_dialogs;

    QStringList m_arguments;
    QString m_workingDirectory;
    bool m_shown = false;
    bool m_destroyed = false;
};
