#include "tfrmedit.h"

#include "base/apperror.h"
#include "base/dialogfilter.h"
#include "base/errorhandler.h"
#include "base/ui/appmessagebox.h"
#include "base/ui/filelistmenu.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "format/numberformatter.h"
#include "format/systemclock.h"
#include "platform/filepath.h"
#include "settings/ui/tformstorage.h"
#include "toolbar/ui/speedbardock.h"
#include "toolbar/ui/tspeedbar.h"
#include "workspace/encodingchoice.h"
#include "workspace/fileconflicts.h"
#include "workspace/fileproperties.h"
#include "workspace/filewatch.h"
#include "workspace/recoveryfile.h"
#include "workspace/recoveryfolder.h"
#include "workspace/recoveryjournal.h"
#include "workspace/statustexts.h"
#include "workspace/textfile.h"
#include "workspace/textloader.h"
#include "workspace/ui/hosttopmostdropped.h"
#include "workspace/ui/searchcontroller.h"
#include "workspace/ui/tfrmproperties.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspacegotoline.h"
#include "workspace/ui/workspacehost.h"
#include "workspace/ui/workspaceprinter.h"
#include "workspace/ui/workspacestatusbar.h"
#include "workspace/ui/workspacetextcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

const QString TfrmEdit::untitledName = QStringLiteral("untitled.txt");

namespace {
// Files up to this size are read at once; larger ones on a worker thread, with progress.
constexpr qint64 kReadAtOnce = 8 << 20;
} // namespace

TfrmEdit::TfrmEdit(WorkspaceHost *host, QWidget *parent)
    : QMdiSubWindow(parent)
    , m_host(host)
    , m_keyTimer(new QTimer(this))
    , m_keyLockReader(&KeyboardLocks::read)
{
    setObjectName(QStringLiteral("frmEdit"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_actions = new WorkspaceActions(this, host->frameCommands());
    m_document = new TextDocument(this);
    m_view = new TextView(m_document, body);
    m_view->setObjectName(QStringLiteral("mmoMemo"));
    m_loader = new TextLoader(this);
    m_watch = new FileWatch(this);
    m_journal = new RecoveryJournal(RecoveryFolder::path(), m_document, this);
    m_conflicts = std::make_unique<FileConflicts>(
            *m_watch,
            FileConflicts::Actions{[this](const QString &message, bool withCancel) {
                                       const int answer = ask(message, withCancel);
                                       return answer == QMessageBox::Yes
                                               ? FileConflicts::Answer::Yes
                                               : answer == QMessageBox::No
                                               ? FileConflicts::Answer::No
                                               : FileConflicts::Answer::Cancel;
                                   },
                                   [this](const QString &message) { tell(message); },
                                   [this]() { return m_document->isModified(); },
                                   [this]() { m_document->setModified(true); },
                                   [this]() {
                                       reloadFile();
                                   }});
    m_status = new WorkspaceStatusBar(body);
    m_status->follow(m_document, m_view);
    m_textCommands = new WorkspaceTextCommands(m_view, m_actions, m_host, this);
    m_printer = new WorkspacePrinter(m_view, m_host, this);
    m_clock = &SystemClock::instance();
    m_search = new SearchController(m_view, m_actions, m_host, this);
    connect(m_search, &SearchController::searched, this, &TfrmEdit::UpdateEditItems);
    m_goToLine = new WorkspaceGoToLine(m_view, m_actions->mniGoToLine, m_host, this);
    layout->addWidget(new SpeedbarDock(m_actions->barTool, m_view, body), 1);
    layout->addWidget(m_status);
    setWidget(body);
    setFocusProxy(m_view);

    connectActions();
    connectView();
    // The window menu's Close answers Ctrl+W too; File > Close keeps it (Ctrl+F4 stays there).
    m_actions->takeKeysFrom(systemMenu());
    connect(m_actions->mniCustomizeToolBar, &QAction::triggered, this,
            &TfrmEdit::mniCustomizeToolBarClick);
    m_keyTimer->setInterval(1000);
    connect(m_keyTimer, &QTimer::timeout, this, &TfrmEdit::tmrKeyStateTimer);
    m_keyTimer->start();
    showUntitled();
    refreshClipboardState();
    tmrKeyStateTimer();
    if (SettingsStore *store = m_host->settingsStore()) {
        // All Workspaces share one section: the last one saved sets the next one's font.
        auto *storage = new TFormStorage(this, store);
        storage->IniSection = QStringLiteral("Edit Form");
        storage->options = TFormPlacement::fpState;
        storage->setStoredProps({QStringLiteral("mmoMemo.Font")});
        m_actions->barTool->setIniStorage(storage);
    }
}

TfrmEdit::~TfrmEdit() = default;

void TfrmEdit::connectActions()
{
    WorkspaceActions *a = m_actions;
    m_recentMenu = new FileListMenu(FileListMenu::Kind::Recent, a->mniReopen);
    m_favoritesMenu = new FileListMenu(FileListMenu::Kind::Favorites, a->mniFavFiles);
    connect(m_recentMenu, &FileListMenu::fileChosen, this, &TfrmEdit::RunMRU);
    connect(m_favoritesMenu, &FileListMenu::fileChosen, this, &TfrmEdit::RunFav);
    connect(a->mniFile, &QMenu::aboutToShow, this, &TfrmEdit::RebuildFavoritesMenu);
    connect(a->mniClose, &QAction::triggered, this, &QWidget::close);
    connect(a->mniSave, &QAction::triggered, this, &TfrmEdit::mniSaveClick);
    connect(a->mniSaveAs, &QAction::triggered, this, &TfrmEdit::mniSaveAsClick);
    connect(a->mniUndo, &QAction::triggered, m_view, &TextView::undo);
    connect(a->mniRedo, &QAction::triggered, m_view, &TextView::redo);
    connect(m_document, &TextDocument::undoAvailable, a->mniUndo, &QAction::setEnabled);
    connect(m_document, &TextDocument::redoAvailable, a->mniRedo, &QAction::setEnabled);
    for (QAction *item : a->encodingItems)
        connect(item, &QAction::triggered, this,
                [this, item]() { reopenWithEncoding(TextEncoding(item->data().toInt())); });
    connect(a->mniCut, &QAction::triggered, m_view, &TextView::cut);
    connect(a->mniCopy, &QAction::triggered, m_view, &TextView::copy);
    connect(a->mniPaste, &QAction::triggered, m_view, &TextView::paste);
    connect(a->mniDelete, &QAction::triggered, m_view, &TextView::deleteSelection);
    connect(a->mniSelectAll, &QAction::triggered, this, [this]() {
        m_view->selectAll();
        UpdateEditItems();
    });
    connect(m_textCommands, &WorkspaceTextCommands::editItemsChanged, this,
            &TfrmEdit::UpdateEditItems);
    connect(a->mniPrint, &QAction::triggered, m_printer, &WorkspacePrinter::mniPrintClick);
    connect(a->mniPrintSetup, &QAction::triggered, m_printer,
            &WorkspacePrinter::mniPrintSetupClick);
    connect(a->puiProperties, &QAction::triggered, this, &TfrmEdit::puiPropertiesClick);
    connect(a->mniEdit, &QMenu::aboutToShow, this, [this]() {
        refreshClipboardState();
        UpdateEditItems();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this]() {
        refreshClipboardState();
        UpdateEditItems();
    });
}

void TfrmEdit::connectView()
{
    connect(m_document, &TextDocument::contentsChanged, this, &TfrmEdit::mmoMemoChange);
    connect(m_document, &TextDocument::documentReset, this, &TfrmEdit::mmoMemoChange);
    connect(m_view, &TextView::selectionChanged, this, [this]() {
        m_textCommands->UpdateAlignmentItems();
        UpdateEditItems();
    });
    // mmoMemoKeyUp and mmoMemoMouseDown: whatever the key, the items follow the selection (Ctrl+A
    // at the end of the text selects without moving the caret).
    connect(m_view, &TextView::userInteracted, this, [this]() {
        UpdateCaretPanel();
        m_textCommands->UpdateAlignmentItems();
        UpdateEditItems();
    });
    connect(m_view, &TextView::focusReceived, this, &TfrmEdit::UpdateEditItems);
    connect(m_view, &TextView::contextMenuRequested, this, [this](const QPoint &pos) {
        refreshClipboardState();
        UpdateEditItems();
        m_actions->pumPopup->popup(pos);
    });
    connect(m_loader, &TextLoader::progress, m_status, &WorkspaceStatusBar::setProgress);
    connect(m_loader, &TextLoader::finished, this, [this]() { takeText(m_loader->takeResult()); });
    connect(m_loader, &TextLoader::failed, this, &TfrmEdit::loadFailed);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                if ((newState & Qt::WindowActive) && !(oldState & Qt::WindowActive)) {
                    mmoMemoChange();
                    checkDiskFile();
                }
            });
    // A change on disk is asked about at once in the Workspace in front, else when it comes
    // to the front.
    connect(m_watch, &FileWatch::touched, this, [this]() {
        if (isCurrentWorkspace())
            checkDiskFile();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive && isCurrentWorkspace())
                    checkDiskFile();
            });
}

// A new Workspace: untitled, empty, named after the folder the Open dialog starts in.
void TfrmEdit::showUntitled()
{
    m_untitled = true;
    m_path.clear();
    setWindowTitle(untitledName);
    QString folder = m_host->openDirectory();
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    m_status->setPath(u' ' + folder + untitledName);
    m_status->showSize();
    m_status->setText(WorkspaceStatusBar::Modified, QString());
    m_journal->setBase({});
    m_journal->setTitle(untitledName);
    updateFileItems();
    RefreshTaskbarTitle();
}

bool TfrmEdit::Open(const QString &path)
{
    return ErrorHandler::run([&]() { openFile(path); });
}

void TfrmEdit::openFile(const QString &path)
{
    startLoad(path, std::nullopt);
    m_host->setOpenDirectory(FilePath::directoryPart(path));
    takeName(path);
    AddRecentFile(path);
}

// A large file goes in on a worker thread; what can be told at once (a missing file, a
// folder, too little memory) is reported here all the same. Until the text is in, the old one
// stays, read-only.
void TfrmEdit::startLoad(const QString &path, std::optional<TextEncoding> encoding)
{
    const QFileInfo info(path);
    m_loadedIdentity = FileIdentity::of(path);
    if (!info.isFile() || info.size() <= kReadAtOnce) {
        TextDecoder::Options options;
        options.encoding = encoding;
        DecodedText text = TextFile::load(path, options);
        if (m_path.isEmpty())
            m_path = path;
        takeText(std::move(text));
        return;
    }
    TextFile::check(path);
    loadingChanged(true);
    m_loader->start(path, encoding);
}

bool TfrmEdit::reloadFile(std::optional<TextEncoding> encoding)
{
    if (m_untitled || loading())
        return false;
    m_reloading = true;
    const bool started = ErrorHandler::run([&]() { startLoad(m_path, encoding); });
    if (!loading())
        m_reloading = false;
    return started;
}

const FileIdentity &TfrmEdit::diskIdentity() const
{
    // While the file goes in, the file being read.
    return m_watch->watching() ? m_watch->known() : m_loadedIdentity;
}

void TfrmEdit::checkDiskFile()
{
    if (!loading() && !m_untitled)
        m_conflicts->check();
}

bool TfrmEdit::isCurrentWorkspace() const
{
    return mdiArea() && mdiArea()->activeSubWindow() == this
            && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void TfrmEdit::recover(const RecoveryFile &file)
{
    file.replayInto(*m_document);
    if (!file.path().isEmpty()) {
        takeName(file.path());
        m_host->setOpenDirectory(FilePath::directoryPart(file.path()));
        // What is on disk now is the file this text will be saved over.
        m_loadedIdentity = FileIdentity::of(file.path());
        m_watch->watch(file.path(), m_loadedIdentity);
    }
    setSizePanelWidth();
    m_journal->keepNow();
}

void TfrmEdit::reopenWithEncoding(TextEncoding encoding)
{
    if (m_document->isModified()
        && ask(QStringLiteral("Read %1 again as %2 and lose the changes made here?")
                       .arg(m_path, StatusTexts::encodingName(encoding)),
               false)
                != QMessageBox::Yes)
        return;
    reloadFile(encoding);
}

// Reading again needs a file, and none is read twice at once.
void TfrmEdit::updateFileItems()
{
    m_actions->mniReopenEncoding->setEnabled(!m_untitled && !loading());
}

bool TfrmEdit::loading() const
{
    return m_loader->running();
}

void TfrmEdit::takeText(DecodedText text)
{
    // Editable again before the text comes, for those waiting on it.
    loadingChanged(false);
    m_document->reset(std::move(text.storage), text.format, text.byteSize);
    m_reloading = false;
    setSizePanelWidth();
    m_watch->watch(m_path, m_loadedIdentity);
    m_journal->setBase({m_path, m_loadedIdentity});
    emit loadFinished();
}

// The file could not be read after all: the Workspace made for it goes, unless it was being
// read again, when its text stays.
void TfrmEdit::loadFailed(const QString &message)
{
    loadingChanged(false);
    ErrorHandler::report(message);
    if (m_reloading)
        m_reloading = false;
    else
        closeWithoutQuery();
}

void TfrmEdit::bindNewFile(const QString &path)
{
    m_host->setOpenDirectory(FilePath::directoryPart(path));
    takeName(path);
}

void TfrmEdit::goToLine(qsizetype line)
{
    m_goToLine->goToLine(line);
}

// While a file goes in, nothing may edit or save the half-loaded text.
void TfrmEdit::loadingChanged(bool loading)
{
    m_status->setProgress(loading ? 0 : -1);
    m_view->setReadOnly(loading);
    for (QAction *action : {m_actions->mniSave, m_actions->mniSaveAs, m_actions->mniPrint})
        action->setEnabled(!loading);
    m_actions->mniReopenEncoding->setEnabled(!loading && !m_untitled);
}

void TfrmEdit::takeName(const QString &path)
{
    m_untitled = false;
    m_path = path;
    setWindowTitle(FilePath::fileNamePart(path));
    m_journal->setTitle(windowTitle());
    updateFileItems();
    m_status->setPath(path);
    RefreshTaskbarTitle();
}

// Set once per file opened: 7 pixels a character of its size.
void TfrmEdit::setSizePanelWidth()
{
    const QString text = StatusTexts::size(m_document->byteSize());
    m_status->setPanelWidth(WorkspaceStatusBar::Size, int(text.size()) * 7);
}

const TextFormat &TfrmEdit::textFormat() const
{
    return m_document->format();
}

bool TfrmEdit::mniSaveClick()
{
    if (loading())
        return false;
    if (m_untitled)
        return mniSaveAsClick();
    bool saved = false;
    ErrorHandler::run([&]() { saved = saveTo(m_path, m_document->format()); });
    return saved;
}

bool TfrmEdit::saveTo(const QString &path, TextFormat format)
{
    // Another program's change to this very file is never written over unasked.
    if (path == m_path && !m_untitled && !m_conflicts->mayWrite())
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
bool TfrmEdit::encodableOrConverted(TextFormat &format)
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

void TfrmEdit::MakeBackup(const QString &path)
{
    if (m_host->automaticBackups())
        TextFile::makeBackup(path);
}

bool TfrmEdit::mniSaveAsClick()
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
        m_host->setOpenDirectory(FilePath::directoryPart(chosen));
        takeName(chosen);
        AddRecentFile(chosen);
        saved = true;
    });
    return saved;
}

QString TfrmEdit::chooseSaveName(TextFormat &format)
{
    const int filterIndex = DialogFilter::indexFromText(m_host->filterIndexText());
    HostTopmostDropped dropped(m_host);
    QFileDialog dialog(this, tr("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!m_host->openDirectory().isEmpty())
        dialog.setDirectory(m_host->openDirectory());
    const QStringList filters = DialogFilter::toNameFilters(m_host->filterString());
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    dialog.selectFile(m_untitled ? untitledName : FilePath::fileNamePart(m_path));
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
QComboBox *TfrmEdit::addEncodingChoice(QFileDialog &dialog, const TextFormat &format)
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

void TfrmEdit::tell(const QString &message)
{
    HostTopmostDropped dropped(m_host);
    std::unique_ptr<QMessageBox> box(
            AppMessageBox::create(this, AppMessageBox::Kind::Information, message));
    m_questionRunner ? m_questionRunner(*box) : box->exec();
}

int TfrmEdit::ask(const QString &message, bool withCancel)
{
    const auto kind =
            withCancel ? AppMessageBox::Kind::CloseQuestion : AppMessageBox::Kind::Question;
    HostTopmostDropped dropped(m_host);
    std::unique_ptr<QMessageBox> box(AppMessageBox::create(this, kind, message));
    return m_questionRunner ? m_questionRunner(*box) : box->exec();
}

bool TfrmEdit::FormCloseQuery()
{
    if (!m_document->isModified())
        return true;
    const QString name = windowTitle().isEmpty() ? QStringLiteral("Untitled") : windowTitle();
    const int answer = ask(QStringLiteral("Save Changes to '%1'\"?").arg(name), true);
    if (answer == QMessageBox::No)
        return true;
    if (answer == QMessageBox::Yes)
        return mniSaveClick();
    return false;
}

void TfrmEdit::closeWithoutQuery()
{
    m_closeApproved = true;
    close();
}

void TfrmEdit::closeEvent(QCloseEvent *event)
{
    if (m_closeApproved || FormCloseQuery()) {
        m_keyTimer->stop();
        m_loader->cancel();
        // Saved or given up: nothing of this Workspace is left to recover.
        m_journal->discard();
        m_watch->stop();
        QMdiSubWindow::closeEvent(event);
        return;
    }
    m_closeApproved = false;
    event->ignore();
}

void TfrmEdit::showEvent(QShowEvent *event)
{
    QMdiSubWindow::showEvent(event);
    // Only the first show maximises: a sub-window is shown again on every state change, and
    // restoring, tiling or cascading must not end maximised.
    if (!m_shownOnce && !(windowState() & Qt::WindowMaximized))
        setWindowState(windowState() | Qt::WindowMaximized);
    m_shownOnce = true;
    RebuildRecentMenu();
    RefreshTaskbarTitle();
    m_host->reapplyStayOnTop();
}

void TfrmEdit::AddRecentFile(const QString &name)
{
    m_host->addRecentFile(name);
    RebuildRecentMenu();
}

void TfrmEdit::RebuildRecentMenu()
{
    m_recentMenu->RebuildRecentMenu(m_host->recentFiles());
}

void TfrmEdit::RebuildFavoritesMenu()
{
    m_favoritesMenu->RebuildFavoritesMenu(m_host->favoriteFiles());
}

void TfrmEdit::RunMRU(const QString &name)
{
    if (m_host->openInNewWorkspace(name))
        AddRecentFile(name);
}

void TfrmEdit::RunFav(const QString &name)
{
    m_host->openInNewWorkspace(name);
}

// The status bar follows the document itself; this keeps the commands in step with the text.
void TfrmEdit::mmoMemoChange()
{
    UpdateCaretPanel();
    const bool hasText = !m_document->isEmpty();
    for (QAction *action : {m_actions->mniFind, m_actions->mniFindNext, m_actions->mniReplace,
                            m_actions->mniSelectAll})
        action->setEnabled(hasText);
    m_actions->mniConvert->setEnabled(hasText);
    UpdateEditItems();
    m_textCommands->UpdateAlignmentItems();
    RefreshTaskbarTitle();
}

void TfrmEdit::UpdateCaretPanel()
{
    m_status->showCaret();
}

// The clipboard is asked only when it changes or a menu opens: on X11 each question is a
// round trip to its owner, too slow for every keystroke.
void TfrmEdit::refreshClipboardState()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    m_clipboardHasText = data && data->hasText();
}

void TfrmEdit::UpdateEditItems()
{
    m_actions->mniPaste->setEnabled(m_clipboardHasText && !loading());
    const bool selected = m_view->selectionLength() != 0;
    for (QAction *action : {m_actions->mniCut, m_actions->mniCopy, m_actions->mniDelete})
        action->setEnabled(selected);
}

void TfrmEdit::setClock(const Clock *clock)
{
    m_clock = clock;
    m_textCommands->setClock(clock);
}

void TfrmEdit::puiPropertiesClick()
{
    ErrorHandler::run([this]() {
        HostTopmostDropped dropped(m_host);
        const FileProperties properties = FileProperties::read(
                {windowTitle(), m_status->text(WorkspaceStatusBar::Path),
                 m_untitled ? QString() : m_path, m_status->text(WorkspaceStatusBar::Size),
                 m_document->isModified()},
                *m_clock);
        TfrmProperties dialog(this);
        dialog.fill(properties);
        if (m_propertiesRunner)
            m_propertiesRunner(dialog);
        else
            dialog.exec();
    });
}

void TfrmEdit::RefreshTaskbarTitle()
{
    m_host->refreshTaskbarTitle();
}

void TfrmEdit::mniCustomizeToolBarClick()
{
    m_host->switchOffStayOnTop();
    m_actions->barTool->Customize(0);
}

void TfrmEdit::tmrKeyStateTimer()
{
    m_status->setText(WorkspaceStatusBar::Insert,
                      m_view->overwriteMode() ? QStringLiteral("OVR") : QStringLiteral("INS"));
    const KeyLockState locks = m_keyLockReader();
    m_status->setText(WorkspaceStatusBar::NumLock,
                      locks.numLock.value_or(false) ? QStringLiteral("NUM") : QString());
    m_status->setText(WorkspaceStatusBar::CapsLock,
                      locks.capsLock.value_or(false) ? QStringLiteral("CAP") : QString());
}

QList<QMenu *> TfrmEdit::mergedMenus() const
{
    return {m_actions->mniFile, m_actions->mniEdit, m_actions->mniCharacter, m_actions->mniSearch};
}
