#pragma once

#include "platform/fileidentity.h"
#include "workspace/textdecoder.h"
#include "workspace/ui/lockkeypoller.h"
#include "workspace/ui/propertieslauncher.h"
#include "workspace/ui/workspaceeditcommands.h"
#include "workspace/ui/workspacefilecommands.h"
#include "workspace/ui/workspacefilemenus.h"
#include "workspace/ui/workspaceservices.h"
#include "workspace/workspacefile.h"

#include <QMdiSubWindow>

class Clock;
class QMenu;
class RecoveryFile;
class RecoveryJournal;
class SearchController;
class TFormStorage;
class TextDocument;
class TextView;
class WorkspaceActions;
class WorkspaceGoToLine;
class WorkspacePrinter;
class WorkspaceStatusBar;
class WorkspaceTextCommands;

// A Workspace: one editing window in the frame's MDI area. It is itself the MDI sub-window, so
// its caption is the window title and closing it runs the close question directly. Its File,
// Edit, Character and Search menus are shown in the frame's menu bar while it is active. It
// wires its parts together: the file commands, the status bar, the text, search and print
// commands, the file submenus and the Properties dialog.
//
// The frame makes one with `new TfrmEdit(services)`, adds it to its QMdiArea and shows it; a
// fresh Workspace is untitled. To open a file, call Open(); when it returns false the error has
// been shown and the caller closes the Workspace again.
class TfrmEdit : public QMdiSubWindow
{
    Q_OBJECT

public:
    using SaveDialogRunner = WorkspaceFileCommands::SaveDialogRunner;
    using QuestionRunner = WorkspaceFileCommands::QuestionRunner;
    using KeyLockReader = LockKeyPoller::Reader;
    using PropertiesRunner = PropertiesLauncher::Runner;

    static inline const QString &untitledName = WorkspaceFile::untitledName;

    explicit TfrmEdit(const WorkspaceServices &services, QWidget *parent = nullptr);
    ~TfrmEdit() override;

    // The file commands; see WorkspaceFileCommands.
    bool Open(const QString &path) { return m_files->Open(path); }
    bool loading() const { return m_files->loading(); }
    bool reloadFile(std::optional<TextEncoding> encoding = std::nullopt)
    {
        return m_files->reloadFile(encoding);
    }
    void recover(const RecoveryFile &file) { m_files->recover(file); }
    void reopenWithEncoding(TextEncoding encoding) { m_files->reopenWithEncoding(encoding); }
    const FileIdentity &diskIdentity() const { return m_files->diskIdentity(); }
    void checkDiskFile() { m_files->checkDiskFile(); }
    RecoveryJournal *recoveryJournal() const { return m_files->journal(); }
    void bindNewFile(const QString &path) { m_files->bindNewFile(path); }
    bool mniSaveClick() { return m_files->mniSaveClick(); }
    bool mniSaveAsClick() { return m_files->mniSaveAsClick(); }
    void MakeBackup(const QString &path) { m_files->MakeBackup(path); }
    bool FormCloseQuery() { return m_files->FormCloseQuery(); }
    // Closes after the frame has asked FormCloseQuery() itself, without asking again.
    void closeWithoutQuery();
    // The caret to the start of line (from 1), once the text has loaded.
    void goToLine(qsizetype line);

    void mmoMemoChange();
    void tmrKeyStateTimer() { m_lockKeys->tick(); }
    void UpdateCaretPanel();
    void UpdateEditItems() { m_edit->UpdateEditItems(); }
    void RefreshTaskbarTitle();
    void puiPropertiesClick() { m_properties->puiPropertiesClick(); }
    // Opens the tool bar's customisation window, which stays open beside the frame.
    void mniCustomizeToolBarClick();

    void AddRecentFile(const QString &name) { m_fileMenus->AddRecentFile(name); }
    void RebuildRecentMenu() { m_fileMenus->RebuildRecentMenu(); }
    void RebuildFavoritesMenu() { m_fileMenus->RebuildFavoritesMenu(); }
    void RunMRU(const QString &name) { m_fileMenus->RunMRU(name); }
    void RunFav(const QString &name) { m_fileMenus->RunFav(name); }

    // File, Edit, Character and Search, in that order, for the frame's menu bar.
    QList<QMenu *> mergedMenus() const;

    bool untitled() const { return m_file->untitled(); }
    QString filePath() const { return m_file->path(); }
    const TextFormat &textFormat() const;
    WorkspaceFile *file() const { return m_file; }
    WorkspaceFileCommands *fileCommands() const { return m_files; }
    TextDocument *document() const { return m_document; }
    TextView *view() const { return m_view; }
    WorkspaceStatusBar *statusPanels() const { return m_status; }
    WorkspaceActions *actions() const { return m_actions; }
    WorkspaceTextCommands *textCommands() const { return m_textCommands; }
    WorkspacePrinter *printer() const { return m_printer; }
    SearchController *search() const { return m_search; }
    WorkspaceGoToLine *goToLineCommand() const { return m_goToLine; }

    void setSaveDialogRunner(SaveDialogRunner runner)
    {
        m_files->setSaveDialogRunner(std::move(runner));
    }
    void setQuestionRunner(QuestionRunner runner) { m_files->setQuestionRunner(std::move(runner)); }
    void setKeyLockReader(KeyLockReader reader) { m_lockKeys->setReader(std::move(reader)); }
    void setPropertiesRunner(PropertiesRunner runner)
    {
        m_properties->setRunner(std::move(runner));
    }
    // The clock of the date and time stamp and the Properties dialog.
    void setClock(const Clock *clock);

signals:
    // A file given to Open() has been loaded completely.
    void loadFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildParts(QWidget *body);
    void connectActions();
    void connectView();
    void connectFile();
    void attachStore(SettingsStore *store);
    bool isCurrentWorkspace() const;
    void updateFileItems();
    void loadingChanged(bool loading);

    WorkspaceServices m_services;
    WorkspaceFile *m_file;
    TextDocument *m_document = nullptr;
    TFormStorage *m_storage = nullptr; // with a settings store only
    TextView *m_view = nullptr;
    WorkspaceFileCommands *m_files = nullptr;
    WorkspaceStatusBar *m_status = nullptr;
    WorkspaceActions *m_actions = nullptr;
    WorkspaceTextCommands *m_textCommands = nullptr;
    WorkspacePrinter *m_printer = nullptr;
    SearchController *m_search = nullptr;
    WorkspaceGoToLine *m_goToLine = nullptr;
    WorkspaceFileMenus *m_fileMenus = nullptr;
    PropertiesLauncher *m_properties = nullptr;
    LockKeyPoller *m_lockKeys = nullptr;
    WorkspaceEditCommands *m_edit = nullptr;
    bool m_shownOnce = false;
    bool m_closeApproved = false;
};
