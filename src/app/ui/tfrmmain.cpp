#include "tfrmmain.h"

#include "app/commandline.h"
#include "base/errorhandler.h"
#include "base/opendialogsettings.h"
#include "base/ui/commandactions.h"
#include "base/valuelabel.h"
#include "buttonhints.h"
#include "defaulteditoroption.h"
#include "filedropfilter.h"
#include "frameactions.h"
#include "framedialogs.h"
#include "framefilemenus.h"
#include "framehelp.h"
#include "framesettings.h"
#include "framestartup.h"
#include "frametoolbar.h"
#include "frametray.h"
#include "frameworkspaces.h"
#include "mdiiconarranger.h"
#include "mditiler.h"
#include "menumerger.h"
#include "openfilechooser.h"
#include "settings/ui/tformstorage.h"
#include "stayontop.h"
#include "toolbar/ui/speedbardock.h"
#include "toolbar/ui/tspeedbar.h"
#include "windowmenu.h"
#include "workspace/ui/tfrmedit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

#include <utility>

const QString TfrmMain::DefaultFilter =
        QStringLiteral("Text Files (*.TXT)|*.txt|Initialization Files (*.INI)|*.ini|"
                       "HTML Files (*.HTM)|*.htm|All Files (*.*)|*.*");

namespace {
const QString kTitle = QStringLiteral("Leafstack");

} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent)
    , m_mdiArea(new QMdiArea(this))
    , m_workspaces(
              new FrameWorkspaces(m_mdiArea, [this] { return new TfrmEdit(workspaceServices()); }))
    , m_actions(new FrameActions(this))
    , m_settings(new FrameSettings(this, DefaultFilter))
    , m_fileMenus(new FrameFileMenus(*m_actions, this))
    , m_toolBar(std::make_unique<FrameToolBar>(this, *m_actions))
    , m_merger(std::make_unique<MenuMerger>(menuBar(), m_actions->frameMenus()))
    , m_windowMenu(new WindowMenu(m_actions->mnuWindow, m_mdiArea))
    , m_stayOnTop(new StayOnTop(this, m_actions->mniStayOnTop))
    , m_buttonHints(new ButtonHints(this))
    , m_drops(nullptr)
    , m_startup(
              std::make_unique<FrameStartup>(this, *m_workspaces, *m_stayOnTop,
                                             [this](const QString &path) { addRecentFile(path); }))
    , m_hintPanel(new QLabel(this))
    , m_help(std::make_unique<FrameHelp>(*m_stayOnTop, QCoreApplication::applicationDirPath()))
    , m_dialogs(std::make_unique<FrameDialogs>(this, *m_stayOnTop, *m_settings))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kTitle);
    // A sunken edge around the client area.
    m_mdiArea->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCentralWidget(new SpeedbarDock(m_toolBar->bar(), m_mdiArea, this));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_hintPanel, 1);
    m_hintPanel->setObjectName(QStringLiteral("pnlHint"));
    m_merger->merge({});
    resize(800, 600);
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    FormDestroy();
    // The Workspaces go while the frame they report to is still whole.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    disconnect(m_workspaces, nullptr, this, nullptr);
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        disconnect(window, nullptr, this, nullptr);
        delete window;
    }
}

void TfrmMain::setCommandLine(const QStringList &arguments, const QString &workingDirectory)
{
    m_arguments = arguments;
    m_workingDirectory = workingDirectory;
}

QString TfrmMain::helpFileName() const
{
    return m_help->helpFileName();
}

void TfrmMain::setProgramFolder(const QString &folder)
{
    m_help->setProgramFolder(folder);
}

QString TfrmMain::programFolder() const
{
    return m_help->programFolder();
}

HelpWindow *TfrmMain::helpWindow() const
{
    return m_help->window();
}

QString TfrmMain::statusText() const
{
    return m_hintPanel->text();
}

QList<TfrmEdit *> TfrmMain::workspaces() const
{
    return m_workspaces->all();
}

TfrmEdit *TfrmMain::activeWorkspace() const
{
    return m_workspaces->active();
}

// ---- start-up and shutdown

void TfrmMain::FormCreate()
{
    setAcceptDrops(true);
    m_drops = new FileDropFilter(this);
    connect(m_drops, &FileDropFilter::fileDropped, this, [this](const QString &path) {
        if (OpenFile(path))
            addRecentFile(path);
    });
    m_defaultEditor = new DefaultEditorOption(
            m_actions->mniSetDefault,
            DefaultEditor::forThisDesktop(QCoreApplication::applicationFilePath()), this);
    m_tray = new FrameTray(this, m_actions->pumTray);
    connectCommands();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TfrmMain::workspaceActivated);
    connect(m_workspaces, &FrameWorkspaces::captionChanged, this, &TfrmMain::updateCaption);
    connect(m_workspaces, &FrameWorkspaces::removed, this, &TfrmMain::ActiveFormChange);
    // The options' effects follow their check marks, whether the user or the stored settings
    // turn them; this puts the defaults in place.
    mniButtonHintsClick();
    mniMainStatusBarClick();
    mniAutomaticBackupsClick();
    ActiveFormChange();
}

void TfrmMain::connectCommands()
{
    using Slot = void (TfrmMain::*)();
    static const std::pair<const char *, Slot> commands[] = {
            {"mniOpen", &TfrmMain::OpenChild},
            {"mniCustomize", &TfrmMain::mniCustomizeClick},
            {"mniPrinterSetup", &TfrmMain::mniPrinterSetupClick},
            {"mniExit", &TfrmMain::mniExitClick},
            {"mniTile", &TfrmMain::mniTileClick},
            {"mniCascade", &TfrmMain::mniCascadeClick},
            {"mniArrange", &TfrmMain::mniArrangeClick},
            {"mniSetDefault", &TfrmMain::mniSetDefaultClick},
            {"mniPreferences", &TfrmMain::mniPreferencesClick},
            {"mniContents", &TfrmMain::mniContentsClick},
            {"mniSearchForHelpOn", &TfrmMain::mniSearchForHelpOnClick},
            {"mniHowtoUseHelp", &TfrmMain::mniHowtoUseHelpClick},
            {"mniWhatsNew", &TfrmMain::mniWhatsNewClick},
            {"mniAbout", &TfrmMain::mniAboutLeafstackClick},
            {"puiLeafstack", &TfrmMain::puiLeafstackClick},
    };
    // Every command runs inside the error handler: what fails is shown, never thrown into Qt.
    for (const auto &[id, slot] : commands) {
        connect(m_actions->commands().action(QLatin1String(id)), &QAction::triggered, this,
                [this, slot = slot] { ErrorHandler::run([&] { (this->*slot)(); }); });
    }
    const FrameActions &a = *m_actions;
    connect(a.mniNew, &QAction::triggered, this,
            [this] { ErrorHandler::run([&] { NewChild(); }); });
    // The options follow their check marks, whoever turns them.
    connect(a.mniButtonHints, &QAction::toggled, this, &TfrmMain::mniButtonHintsClick);
    connect(a.mniMainStatusBar, &QAction::toggled, this, &TfrmMain::mniMainStatusBarClick);
    connect(a.mniAutomaticBackups, &QAction::toggled, this, &TfrmMain::mniAutomaticBackupsClick);
    connect(&m_settings->sharedOptions(), &SharedOptions::automaticBackupsChanged,
            a.mniAutomaticBackups, &QAction::setChecked);
    connect(a.mnuOptions, &QMenu::aboutToShow, this, &TfrmMain::mniOptionsClick);
    connect(a.mnuFile, &QMenu::aboutToShow, this, &TfrmMain::mniFileClick);
    connect(m_fileMenus, &FrameFileMenus::recentChosen, this, &TfrmMain::RunMRU);
    connect(m_fileMenus, &FrameFileMenus::favoriteChosen, this, &TfrmMain::RunFav);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TfrmMain::FormShow()
{
    const QList<CommandLine::FileRequest> files =
            CommandLine::filesToOpen(m_arguments, m_workingDirectory);
    if (files.isEmpty())
        NewChild();
    // Once the frame is on the screen, so that what is reported shows over it.
    QTimer::singleShot(0, this, [this, files] {
        if (!files.isEmpty())
            m_startup->openFiles(files);
        m_startup->reportKeptCopies();
        m_startup->offerRecovery();
    });
}

void TfrmMain::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    ErrorHandler::run([this] { m_settings->SaveFileLists(); });
    m_help->close();
    delete m_drops;
    m_drops = nullptr;
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!m_workspaces->mayAllClose()) {
        event->ignore();
        return;
    }
    for (TfrmEdit *workspace : workspaces())
        workspace->closeWithoutQuery();
    FormDestroy();
    event->accept();
    m_settings->formClosed();
}

bool TfrmMain::commitSession(bool mayAsk)
{
    if (mayAsk)
        return close();
    m_settings->saveNow();
    return true;
}

// ---- Workspaces

TfrmEdit *TfrmMain::createWorkspace()
{
    return m_workspaces->create();
}

void TfrmMain::setQuestionRunner(QuestionRunner runner)
{
    m_startup->setQuestionRunner(std::move(runner));
}

const CommandActions &TfrmMain::frameCommands() const
{
    return m_actions->commands();
}

TfrmEdit *TfrmMain::NewChild()
{
    TfrmEdit *workspace = createWorkspace();
    workspace->show();
    refreshTaskbarTitle();
    return workspace;
}

TfrmEdit *TfrmMain::OpenFile(const QString &path)
{
    return m_workspaces->open(path);
}

void TfrmMain::OpenChild()
{
    TopmostDropped dropped(*m_stayOnTop);
    const QString file = OpenFileChooser::choose(this, *m_settings->dlgOpenFile(),
                                                 m_settings->lblFilter()->caption());
    if (!file.isEmpty() && OpenFile(file))
        addRecentFile(file);
}

void TfrmMain::mniWhatsNewClick()
{
    const QString readme = m_help->readmeFileName();
    if (OpenFile(readme))
        addRecentFile(readme);
}

void TfrmMain::addRecentFile(const QString &path)
{
    m_settings->fileLists().AddRecentFile(path);
    m_fileMenus->rebuildRecent(m_settings->fileLists());
}

void TfrmMain::RunMRU(const QString &name)
{
    if (!OpenFile(name))
        return; // the entry stays; the error has been shown
    addRecentFile(name);
    m_settings->dlgOpenFile()->setInitialDir(QFileInfo(name).absolutePath());
}

void TfrmMain::RunFav(const QString &name)
{
    OpenFile(name);
}

WorkspaceServices TfrmMain::workspaceServices()
{
    return {&m_settings->sharedOptions(), &m_settings->fileLists(), m_stayOnTop, this,
            m_settings->store()};
}

void TfrmMain::setSettingsStore(SettingsStore *store)
{
    m_settings->attachStore(store);
    m_toolBar->bar()->setIniStorage(m_settings->storage());
    m_defaultEditor->setStore(store);
}

// ---- window arrangement

void TfrmMain::mniTileClick()
{
    MdiTiler::tile(m_mdiArea);
}

void TfrmMain::mniCascadeClick()
{
    MdiTiler::cascade(m_mdiArea);
}

void TfrmMain::mniArrangeClick()
{
    MdiIconArranger::arrange(m_mdiArea);
}

void TfrmMain::mniExitClick()
{
    close();
}

// ---- activation, captions and hints

void TfrmMain::workspaceActivated()
{
    TfrmEdit *workspace = activeWorkspace();
    m_merger->merge(workspace ? workspace->mergedMenus() : QList<QMenu *>());
    updateCaption();
    ActiveFormChange();
}

void TfrmMain::ActiveFormChange()
{
    if (m_destroyed)
        return;
    const bool any = !m_mdiArea->subWindowList().isEmpty();
    m_actions->mniTile->setEnabled(any);
    m_actions->mniCascade->setEnabled(any);
    m_actions->mniArrange->setEnabled(any);
}

void TfrmMain::updateCaption()
{
    TfrmEdit *workspace = activeWorkspace();
    const bool named = workspace && workspace->isMaximized() && !workspace->windowTitle().isEmpty();
    const QString caption =
            named ? QStringLiteral("%1 - [%2]").arg(kTitle, workspace->windowTitle()) : kTitle;
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void TfrmMain::refreshTaskbarTitle()
{
    // The desktop's task bar shows the frame's own title; keep it current.
    updateCaption();
}

bool TfrmMain::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::ShowHint(const QString &hint)
{
    m_hintPanel->setText(QLatin1Char(' ') + hint);
}

// ---- options

void TfrmMain::mniButtonHintsClick()
{
    m_buttonHints->setOn(m_actions->mniButtonHints->isChecked());
}

void TfrmMain::mniAutomaticBackupsClick()
{
    // Each save reads the shared option; the check mark sets it.
    m_settings->sharedOptions().setAutomaticBackups(m_actions->mniAutomaticBackups->isChecked());
}

void TfrmMain::mniMainStatusBarClick()
{
    statusBar()->setVisible(m_actions->mniMainStatusBar->isChecked());
}

void TfrmMain::mniStayOnTopClick()
{
    m_stayOnTop->toggle();
}

void TfrmMain::mniOptionsClick()
{
    m_defaultEditor->refresh();
}

void TfrmMain::mniSetDefaultClick()
{
    m_defaultEditor->choose();
}

// ---- dialogs

QPrinter *TfrmMain::printer()
{
    return m_dialogs->printer();
}

void TfrmMain::mniPrinterSetupClick()
{
    m_dialogs->printerSetup();
}

void TfrmMain::mniAboutLeafstackClick()
{
    m_dialogs->about();
}

void TfrmMain::mniPreferencesClick()
{
    m_dialogs->preferences();
}

void TfrmMain::mniCustomizeClick()
{
    m_dialogs->customize(m_toolBar->bar());
}

void TfrmMain::mniFileClick()
{
    m_fileMenus->rebuild(m_settings->fileLists());
}

// ---- help

void TfrmMain::mniContentsClick()
{
    m_help->showContents();
}

void TfrmMain::mniSearchForHelpOnClick()
{
    m_help->showIndex();
}

void TfrmMain::mniHowtoUseHelpClick()
{
    m_help->showHowToUse();
}

// ---- minimise and restore

void TfrmMain::MinimizeApplication()
{
    m_stayOnTop->dropTopmost();
    refreshTaskbarTitle();
    showMinimized();
}

void TfrmMain::puiLeafstackClick()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    m_stayOnTop->restoreTopmost();
    raise();
    activateWindow();
}

void TfrmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // Minimising by the title bar takes the same road as the program's own minimise.
    if (isMinimized())
        m_stayOnTop->dropTopmost();
    else
        m_stayOnTop->restoreTopmost();
}
