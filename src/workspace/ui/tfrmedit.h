#pragma once

#include "platform/fileidentity.h"
#include "platform/ui/keyboardlocks.h"
#include "workspace/textdecoder.h"

#include <QMdiSubWindow>

#include <functional>
#include <memory>

class Clock;
class FileConflicts;
class FileListMenu;
class FileWatch;
class RecoveryFile;
class RecoveryJournal;
class QComboBox;
class QFileDialog;
class QMenu;
class QMessageBox;
class QTimer;
class TfrmProperties;
class SearchController;
class TextDocument;
class TextLoader;
class TextView;
class WorkspaceActions;
class WorkspaceGoToLine;
class WorkspaceHost;
class WorkspacePrinter;
class WorkspaceStatusBar;
class WorkspaceTextCommands;

// A Workspace: one editing window in the frame's MDI area. It is itself the MDI sub-window, so
// its caption is the window title and closing it runs the close question directly. Its File,
// Edit, Character and Search menus are shown in the frame's menu bar while it is active.
//
// The frame makes one with `new TfrmEdit(host)`, adds it to its QMdiArea and shows it; a fresh
// Workspace is untitled. To open a file, call Open(); when it returns false the error has been
// shown and the caller closes the Workspace again.
class TfrmEdit : public QMdiSubWindow
{
    Q_OBJECT

public:
    // Seams for tests: run the prepared Save As dialog and return the chosen file (empty when
    // cancelled); answer the prepared close question (and any other box the Workspace shows);
    // read the lock keys.
    using SaveDialogRunner = std::function<QString(QFileDialog &dialog)>;
    using QuestionRunner = std::function<int(QMessageBox &box)>;
    using KeyLockReader = std::function<KeyLockState()>;
    // Shows the filled Properties dialog.
    using PropertiesRunner = std::function<void(TfrmProperties &dialog)>;

    static const QString untitledName;

    explicit TfrmEdit(WorkspaceHost *host, QWidget *parent = nullptr);
    ~TfrmEdit() override;

    // Loads the file at path; false when it could not be read (the error has been reported).
    // A large file goes on loading after this returns; the Workspace shows progress meanwhile.
    bool Open(const QString &path);
    // A file is still loading: its text cannot be edited, saved or printed yet.
    bool loading() const;
    // Reads the file again, in encoding when given; the text stays as it is when that fails.
    bool reloadFile(std::optional<TextEncoding> encoding = std::nullopt);
    // Takes the text a journal left behind by a run that did not end, bound to its file (or
    // untitled), modified; it is journaled anew before this returns. Throws AppError.
    void recover(const RecoveryFile &file);
    // "Reopen with Encoding": after asking, when there are changes to lose.
    void reopenWithEncoding(TextEncoding encoding);
    // The file this Workspace holds as it was when last read or written; none when untitled.
    const FileIdentity &diskIdentity() const;
    // Looks whether another program changed the file, and asks what to do when it did.
    void checkDiskFile();
    RecoveryJournal *recoveryJournal() const { return m_journal; }
    // Takes a name that no file has yet: the empty text is saved there.
    void bindNewFile(const QString &path);
    // The caret to the start of line (from 1), once the text has loaded.
    void goToLine(qsizetype line);
    // Both return whether the text was written; a cancelled dialog or a failure returns false.
    bool mniSaveClick();
    bool mniSaveAsClick();
    void MakeBackup(const QString &path);
    // Asks about unsaved changes; true when the Workspace may close. Yes saves first, and a
    // save that is cancelled or fails keeps the Workspace open.
    bool FormCloseQuery();
    // Closes after the frame has asked FormCloseQuery() itself, without asking again.
    void closeWithoutQuery();

    void mmoMemoChange();
    void tmrKeyStateTimer();
    void UpdateCaretPanel();
    void UpdateEditItems();
    void RefreshTaskbarTitle();
    void puiPropertiesClick();
    // Opens the tool bar's customisation window, which stays open beside the frame.
    void mniCustomizeToolBarClick();

    // The Workspace's own copies of the Reopen and Favorite Files submenus over the shared
    // lists. Its Reopen submenu follows the list when shown and after its own additions only.
    void AddRecentFile(const QString &name);
    void RebuildRecentMenu();
    void RebuildFavoritesMenu();
    void RunMRU(const QString &name);
    void RunFav(const QString &name);

    // File, Edit, Character and Search, in that order, for the frame's menu bar.
    QList<QMenu *> mergedMenus() const;

    bool untitled() const { return m_untitled; }
    QString filePath() const { return m_path; }
    const TextFormat &textFormat() const;
    TextDocument *document() const { return m_document; }
    TextView *view() const { return m_view; }
    WorkspaceStatusBar *statusPanels() const { return m_status; }
    WorkspaceActions *actions() const { return m_actions; }
    WorkspaceTextCommands *textCommands() const { return m_textCommands; }
    WorkspacePrinter *printer() const { return m_printer; }
    SearchController *search() const { return m_search; }
    WorkspaceGoToLine *goToLineCommand() const { return m_goToLine; }

    void setSaveDialogRunner(SaveDialogRunner runner) { m_saveDialogRunner = std::move(runner); }
    void setQuestionRunner(QuestionRunner runner) { m_questionRunner = std::move(runner); }
    void setKeyLockReader(KeyLockReader reader) { m_keyLockReader = std::move(reader); }
    void setPropertiesRunner(PropertiesRunner runner) { m_propertiesRunner = std::move(runner); }
    // The clock of the date and time stamp and the Properties dialog.
    void setClock(const Clock *clock);

signals:
    // A file given to Open() has been loaded completely.
    void loadFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectActions();
    void connectView();
    void showUntitled();
    void openFile(const QString &path);
    void startLoad(const QString &path, std::optional<TextEncoding> encoding);
    void takeText(DecodedText text);
    bool isCurrentWorkspace() const;
    void updateFileItems();
    void loadFailed(const QString &message);
    bool saveTo(const QString &path, TextFormat format);
    bool encodableOrConverted(TextFormat &format);
    void takeName(const QString &path);
    void setSizePanelWidth();
    void loadingChanged(bool loading);
    QString chooseSaveName(TextFormat &format);
    QComboBox *addEncodingChoice(QFileDialog &dialog, const TextFormat &format);
    int ask(const QString &message, bool withCancel);
    // An information box (OK only), through the question runner in tests.
    void tell(const QString &message);
    void refreshClipboardState();

    WorkspaceHost *m_host;
    TextDocument *m_document = nullptr;
    TextView *m_view = nullptr;
    TextLoader *m_loader = nullptr;
    FileWatch *m_watch = nullptr;
    std::unique_ptr<FileConflicts> m_conflicts;
    RecoveryJournal *m_journal = nullptr;
    FileIdentity m_loadedIdentity;
    bool m_reloading = false;
    WorkspaceStatusBar *m_status = nullptr;
    WorkspaceActions *m_actions = nullptr;
    WorkspaceTextCommands *m_textCommands = nullptr;
    WorkspacePrinter *m_printer = nullptr;
    const Clock *m_clock = nullptr;
    SearchController *m_search = nullptr;
    WorkspaceGoToLine *m_goToLine = nullptr;
    FileListMenu *m_recentMenu = nullptr;
    FileListMenu *m_favoritesMenu = nullptr;
    QTimer *m_keyTimer = nullptr;
    QString m_path;
    bool m_shownOnce = false;
    bool m_untitled = true;
    bool m_closeApproved = false;
    bool m_clipboardHasText = false;
    SaveDialogRunner m_saveDialogRunner;
    QuestionRunner m_questionRunner;
    KeyLockReader m_keyLockReader;
    PropertiesRunner m_propertiesRunner;
};
