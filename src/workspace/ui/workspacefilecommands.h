#pragma once

#include "platform/fileidentity.h"
#include "workspace/textdecoder.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class FileConflicts;
class FileWatch;
class QComboBox;
class QFileDialog;
class QMessageBox;
class QWidget;
class RecoveryFile;
class RecoveryJournal;
class SharedOptions;
class TextDocument;
class TextLoader;
class TopmostControl;
class WorkspaceFile;

// The file commands of one Workspace and the questions they ask: open, read again (in another
// encoding), save, save as with its encoding choice, the automatic backup, the close question,
// and what to do when another program changed the file. The Workspace shows the results.
class WorkspaceFileCommands : public QObject
{
    Q_OBJECT

public:
    // Seams for tests: run the prepared Save As dialog and return the chosen file (empty when
    // cancelled); answer the prepared question (and any other box the commands show).
    using SaveDialogRunner = std::function<QString(QFileDialog &dialog)>;
    using QuestionRunner = std::function<int(QMessageBox &box)>;

    WorkspaceFileCommands(TextDocument *document, WorkspaceFile *file, SharedOptions *options,
                          TopmostControl *topmost, QWidget *window);
    ~WorkspaceFileCommands() override;

    // Untitled and empty, named after the folder the Open dialog starts in.
    void showUntitled();
    // Loads the file at path; false when it could not be read (the error has been reported).
    // A large file goes on loading after this returns.
    bool Open(const QString &path);
    bool loading() const;
    // Reads the file again, in encoding when given; the text stays as it is when that fails.
    bool reloadFile(std::optional<TextEncoding> encoding = std::nullopt);
    // "Reopen with Encoding": after asking, when there are changes to lose.
    void reopenWithEncoding(TextEncoding encoding);
    // Takes the text a journal left behind, bound to its file (or untitled), modified.
    // Throws AppError.
    void recover(const RecoveryFile &recovered);
    // Takes a name that no file has yet: the empty text is saved there.
    void bindNewFile(const QString &path);
    // The file as it was when last read or written; none when untitled.
    const FileIdentity &diskIdentity() const;
    // Looks whether another program changed the file, and asks what to do when it did.
    void checkDiskFile();
    RecoveryJournal *journal() const { return m_journal; }

    // Both return whether the text was written; a cancelled dialog or a failure returns false.
    bool mniSaveClick();
    bool mniSaveAsClick();
    void MakeBackup(const QString &path);
    // Asks about unsaved changes; true when the Workspace may close. Yes saves first, and a
    // save that is cancelled or fails keeps the Workspace open.
    bool FormCloseQuery();
    // The Workspace closes: no load goes on, nothing is left to recover, the file is let go.
    void closing();

    // An information box (OK only) and a question (Yes, No, and Cancel when withCancel).
    void tell(const QString &message);
    int ask(const QString &message, bool withCancel);

    void setSaveDialogRunner(SaveDialogRunner runner) { m_saveDialogRunner = std::move(runner); }
    void setQuestionRunner(QuestionRunner runner) { m_questionRunner = std::move(runner); }

Q_SIGNALS:
    // A file given to Open() has been loaded completely.
    void loadFinished();
    void loadingChanged(bool loading);
    void progress(int percent);
    // A file's text came in whole (opened, read again or recovered).
    void textTaken();
    // A file was opened or saved under a new name: it goes onto the recent list.
    void fileNamed(const QString &path);
    // Another program touched the file.
    void changedOnDisk();
    // The file made for a Workspace could not be read after all: the Workspace goes.
    void openFailed();

private:
    void openFile(const QString &path);
    void startLoad(const QString &path, std::optional<TextEncoding> encoding);
    void takeText(DecodedText text);
    void loadFailed(const QString &message);
    void setLoading(bool loading);
    void takeName(const QString &path);
    bool saveTo(const QString &path, TextFormat format);
    bool encodableOrConverted(TextFormat &format);
    QString chooseSaveName(TextFormat &format);
    QComboBox *addEncodingChoice(QFileDialog &dialog, const TextFormat &format);

    TextDocument *m_document;
    WorkspaceFile *m_file;
    SharedOptions *m_options;
    TopmostControl *m_topmost;
    QWidget *m_window;
    TextLoader *m_loader;
    FileWatch *m_watch;
    RecoveryJournal *m_journal;
    std::unique_ptr<FileConflicts> m_conflicts;
    FileIdentity m_loadedIdentity;
    // The file being read, or last read.
    QString m_loadPath;
    bool m_reloading = false;
    SaveDialogRunner m_saveDialogRunner;
    QuestionRunner m_questionRunner;
};
