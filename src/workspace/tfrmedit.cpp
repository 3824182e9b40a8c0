#include "tfrmedit.h"

#include "app/apperror.h"
#include "app/appmessagebox.h"
#include "app/errorhandler.h"
#include "app/filelistmenu.h"
#include "controls/plaineditcontrol.h"
#include "format/numberformatter.h"
#include "format/systemclock.h"
#include "platform/filepath.h"
#include "settings/tformstorage.h"
#include "toolbar/speedbardock.h"
#include "toolbar/tspeedbar.h"
#include "workspace/dialogfilter.h"
#include "workspace/fileproperties.h"
#include "workspace/hosttopmostdropped.h"
#include "workspace/searchcontroller.h"
#include "workspace/tfrmproperties.h"
#include "workspace/workspaceactions.h"
#include "workspace/workspacegotoline.h"
#include "workspace/workspacehost.h"
#include "workspace/workspaceprinter.h"
#include "workspace/workspacestatusbar.h"
#include "workspace/workspacetextcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

const QString TfrmEdit::untitledName = QStringLiteral("untitled.txt");

namespace {
QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Utf16LE:
        return QStringLiteral("UTF-16 LE");
    case TextEncoding::Utf16BE:
        return QStringLiteral("UTF-16 BE");
    case TextEncoding::SingleByte:
        break;
    }
    return QStringLiteral("Windows-1252");
}
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
    m_actions = new WorkspaceActions(this);
    auto *edit = new PlainEditControl(body);
    edit->setObjectName(QStringLiteral("mmoMemo"));
    m_edit = edit;
    m_status = new WorkspaceStatusBar(body);
    m_textCommands = new WorkspaceTextCommands(m_edit, m_actions, m_host, this);
    m_printer = new WorkspacePrinter(m_edit, m_host, this);
    m_clock = &SystemClock::instance();
    m_search = new SearchController(m_edit, m_actions, m_host, this);
    connect(m_search, &SearchController::searched, this, &TfrmEdit::UpdateEditItems);
    m_goToLine = new WorkspaceGoToLine(m_edit, m_actions->mniGoToLine, m_host, this);
    layout->addWidget(new SpeedbarDock(m_actions->barTool, m_edit, body), 1);
    layout->addWidget(m_status);
    setWidget(body);
    setFocusProxy(m_edit);

    connectActions();
    connectEditControl();
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
    connect(a->mniNew, &QAction::triggered, this, [this]() { m_host->newChild(); });
    connect(a->mniOpen, &QAction::triggered, this, [this]() { m_host->openChild(); });
    connect(a->mniExit, &QAction::triggered, this, [this]() { m_host->exitApplication(); });
    connect(a->mniClose, &QAction::triggered, this, &QWidget::close);
    connect(a->mniSave, &QAction::triggered, this, &TfrmEdit::mniSaveClick);
    connect(a->mniSaveAs, &QAction::triggered, this, &TfrmEdit::mniSaveAsClick);
    connect(a->mniCut, &QAction::triggered, m_edit, &EditControl::cut);
    connect(a->mniCopy, &QAction::triggered, m_edit, &EditControl::copy);
    connect(a->mniPaste, &QAction::triggered, m_edit, &EditControl::paste);
    connect(a->mniDelete, &QAction::triggered, m_edit, &EditControl::deleteSelection);
    connect(a->mniSelectAll, &QAction::triggered, this, [this]() {
        m_edit->selectAll();
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

void TfrmEdit::connectEditControl()
{
    connect(m_edit, &EditControl::textChanged, this, &TfrmEdit::mmoMemoChange);
    connect(m_edit, &EditControl::modifiedChanged, this, [this](bool modified) {
        m_status->setText(WorkspaceStatusBar::Modified,
                          modified ? QStringLiteral("Modified") : QString());
    });
    const auto followCaret = [this]() {
        UpdateCaretPanel();
        m_textCommands->UpdateAlignmentItems();
        UpdateEditItems();
    };
    connect(m_edit, &EditControl::caretMoved, this, followCaret);
    // Ctrl+A at the end of the text selects without moving the caret: every key released
    // and every click refreshes the items.
    connect(m_edit, &EditControl::userInteracted, this, followCaret);
    connect(m_edit, &EditControl::overwriteModeChanged, this, [this](bool on) {
        m_status->setText(WorkspaceStatusBar::Insert,
                          on ? QStringLiteral("OVR") : QStringLiteral("INS"));
    });
    connect(m_edit, &EditControl::focusReceived, this, &TfrmEdit::UpdateEditItems);
    connect(m_edit, &EditControl::contextMenuRequested, this, [this](const QPoint &pos) {
        refreshClipboardState();
        UpdateEditItems();
        m_actions->pumPopup->popup(pos);
    });
    connect(m_edit, &EditControl::loadProgress, m_status, &WorkspaceStatusBar::setProgress);
    connect(m_edit, &EditControl::loadFinished, this, [this]() {
        loadingChanged(false);
        emit loadFinished();
    });
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                if ((newState & Qt::WindowActive) && !(oldState & Qt::WindowActive))
                    mmoMemoChange();
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
    m_status->setText(WorkspaceStatusBar::Size,
                      FormatNumberText(QStringLiteral("#,###,##0 bytes"), 0));
    m_status->setText(WorkspaceStatusBar::Modified, QString());
    RefreshTaskbarTitle();
}

bool TfrmEdit::Open(const QString &path)
{
    return ErrorHandler::run([&]() { openFile(path); });
}

void TfrmEdit::openFile(const QString &path)
{
    LoadedText loaded = TextFile::load(path);
    const qsizetype length = loaded.text.size();
    m_host->setOpenDirectory(FilePath::directoryPart(path));
    m_format = loaded.format;
    takeName(path);
    AddRecentFile(path);
    m_edit->loadPlainText(std::move(loaded.text));
    loadingChanged(true);
    setSizePanel(length, true);
    m_status->setText(WorkspaceStatusBar::Modified, QString());
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

// While a file goes in, nothing may save the half-loaded text.
void TfrmEdit::loadingChanged(bool loading)
{
    const bool busy = loading && m_edit->loading();
    m_status->setProgress(busy ? 0 : -1);
    m_actions->mniSave->setEnabled(!busy);
    m_actions->mniSaveAs->setEnabled(!busy);
}

void TfrmEdit::takeName(const QString &path)
{
    m_untitled = false;
    m_path = path;
    setWindowTitle(FilePath::fileNamePart(path));
    m_status->setPath(path);
    RefreshTaskbarTitle();
}

void TfrmEdit::setSizePanel(qsizetype length, bool adjustWidth)
{
    const QString text = FormatNumberText(QStringLiteral("#,###,##0 bytes"), double(length));
    if (adjustWidth)
        m_status->setPanelWidth(WorkspaceStatusBar::Size, int(text.size()) * 7);
    m_status->setText(WorkspaceStatusBar::Size, text);
}

bool TfrmEdit::mniSaveClick()
{
    if (m_edit->loading())
        return false;
    if (m_untitled)
        return mniSaveAsClick();
    bool saved = false;
    ErrorHandler::run([&]() { saved = saveTo(m_path, m_format); });
    return saved;
}

bool TfrmEdit::saveTo(const QString &path, TextFormat format)
{
    const QString text = m_edit->plainText();
    if (!encodableOrConverted(text, format))
        return false;
    MakeBackup(path);
    TextFile::save(path, text, format);
    m_format = format;
    m_edit->setModified(false);
    m_status->setText(WorkspaceStatusBar::Modified, QString());
    return true;
}

// A character the file's encoding cannot store would make the save fail; offer UTF-8 instead.
bool TfrmEdit::encodableOrConverted(const QString &text, TextFormat &format)
{
    if (TextFile::findUnencodable(text, format.encoding) < 0)
        return true;
    const QString message =
            QStringLiteral("The text holds characters that %1 cannot store.\rSave it as UTF-8?")
                    .arg(encodingName(format.encoding));
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
    if (m_edit->loading())
        return false;
    bool saved = false;
    ErrorHandler::run([&]() {
        const QString chosen = chooseSaveName();
        if (chosen.isEmpty())
            return;
        // The Workspace takes the new name only once the file holds its text.
        if (!saveTo(chosen, m_format))
            return;
        m_host->setOpenDirectory(FilePath::directoryPart(chosen));
        takeName(chosen);
        AddRecentFile(chosen);
        saved = true;
    });
    return saved;
}

QString TfrmEdit::chooseSaveName()
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
    if (m_saveDialogRunner)
        return m_saveDialogRunner(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
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
    if (!m_edit->isModified())
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

void TfrmEdit::mmoMemoChange()
{
    UpdateCaretPanel();
    setSizePanel(m_edit->textLength(), false);
    m_status->setText(WorkspaceStatusBar::Modified,
                      m_edit->isModified() ? QStringLiteral("Modified") : QString());
    const bool hasText = m_edit->textLength() > 0;
    for (QAction *action : {m_actions->mniFind, m_actions->mniFindNext, m_actions->mniReplace,
                            m_actions->mniSelectAll})
        m_actions->setAvailable(action, hasText);
    m_actions->mniConvert->setEnabled(hasText);
    UpdateEditItems();
    m_textCommands->UpdateAlignmentItems();
    RefreshTaskbarTitle();
}

void TfrmEdit::UpdateCaretPanel()
{
    const qsizetype start = m_edit->selectionStart();
    const qsizetype line = m_edit->lineOfOffset(start);
    const qsizetype column = start - m_edit->lineStart(line) + 1;
    m_status->setText(WorkspaceStatusBar::Caret, QStringLiteral("%1:%2").arg(line + 1).arg(column));
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
    m_actions->setAvailable(m_actions->mniPaste, m_clipboardHasText && !m_edit->loading());
    const bool selected = m_edit->selectionLength() != 0;
    for (QAction *action : {m_actions->mniCut, m_actions->mniCopy, m_actions->mniDelete})
        m_actions->setAvailable(action, selected);
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
                 m_edit->isModified()},
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
                      m_edit->overwriteMode() ? QStringLiteral("OVR") : QStringLiteral("INS"));
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
