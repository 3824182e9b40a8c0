#include "tfrmmain.h"

#include "app/commandline.h"
#include "base/apperror.h"
#include "base/dialogfilter.h"
#include "base/errorhandler.h"
#include "base/opendialogsettings.h"
#include "base/ui/appmessagebox.h"
#include "base/valuelabel.h"
#include "buttonhints.h"
#include "controls/textdocument.h"
#include "defaulteditoroption.h"
#include "filedropfilter.h"
#include "frameactions.h"
#include "framesettings.h"
#include "frametoolbar.h"
#include "frametray.h"
#include "helpwindow.h"
#include "mdiiconarranger.h"
#include "mditiler.h"
#include "menumerger.h"
#include "platform/fileidentity.h"
#include "platform/keptcopies.h"
#include "preferences/ui/tfrmtools.h"
#include "settings/ui/tformstorage.h"
#include "stayontop.h"
#include "tfrmabout.h"
#include "toolbar/ui/speedbardock.h"
#include "toolbar/ui/tspeedbar.h"
#include "windowmenu.h"
#include "workspace/recoveryfile.h"
#include "workspace/recoveryfolder.h"
#include "workspace/ui/tfrmedit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

const QString TfrmMain::DefaultFilter =
        QStringLiteral("Text Files (*.TXT)|*.txt|Initialization Files (*.INI)|*.ini|"
                       "HTML Files (*.HTM)|*.htm|All Files (*.*)|*.*");

namespace {
const QString kTitle = QStringLiteral("Leafstack");

// The 1-based place of the chosen filter; the dialog reports it without its patterns.
int selectedFilterIndex(const QStringList &filters, const QString &selected)
{
    for (int i = 0; i < filters.size(); ++i) {
        const QString &filter = filters.at(i);
        if (filter == selected || filter.startsWith(selected + QStringLiteral(" (")))
            return i + 1;
    }
    return 1;
}
} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent)
    , m_mdiArea(new QMdiArea(this))
    , m_actions(new FrameActions(this))
    , m_settings(new FrameSettings(this, *m_actions, DefaultFilter))
    , m_toolBar(std::make_unique<FrameToolBar>(this, *m_actions))
    , m_merger(std::make_unique<MenuMerger>(menuBar(), m_actions->frameMenus()))
    , m_windowMenu(new WindowMenu(m_actions->mnuWindow, m_mdiArea))
    , m_stayOnTop(new StayOnTop(this, m_actions->mniStayOnTop))
    , m_buttonHints(new ButtonHints(this))
    , m_drops(nullptr)
    , m_hintPanel(new QLabel(this))
    , m_programFolder(QCoreApplication::applicationDirPath())
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
    return QDir(m_programFolder).filePath(QStringLiteral("leaf95.html"));
}

QString TfrmMain::statusText() const
{
    return m_hintPanel->text();
}

QList<TfrmEdit *> TfrmMain::workspaces() const
{
    QList<TfrmEdit *> result;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (auto *edit = qobject_cast<TfrmEdit *>(window))
            result.append(edit);
    }
    return result;
}

TfrmEdit *TfrmMain::activeWorkspace() const
{
    return qobject_cast<TfrmEdit *>(m_mdiArea->currentSubWindow());
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
    connect(qApp, &QApplication::focusChanged, this, &TfrmMain::ActiveFormChange);
    ActiveFormChange();
}

void TfrmMain::connectCommands()
{
    const FrameActions &a = *m_actions;
    const auto bind = [this](QAction *action, void (TfrmMain::*slot)()) {
        connect(action, &QAction::triggered, this,
                [this, slot] { ErrorHandler::run([&] { (this->*slot)(); }); });
    };
    bind(a.mniOpen, &TfrmMain::OpenChild);
    connect(a.mniNew, &QAction::triggered, this,
            [this] { ErrorHandler::run([&] { NewChild(); }); });
    bind(a.mniCustomize, &TfrmMain::mniCustomizeClick);
    bind(a.mniPrinterSetup, &TfrmMain::mniPrinterSetupClick);
    bind(a.mniExit, &TfrmMain::mniExitClick);
    bind(a.mniTile, &TfrmMain::mniTileClick);
    bind(a.mniCascade, &TfrmMain::mniCascadeClick);
    bind(a.mniArrange, &TfrmMain::mniArrangeClick);
    bind(a.mniButtonHints, &TfrmMain::mniButtonHintsClick);
    bind(a.mniAutomaticBackups, &TfrmMain::mniAutomaticBackupsClick);
    bind(a.mniMainStatusBar, &TfrmMain::mniMainStatusBarClick);
    bind(a.mniStayOnTop, &TfrmMain::mniStayOnTopClick);
    bind(a.mniSetDefault, &TfrmMain::mniSetDefaultClick);
    connect(a.mnuOptions, &QMenu::aboutToShow, this, &TfrmMain::mniOptionsClick);
    bind(a.mniPreferences, &TfrmMain::mniPreferencesClick);
    bind(a.mniContents, &TfrmMain::mniContentsClick);
    bind(a.mniSearchForHelpOn, &TfrmMain::mniSearchForHelpOnClick);
    bind(a.mniHowtoUseHelp, &TfrmMain::mniHowtoUseHelpClick);
    bind(a.mniWhatsNew, &TfrmMain::mniWhatsNewClick);
    bind(a.mniAbout, &TfrmMain::mniAboutLeafstackClick);
    bind(a.puiLeafstack, &TfrmMain::puiLeafstackClick);
    connect(a.mnuFile, &QMenu::aboutToShow, this, &TfrmMain::mniFileClick);
    connect(m_settings, &FrameSettings::recentChosen, this, &TfrmMain::RunMRU);
    connect(m_settings, &FrameSettings::favoriteChosen, this, &TfrmMain::RunFav);
    connect(m_settings, &FrameSettings::restored, this, &TfrmMain::applyRestoredOptions);
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
            openStartFiles(files);
        reportKeptCopies();
        offerRecovery();
    });
}

// A save in place that a crash cut short kept the file's old content aside: say where.
void TfrmMain::reportKeptCopies()
{
    const QString message = KeptCopies::message(KeptCopies::check());
    if (message.isEmpty())
        return;
    TopmostDropped dropped(*m_stayOnTop);
    AppMessageBox::show(this, AppMessageBox::Kind::Information, message);
}

// Texts a crash or a power cut left unsaved: one question lists them; Yes (the default) opens
// each in a Workspace, modified, for the user to save; No drops them; Cancel keeps them for
// the next start. A journal that cannot be read is kept and reported.
void TfrmMain::offerRecovery()
{
    std::vector<RecoveryFile> left = RecoveryFile::leftOver(RecoveryFolder::path());
    // A run that ended before its first edit reached the disk left nothing to recover.
    left.erase(std::remove_if(left.begin(), left.end(),
                              [](RecoveryFile &file) {
                                  const bool empty = file.readable() && !file.holdsEdits();
                                  if (empty)
                                      file.remove();
                                  return empty;
                              }),
               left.end());
    // Texts of files first, then the untitled ones, each oldest first.
    std::stable_partition(left.begin(), left.end(),
                          [](const RecoveryFile &file) { return !file.path().isEmpty(); });
    QStringList names;
    QStringList unreadable;
    for (const RecoveryFile &file : left) {
        if (!file.readable())
            unreadable << QStringLiteral("%1: %2").arg(file.journalPath(), file.error());
        else
            names << (file.path().isEmpty() ? TfrmEdit::untitledName : file.path());
    }
    if (!unreadable.isEmpty())
        ErrorHandler::report(QStringLiteral("These unsaved texts from an earlier run cannot be "
                                            "read; they are kept:\r")
                             + unreadable.join(u'\r'));
    if (names.isEmpty())
        return;
    const QString question =
            QStringLiteral("Leafstack ended without saving these texts:\r%1\rRecover them?\r"
                           "Yes opens each in a Workspace, to be saved; No discards them; "
                           "Cancel keeps them for the next start.")
                    .arg(names.join(u'\r'));
    TopmostDropped dropped(*m_stayOnTop);
    std::unique_ptr<QMessageBox> box(
            AppMessageBox::create(this, AppMessageBox::Kind::CloseQuestion, question));
    const int answer = m_questionRunner ? m_questionRunner(*box) : box->exec();
    if (answer == QMessageBox::Cancel)
        return;
    TfrmEdit *first = nullptr;
    for (RecoveryFile &file : left) {
        if (!file.readable())
            continue;
        if (answer == QMessageBox::No) {
            file.remove();
            continue;
        }
        // The file's own Workspace, when it was just opened and holds no changes yet.
        TfrmEdit *workspace = file.path().isEmpty() ? nullptr : workspaceHolding(file.path());
        const bool fresh = !workspace || workspace->document()->isModified();
        if (fresh) {
            workspace = createWorkspace();
            workspace->show();
        }
        // A journal that cannot be put back stays for another try, and says why.
        if (ErrorHandler::run([&]() { workspace->recover(file); })) {
            file.remove();
            first = first ? first : workspace;
        } else if (fresh) {
            workspace->closeWithoutQuery();
        }
    }
    if (first)
        m_mdiArea->setActiveSubWindow(first);
}

// Each named file in a Workspace of its own; a name that is not there yet gives an empty
// Workspace saved under it. A file that cannot be read is reported over the frame, and the
// Workspace made for it stays as the untitled one while nothing else has opened.
void TfrmMain::openStartFiles(const QList<CommandLine::FileRequest> &files)
{
    TfrmEdit *untitled = nullptr;
    bool opened = false;
    for (const CommandLine::FileRequest &file : files) {
        if (TfrmEdit *open = workspaceHolding(file.path)) {
            m_mdiArea->setActiveSubWindow(open);
            if (file.line > 0)
                open->goToLine(file.line);
            continue;
        }
        TfrmEdit *workspace = createWorkspace();
        workspace->show();
        if (!CommandLine::existsOnDisk(file.path)) {
            workspace->bindNewFile(file.path);
        } else if (workspace->Open(file.path)) {
            addRecentFile(file.path);
            if (file.line > 0)
                workspace->goToLine(file.line);
        } else if (!opened && !untitled) {
            untitled = workspace;
            continue;
        } else {
            workspace->closeWithoutQuery();
            continue;
        }
        opened = true;
    }
    if (opened && untitled && !untitled->document()->isModified())
        untitled->closeWithoutQuery();
}

void TfrmMain::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    ErrorHandler::run([this] { m_settings->SaveFileLists(); });
    if (m_help)
        m_help->close();
    m_help.reset();
    delete m_drops;
    m_drops = nullptr;
    disconnect(qApp, &QApplication::focusChanged, this, &TfrmMain::ActiveFormChange);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!workspacesMayClose()) {
        event->ignore();
        return;
    }
    for (TfrmEdit *workspace : workspaces())
        workspace->closeWithoutQuery();
    FormDestroy();
    event->accept();
}

bool TfrmMain::commitSession(bool mayAsk)
{
    if (mayAsk)
        return close();
    m_settings->saveNow();
    return true;
}

bool TfrmMain::workspacesMayClose()
{
    // Every Workspace is asked before any closes; one refusal keeps them all open.
    for (TfrmEdit *workspace : workspaces()) {
        if (!workspace->FormCloseQuery())
            return false;
    }
    return true;
}

// ---- Workspaces

TfrmEdit *TfrmMain::createWorkspace()
{
    auto *workspace = new TfrmEdit(this);
    m_mdiArea->addSubWindow(workspace);
    connect(workspace, &QWidget::windowTitleChanged, this, &TfrmMain::updateCaption);
    connect(workspace, &QMdiSubWindow::windowStateChanged, this, &TfrmMain::updateCaption);
    connect(workspace, &QObject::destroyed, this, &TfrmMain::ActiveFormChange,
            Qt::QueuedConnection);
    return workspace;
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

// A file already open, by this path or another that reaches it, is not opened twice: two
// Workspaces saving the same file would each undo the other's work.
TfrmEdit *TfrmMain::workspaceHolding(const QString &path) const
{
    const FileIdentity file = FileIdentity::of(path);
    for (TfrmEdit *workspace : workspaces()) {
        if (!workspace->untitled() && workspace->diskIdentity().sameFile(file))
            return workspace;
    }
    return nullptr;
}

TfrmEdit *TfrmMain::OpenFile(const QString &path)
{
    if (TfrmEdit *open = workspaceHolding(path)) {
        m_mdiArea->setActiveSubWindow(open);
        return open;
    }
    TfrmEdit *workspace = createWorkspace();
    workspace->show();
    if (!workspace->Open(path)) {
        // Nothing was loaded: the Workspace made for the file goes again.
        workspace->closeWithoutQuery();
        return nullptr;
    }
    return workspace;
}

void TfrmMain::OpenChild()
{
    TopmostDropped dropped(*m_stayOnTop);
    OpenDialogSettings &remembered = *m_settings->dlgOpenFile();
    const QStringList filters = DialogFilter::toNameFilters(remembered.filter());
    remembered.setFilterIndex(DialogFilter::indexFromText(m_settings->lblFilter()->caption()));
    QFileDialog dialog(this, QStringLiteral("Open"), remembered.initialDir());
    dialog.setObjectName(QStringLiteral("dlgOpenFile"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    if (remembered.filterIndex() >= 1 && remembered.filterIndex() <= filters.size())
        dialog.selectNameFilter(filters.at(remembered.filterIndex() - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    remembered.setFilterIndex(selectedFilterIndex(filters, dialog.selectedNameFilter()));
    const QString file = dialog.selectedFiles().constFirst();
    remembered.setInitialDir(QFileInfo(file).absolutePath());
    if (OpenFile(file))
        addRecentFile(file);
}

void TfrmMain::mniWhatsNewClick()
{
    const QString readme = QDir(m_programFolder).filePath(QStringLiteral("readme.txt"));
    if (OpenFile(readme))
        addRecentFile(readme);
}

void TfrmMain::addRecentFile(const QString &path)
{
    m_settings->AddRecentFile(path);
}

QStringList TfrmMain::recentFiles() const
{
    return m_settings->fileLists().recentFiles();
}

QStringList TfrmMain::favoriteFiles() const
{
    return m_settings->fileLists().favoriteFiles();
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

QString TfrmMain::filterString() const
{
    return m_settings->dlgOpenFile()->filter();
}

QString TfrmMain::filterIndexText() const
{
    return m_settings->lblFilter()->caption();
}

QString TfrmMain::openDirectory() const
{
    return m_settings->dlgOpenFile()->initialDir();
}

void TfrmMain::setOpenDirectory(const QString &directory)
{
    m_settings->dlgOpenFile()->setInitialDir(directory);
}

SettingsStore *TfrmMain::settingsStore() const
{
    return m_settings->store();
}

void TfrmMain::setSettingsStore(SettingsStore *store)
{
    m_settings->attachStore(store);
    m_toolBar->bar()->setIniStorage(m_settings->storage());
    m_defaultEditor->setStore(store);
}

void TfrmMain::applyRestoredOptions()
{
    // The stored check marks are in place: the frame follows them.
    m_buttonHints->setOn(m_actions->mniButtonHints->isChecked());
    statusBar()->setVisible(m_actions->mniMainStatusBar->isChecked());
    m_stayOnTop->reapply();
}

// ---- window arrangement

void TfrmMain::restoreMaximised()
{
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        if (window->isMaximized())
            window->showNormal();
    }
}

void TfrmMain::mniTileClick()
{
    restoreMaximised();
    MdiTiler::tile(m_mdiArea);
}

void TfrmMain::mniCascadeClick()
{
    restoreMaximised();
    m_mdiArea->cascadeSubWindows();
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
    m_buttonHints->setOn(m_actions->mniButtonHints->isChecked());
    statusBar()->setVisible(m_actions->mniMainStatusBar->isChecked());
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
    // The check mark is the option; each save reads it.
}

bool TfrmMain::automaticBackups() const
{
    return m_actions->mniAutomaticBackups->isChecked();
}

void TfrmMain::mniMainStatusBarClick()
{
    statusBar()->setVisible(m_actions->mniMainStatusBar->isChecked());
}

void TfrmMain::mniStayOnTopClick()
{
    // The action has already turned its check mark over; the policy turns it back and acts.
    m_actions->mniStayOnTop->setChecked(!m_actions->mniStayOnTop->isChecked());
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

void TfrmMain::dropTopmost()
{
    m_stayOnTop->dropTopmost();
}

void TfrmMain::restoreTopmost()
{
    m_stayOnTop->restoreTopmost();
}

void TfrmMain::reapplyStayOnTop()
{
    m_stayOnTop->reapply();
}

// ---- dialogs and windows of later parts of the program

QString TfrmMain::dateIndexText() const
{
    return m_settings->lblDate()->caption();
}

QString TfrmMain::timeIndexText() const
{
    return m_settings->lblTime()->caption();
}

QPrinter *TfrmMain::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return m_printer.get();
}

void TfrmMain::mniPrinterSetupClick()
{
    TopmostDropped dropped(*m_stayOnTop);
    QPageSetupDialog dialog(printer(), this);
    dialog.setObjectName(QStringLiteral("dlgPrinterSetup"));
    dialog.exec();
}

void TfrmMain::mniAboutLeafstackClick()
{
    StayOnTopSuspended suspended(*m_stayOnTop);
    TfrmAbout about(this);
    about.exec();
}

void TfrmMain::mniPreferencesClick()
{
    StayOnTopSuspended suspended(*m_stayOnTop);
    FrameSettings &values = *m_settings;
    TfrmTools preferences({values.dlgOpenFile(), values.lblFilter(), values.lblDate(),
                           values.lblTime(), &values.fileLists(), values.store()},
                          this);
    preferences.exec();
}

void TfrmMain::mniCustomizeClick()
{
    // The window stays open beside the frame, so the frame must not cover it.
    switchOffStayOnTop();
    m_toolBar->bar()->Customize(0);
}

void TfrmMain::switchOffStayOnTop()
{
    m_stayOnTop->switchOff();
}

void TfrmMain::mniFileClick()
{
    m_settings->RebuildRecentMenu();
    m_settings->RebuildFavoritesMenu();
}

// ---- help

HelpWindow &TfrmMain::help()
{
    if (!m_help)
        m_help = std::make_unique<HelpWindow>(helpFileName());
    return *m_help;
}

void TfrmMain::switchOffStayOnTopForHelp()
{
    // Help stays open beside the frame, so the frame must not cover it.
    m_stayOnTop->switchOff();
}

void TfrmMain::mniContentsClick()
{
    switchOffStayOnTopForHelp();
    help().showContents();
}

void TfrmMain::mniSearchForHelpOnClick()
{
    switchOffStayOnTopForHelp();
    help().showIndex();
}

void TfrmMain::mniHowtoUseHelpClick()
{
    switchOffStayOnTopForHelp();
    help().showHowToUse();
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
