#pragma once

#include "app/commandline.h"
#include "workspace/ui/workspacehost.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class ButtonHints;
class DefaultEditorOption;
class FileDropFilter;
class FrameActions;
class FrameSettings;
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
class TfrmMain : public QMainWindow, public WorkspaceHost
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
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    // Seam for tests: answers the frame's own prepared questions instead of showing them.
    using QuestionRunner = std::function<int(QMessageBox &box)>;
    void setQuestionRunner(QuestionRunner runner) { m_questionRunner = std::move(runner); }
    // Before the first show: where the settings live between runs. Without one nothing is kept.
    void setSettingsStore(SettingsStore *store);
    FrameSettings &settings() const { return *m_settings; }
    QString programFolder() const { return m_programFolder; }
    QString helpFileName() const;

    QMdiArea *mdiArea() const { return m_mdiArea; }
    const FrameActions &actions() const { return *m_actions; }
    const FrameToolBar &toolBar() const { return *m_toolBar; }
    StayOnTop &stayOnTop() const { return *m_stayOnTop; }
    HelpWindow *helpWindow() const { return m_help.get(); }
    FrameTray &tray() const { return *m_tray; }
    QString statusText() const;
    QList<TfrmEdit *> workspaces() const;
    TfrmEdit *activeWorkspace() const;

    // WorkspaceHost
    void dropTopmost() override;
    void restoreTopmost() override;
    void reapplyStayOnTop() override;
    bool automaticBackups() const override;
    QString filterString() const override;
    QString filterIndexText() const override;
    QString openDirectory() const override;
    void setOpenDirectory(const QString &directory) override;
    void addRecentFile(const QString &path) override;
    QStringList recentFiles() const override;
    QStringList favoriteFiles() const override;
    bool openInNewWorkspace(const QString &path) override { return OpenFile(path) != nullptr; }
    QString dateIndexText() const override;
    QString timeIndexText() const override;
    QPrinter *printer() override;
    void printerSetup() override { mniPrinterSetupClick(); }
    const CommandActions &frameCommands() const override;
    void refreshTaskbarTitle() override;
    void switchOffStayOnTop() override;
    SettingsStore *settingsStore() const override;

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
    void mniAutomaticBackupsClick();
    void mniMainStatusBarClick();
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
    void reportKeptCopies();
    void offerRecovery();
    void openStartFiles(const QList<CommandLine::FileRequest> &files);
    void FormDestroy();
    void connectCommands();
    TfrmEdit *createWorkspace();
    TfrmEdit *workspaceHolding(const QString &path) const;
    void workspaceActivated();
    // Tile and Cascade arrange windows of normal size.
    void restoreMaximised();
    void updateCaption();
    bool workspacesMayClose();
    HelpWindow &help();
    void switchOffStayOnTopForHelp();
    void applyRestoredOptions();

    QMdiArea *m_mdiArea;
    FrameActions *m_actions;
    FrameSettings *m_settings;
    std::unique_ptr<FrameToolBar> m_toolBar;
    std::unique_ptr<MenuMerger> m_merger;
    WindowMenu *m_windowMenu;
    StayOnTop *m_stayOnTop;
    ButtonHints *m_buttonHints;
    FileDropFilter *m_drops;
    DefaultEditorOption *m_defaultEditor = nullptr;
    FrameTray *m_tray = nullptr;
    QLabel *m_hintPanel;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<QPrinter> m_printer;

    QuestionRunner m_questionRunner;
    QStringList m_arguments;
    QString m_workingDirectory;
    QString m_programFolder;
    bool m_shown = false;
    bool m_destroyed = false;
};
