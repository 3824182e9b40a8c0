#include "tfrmedit.h"

#include "base/topmostcontrol.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "settings/ui/tformstorage.h"
#include "toolbar/ui/speedbardock.h"
#include "toolbar/ui/tspeedbar.h"
#include "workspace/ui/framecommands.h"
#include "workspace/ui/searchcontroller.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspaceeditcommands.h"
#include "workspace/ui/workspacegotoline.h"
#include "workspace/ui/workspaceprinter.h"
#include "workspace/ui/workspacestatusbar.h"
#include "workspace/ui/workspacetextcommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QVBoxLayout>

TfrmEdit::TfrmEdit(const WorkspaceServices &services, QWidget *parent)
    : QMdiSubWindow(parent)
    , m_services(services)
    , m_file(new WorkspaceFile(this))
{
    setObjectName(QStringLiteral("frmEdit"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *body = new QWidget(this);
    buildParts(body);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new SpeedbarDock(m_actions->barTool, m_view, body), 1);
    layout->addWidget(m_status);
    setWidget(body);
    setFocusProxy(m_view);

    connectActions();
    connectView();
    connectFile();
    // The window menu's Close answers Ctrl+W too; File > Close keeps it (Ctrl+F4 stays there).
    m_actions->takeKeysFrom(systemMenu());
    m_files->showUntitled();
    tmrKeyStateTimer();
    if (m_services.store)
        attachStore(m_services.store);
}

TfrmEdit::~TfrmEdit() = default;

void TfrmEdit::buildParts(QWidget *body)
{
    const WorkspaceServices &s = m_services;
    m_actions = new WorkspaceActions(this, m_services.frame->frameCommands());
    m_document = new TextDocument(this);
    m_view = new TextView(m_document, body);
    m_view->setObjectName(QStringLiteral("mmoMemo"));
    m_files = new WorkspaceFileCommands(m_document, m_file, s.options, s.topmost, this);
    m_status = new WorkspaceStatusBar(body);
    m_status->follow(m_document, m_view, m_file);
    m_textCommands = new WorkspaceTextCommands(m_view, m_actions, s.options, s.topmost, this);
    m_printer = new WorkspacePrinter(m_view, s.frame, s.topmost, this);
    m_search = new SearchController(m_view, m_actions, s.topmost, this);
    m_goToLine = new WorkspaceGoToLine(m_view, m_actions->mniGoToLine, s.topmost, this);
    m_fileMenus = new WorkspaceFileMenus(m_actions->mniReopen, m_actions->mniFavFiles, s.fileLists,
                                         s.frame, this);
    m_properties = new PropertiesLauncher(m_file, m_document, s.topmost, this);
    m_lockKeys = new LockKeyPoller(m_status, m_view, this);
    m_edit = new WorkspaceEditCommands(
            m_view, m_actions, m_textCommands, [this]() { return loading(); }, this);
}

// All Workspaces share one section: the last one saved sets the next one's font.
void TfrmEdit::attachStore(SettingsStore *store)
{
    m_storage = new TFormStorage(this, store);
    m_storage->IniSection = QStringLiteral("Edit Form");
    m_storage->options = TFormPlacement::fpState;
    m_storage->setStoredProps({QStringLiteral("mmoMemo.Font")});
    m_actions->barTool->setIniStorage(m_storage);
}

void TfrmEdit::connectActions()
{
    WorkspaceActions *a = m_actions;
    connect(a->mniFile, &QMenu::aboutToShow, m_fileMenus,
            &WorkspaceFileMenus::RebuildFavoritesMenu);
    connect(a->mniClose, &QAction::triggered, this, &QWidget::close);
    connect(a->mniSave, &QAction::triggered, m_files, &WorkspaceFileCommands::mniSaveClick);
    connect(a->mniSaveAs, &QAction::triggered, m_files, &WorkspaceFileCommands::mniSaveAsClick);
    for (QAction *item : a->encodingItems)
        connect(item, &QAction::triggered, this,
                [this, item]() { reopenWithEncoding(TextEncoding(item->data().toInt())); });
    connect(m_search, &SearchController::searched, m_edit, &WorkspaceEditCommands::UpdateEditItems);
    connect(a->mniPrint, &QAction::triggered, m_printer, &WorkspacePrinter::mniPrintClick);
    connect(a->mniPrintSetup, &QAction::triggered, m_printer,
            &WorkspacePrinter::mniPrintSetupClick);
    connect(a->puiProperties, &QAction::triggered, m_properties,
            &PropertiesLauncher::puiPropertiesClick);
    connect(a->mniCustomizeToolBar, &QAction::triggered, this, &TfrmEdit::mniCustomizeToolBarClick);
}

void TfrmEdit::connectView()
{
    connect(m_document, &TextDocument::contentsChanged, this, &TfrmEdit::mmoMemoChange);
    connect(m_document, &TextDocument::documentReset, this, &TfrmEdit::mmoMemoChange);
    // mmoMemoKeyUp and mmoMemoMouseDown: whatever the key, the items follow the selection (Ctrl+A
    // at the end of the text selects without moving the caret).
    connect(m_view, &TextView::userInteracted, this, [this]() {
        UpdateCaretPanel();
        m_textCommands->UpdateAlignmentItems();
        m_edit->UpdateEditItems();
    });
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                if ((newState & Qt::WindowActive) && !(oldState & Qt::WindowActive)) {
                    mmoMemoChange();
                    checkDiskFile();
                }
            });
}

void TfrmEdit::connectFile()
{
    connect(m_file, &WorkspaceFile::nameChanged, this, [this]() {
        setWindowTitle(m_file->caption());
        updateFileItems();
        RefreshTaskbarTitle();
    });
    connect(m_files, &WorkspaceFileCommands::fileNamed, m_fileMenus,
            &WorkspaceFileMenus::AddRecentFile);
    connect(m_files, &WorkspaceFileCommands::loadingChanged, this, &TfrmEdit::loadingChanged);
    connect(m_files, &WorkspaceFileCommands::progress, m_status, &WorkspaceStatusBar::setProgress);
    connect(m_files, &WorkspaceFileCommands::textTaken, m_status,
            &WorkspaceStatusBar::fitSizePanel);
    connect(m_files, &WorkspaceFileCommands::loadFinished, this, &TfrmEdit::loadFinished);
    connect(m_files, &WorkspaceFileCommands::openFailed, this, &TfrmEdit::closeWithoutQuery);
    // A change on disk is asked about at once in the Workspace in front, else when it comes
    // to the front.
    connect(m_files, &WorkspaceFileCommands::changedOnDisk, this, [this]() {
        if (isCurrentWorkspace())
            checkDiskFile();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive && isCurrentWorkspace())
                    checkDiskFile();
            });
}

bool TfrmEdit::isCurrentWorkspace() const
{
    return mdiArea() && mdiArea()->activeSubWindow() == this
            && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

// Reading again needs a file, and none is read twice at once.
void TfrmEdit::updateFileItems()
{
    m_actions->mniReopenEncoding->setEnabled(!untitled() && !loading());
}

// While a file goes in, nothing may edit or save the half-loaded text.
void TfrmEdit::loadingChanged(bool loading)
{
    m_view->setReadOnly(loading);
    for (QAction *action : {m_actions->mniSave, m_actions->mniSaveAs, m_actions->mniPrint})
        action->setEnabled(!loading);
    m_actions->mniReopenEncoding->setEnabled(!loading && !untitled());
}

void TfrmEdit::goToLine(qsizetype line)
{
    m_goToLine->goToLine(line);
}

const TextFormat &TfrmEdit::textFormat() const
{
    return m_document->format();
}

void TfrmEdit::closeWithoutQuery()
{
    m_closeApproved = true;
    close();
}

void TfrmEdit::closeEvent(QCloseEvent *event)
{
    if (m_closeApproved || FormCloseQuery()) {
        m_lockKeys->stop();
        m_files->closing();
        QMdiSubWindow::closeEvent(event);
        if (m_storage)
            m_storage->formClosed();
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
    m_services.topmost->reapply();
}

// The status bar follows the document itself; this keeps the commands in step with the text.
void TfrmEdit::mmoMemoChange()
{
    UpdateCaretPanel();
    m_edit->followText();
    RefreshTaskbarTitle();
}

void TfrmEdit::UpdateCaretPanel()
{
    m_status->showCaret();
}

void TfrmEdit::setClock(const Clock *clock)
{
    m_textCommands->setClock(clock);
    m_properties->setClock(clock);
}

void TfrmEdit::RefreshTaskbarTitle()
{
    m_services.frame->refreshTaskbarTitle();
}

void TfrmEdit::mniCustomizeToolBarClick()
{
    m_services.topmost->switchOff();
    m_actions->barTool->Customize(0);
}

QList<QMenu *> TfrmEdit::mergedMenus() const
{
    return {m_actions->mniFile, m_actions->mniEdit, m_actions->mniCharacter, m_actions->mniSearch};
}
