#include "workspacefilecommands.h"

#include "base/dialogfilter.h"
#include "base/errorhandler.h"
#include "base/sharedoptions.h"
#include "base/topmostcontrol.h"
#include "base/ui/appmessagebox.h"
#include "controls/textdocument.h"
#include "platform/filepath.h"
#include "workspace/encodingchoice.h"
#include "workspace/fileconflicts.h"
#include "workspace/filewatch.h"
#include "workspace/recoveryfile.h"
#include "workspace/recoveryfolder.h"
#include "workspace/recoveryjournal.h"
#include "workspace/statustexts.h"
#include "workspace/textfile.h"
#include "workspace/textloader.h"
#include "workspace/workspacefile.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

namespace {
// Files up to this size are read at once; larger ones on a worker thread, with progress.
constexpr qint64 kReadAtOnce = 8 << 20;

FileConflicts::Answer answerOf(int button)
{
    return button == QMessageBox::Yes   ? FileConflicts::Answer::Yes
            : button == QMessageBox::No ? FileConflicts::Answer::No
                                        : FileConflicts::Answer::Cancel;
}
} // namespace

WorkspaceFileCommands::WorkspaceFileCommands(TextDocument *document, WorkspaceFile *file,
                                             SharedOptions *options, TopmostControl *topmost,
                                             QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_file(file)
    , m_options(options)
    , m_topmost(topmost)
    , m_window(window)
    , m_loader(new TextLoader(this))
    , m_watch(new FileWatch(this))
    , m_journal(new RecoveryJournal(RecoveryFolder::path(), document, this))
{
    m_conflicts = std::make_unique<FileConflicts>(
            *m_watch,
            FileConflicts::Actions{[this](const QString &message, bool withCancel) {
                                       return answerOf(ask(message, withCancel));
                                   },
                                   [this](const QString &message) { tell(message); },
                                   [this]() { return m_document->isModified(); },
                                   [this]() { m_document->setModified(true); },
                                   [this]() {
                                       reloadFile();
                                   }});
    connect(m_loader, &TextLoader::progress, this, &WorkspaceFileCommands::progress);
    connect(m_loader, &TextLoader::finished, this, [this]() { takeText(m_loader->takeResult()); });
    connect(m_loader, &TextLoader::failed, this, &WorkspaceFileCommands::loadFailed);
    connect(m_watch, &FileWatch::touched, this, &WorkspaceFileCommands::changedOnDisk);
    connect(m_file, &WorkspaceFile::nameChanged, this,
            [this]() { m_journal->setTitle(m_file->caption()); });
}

WorkspaceFileCommands::~WorkspaceFileCommands() = default;

void WorkspaceFileCommands::showUntitled()
{
    m_journal->setBase({});
    m_file->setUntitled(m_options->openDirectory());
}

bool WorkspaceFileCommands::Open(const QString &path)
{
    return ErrorHandler::run([&]() { openFile(path); });
}

void WorkspaceFileCommands::openFile(const QString &path)
{
    startLoad(path, std::nullopt);
    m_options->setOpenDirectory(FilePath::directoryPart(path));
    takeName(path);
    emit fileNamed(path);
}

// A large file goes in on a worker thread; what can be told at once (a missing file, a
// folder, too little memory) is reported here all the same. Until the text is in, the old one
// stays, read-only.
void WorkspaceFileCommands::startLoad(const QString &path, std::optional<TextEncoding> encoding)
{
    const QFileInfo info(path);
    m_loadedIdentity = FileIdentity::of(path);
    if (!info.isFile() || info.size() <= kReadAtOnce) {
        TextDecoder::Options options;
        options.encoding = encoding;
        DecodedText text = TextFile::load(path, options);
        m_loadPath = path;
        takeText(std::move(text));
        return;
    }
    TextFile::check(path);
    m_loadPath = path;
    setLoading(true);
    m_loader->start(path, encoding);
}

bool WorkspaceFileCommands::loading() const
{
    return m_loader->running();
}

bool WorkspaceFileCommands::reloadFile(std::optional<TextEncoding> encoding)
{
    if (m_file->untitled() || loading())
        return false;
    m_reloading = true;
    const bool started = ErrorHandler::run([&]() { startLoad(m_file->path(), encoding); });
    if (!loading())
        m_reloading = false;
    return started;
}

void WorkspaceFileCommands::reopenWithEncoding(TextEncoding encoding)
{
    if (m_document->isModified()
        && ask(QStringLiteral("Read %1 again as %2 and lose the changes made here?")
                       .arg(m_file->path(), StatusTexts::encodingName(encoding)),
               false)
                != QMessageBox::Yes)
        return;
    reloadFile(encoding);
}

void WorkspaceFileCommands::takeText(DecodedText text)
{
    // Editable again before the text comes, for those waiting on it.
    setLoading(false);
    m_document->reset(std::move(text.storage), text.format, text.byteSize);
    m_reloading = false;
    emit textTaken();
    m_watch->watch(m_loadPath, m_loadedIdentity);
    m_journal->setBase({m_loadPath, m_loadedIdentity});
    emit loadFinished();
}

// The file could not be read after all: the Workspace made for it goes, unless it was being
// read again, when its text stays.
void WorkspaceFileCommands::loadFailed(const QString &message)
{
    setLoading(false);
    ErrorHandler::report(message);
    if (m_reloading)
        m_reloading = false;
    else
        emit openFailed();
}

void WorkspaceFileCommands::setLoading(bool loading)
{
    emit progress(loading ? 0 : -1);
    emit loadingChanged(loading);
}

void WorkspaceFileCommands::recover(const RecoveryFile &recovered)
{
    recovered.replayInto(*m_document);
    if (!recovered.path().isEmpty()) {
        takeName(recovered.path());
        m_options->setOpenDirectory(FilePath::directoryPart(recovered.path()));
        // What is on disk now is the file this text will be saved over.
        m_loadedIdentity = FileIdentity::of(recovered.path());
        m_watch->watch(recovered.path(), m_loadedIdentity);
    }
    emit textTaken();
    m_journal->keepNow();
}

void WorkspaceFileCommands::bindNewFile(const QString &path)
{
    m_options->setOpenDirectory(FilePath::directoryPart(path));
    takeName(path);
}

const FileIdentity &WorkspaceFileCommands::diskIdentity() const
{
    // While the file goes in, the file being read.
    return m_watch->watching() ? m_watch->known() : m_loadedIdentity;
}

void WorkspaceFileCommands::checkDiskFile()
{
    if (!loading() && !m_file->untitled())
        m_conflicts->check();
}

void WorkspaceFileCommands::takeName(const QString &path)
{
    m_file->setPath(path);
}

bool WorkspaceFileCommands::mniSaveClick()
{
    if (loading())
        return false;
    if (m_file->untitled())
        return mniSaveAsClick();
    bool saved = false;
    ErrorHandler::run([&]() { saved = saveTo(m_file->path(), m_document->format()); });
    return saved;
}

bool WorkspaceFileCommands::saveTo(const QString &path, TextFormat format)
{
    // Another program's change to this very file is never written over unasked.
    if (!m_file->untitled() && path == m_file->path() && !m_conflicts->mayWrite())
        return false;
    if (!encodableOrConverted(format))
        return false;
    MakeBackup(path);
    const QString warning = TextFile::save(path, m_document->storage(), format);
    // Our own save is no change behind our back.
    const FileIdentity saved = FileIdentity::of(path);
    m_watch->watch(path, saved);
    m_journal->setBase({path, saved});
    m_document->setFormat(format);
    m_document->setModified(false);
    if (!warning.isEmpty())
        tell(warning);
    return true;
}

// A character the file's encoding cannot store would make the save fail; offer UTF-8 instead.
bool WorkspaceFileCommands::encodableOrConverted(TextFormat &format)
{
    if (TextFile::findUnencodable(m_document->storage(), format.encoding) < 0)
        return true;
    const QString message =
            QStringLiteral("The text holds characters that %1 cannot store.\rSave it as UTF-8?")
                    .arg(StatusTexts::encodingName(format.encoding));
    if (ask(message, false) != QMessageBox::Yes)
        return false;
    format.encoding = TextEncoding::Utf8;
    format.bom = false;
    // What UTF-8 cannot hold either (a lone surrogate) makes save() refuse with its reason.
    return true;
}

void WorkspaceFileCommands::MakeBackup(const QString &path)
{
    if (m_options->automaticBackups())
        TextFile::makeBackup(path);
}

bool WorkspaceFileCommands::mniSaveAsClick()
{
    if (loading())
        return false;
    bool saved = false;
    ErrorHandler::run([&]() {
        TextFormat format = m_document->format();
        const QString chosen = chooseSaveName(format);
        if (chosen.isEmpty())
            return;
        // The Workspace takes the new name only once the file holds its text.
        if (!saveTo(chosen, format))
            return;
        m_options->setOpenDirectory(FilePath::directoryPart(chosen));
        takeName(chosen);
        emit fileNamed(chosen);
        saved = true;
    });
    return saved;
}

QString WorkspaceFileCommands::chooseSaveName(TextFormat &format)
{
    const int filterIndex = DialogFilter::indexFromText(m_options->filterIndexText());
    TopmostDropped dropped(*m_topmost);
    QFileDialog dialog(m_window, tr("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!m_options->openDirectory().isEmpty())
        dialog.setDirectory(m_options->openDirectory());
    const QStringList filters = DialogFilter::toNameFilters(m_options->filterString());
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    dialog.selectFile(m_file->caption());
    QComboBox *encoding = addEncodingChoice(dialog, format);
    QString chosen;
    if (m_saveDialogRunner)
        chosen = m_saveDialogRunner(dialog);
    else if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        chosen = dialog.selectedFiles().constFirst();
    if (!chosen.isEmpty())
        format = EncodingChoice::chosen(encoding->currentIndex(), format);
    return chosen;
}

// The dialog's own row for the encoding, under the file type. The desktop's own dialog takes
// no rows of ours, so Save As is Qt's.
QComboBox *WorkspaceFileCommands::addEncodingChoice(QFileDialog &dialog, const TextFormat &format)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto *box = new QComboBox(&dialog);
    box->setObjectName(QStringLiteral("cmbEncoding"));
    box->addItems(EncodingChoice::labels());
    box->setCurrentIndex(EncodingChoice::indexOf(format));
    auto *label = new QLabel(tr("&Encoding:"), &dialog);
    label->setBuddy(box);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
    }
    return box;
}

void WorkspaceFileCommands::tell(const QString &message)
{
    TopmostDropped dropped(*m_topmost);
    std::unique_ptr<QMessageBox> box(
            AppMessageBox::create(m_window, AppMessageBox::Kind::Information, message));
    m_questionRunner ? m_questionRunner(*box) : box->exec();
}

int WorkspaceFileCommands::ask(const QString &message, bool withCancel)
{
    const auto kind =
            withCancel ? AppMessageBox::Kind::CloseQuestion : AppMessageBox::Kind::Question;
    TopmostDropped dropped(*m_topmost);
    std::unique_ptr<QMessageBox> box(AppMessageBox::create(m_window, kind, message));
    return m_questionRunner ? m_questionRunner(*box) : box->exec();
}

bool WorkspaceFileCommands::FormCloseQuery()
{
    if (!m_document->isModified())
        return true;
    const QString caption = m_file->caption();
    const QString name = caption.isEmpty() ? QStringLiteral("Untitled") : caption;
    const int answer = ask(QStringLiteral("Save Changes to '%1'\"?").arg(name), true);
    if (answer == QMessageBox::No)
        return true;
    if (answer == QMessageBox::Yes)
        return mniSaveClick();
    return false;
}

void WorkspaceFileCommands::closing()
{
    m_loader->cancel();
    // Saved or given up: nothing of this Workspace is left to recover.
    m_journal->discard();
    m_watch->stop();
}
