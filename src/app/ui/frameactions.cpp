#include "frameactions.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

FrameActions::FrameActions(QWidget *frame)
    : QObject(frame)
    , m_frame(frame)
{
    buildFileMenu();
    buildWindowMenu();
    buildOptionsMenu();
    buildHelpMenu();
    buildTrayMenu();
}

QList<QMenu *> FrameActions::frameMenus() const
{
    return {mnuFile, mnuWindow, mnuOptions, mnuHelp};
}

QAction *FrameActions::make(const char *name, const QString &caption, const QString &hint,
                            const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, m_frame);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(hint);
    // The shortcut is live only while the action's menu stands in the bar, so the frame's
    // File menu never competes with the File menu of the active Workspace.
    action->setShortcut(shortcut);
    return action;
}

QAction *FrameActions::makeCheck(const char *name, const QString &caption, bool checked)
{
    QAction *action = make(name, caption, QString());
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QMenu *FrameActions::makeMenu(const char *name, const QString &caption, const QString &hint)
{
    auto *menu = new QMenu(caption, m_frame);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    menu->menuAction()->setStatusTip(hint);
    return menu;
}

void FrameActions::buildFileMenu()
{
    mnuFile = makeMenu("mnuFile", QStringLiteral("&File"), QStringLiteral("File"));
    mniNew = make("mniNew", QStringLiteral("&New"), QStringLiteral("New File"),
                  QKeySequence(Qt::CTRL | Qt::Key_N));
    mniOpen = make("mniOpen", QStringLiteral("&Open..."), QStringLiteral("Open File..."),
                   QKeySequence(Qt::CTRL | Qt::Key_O));
    mniReopen = makeMenu("mniReopen", QStringLiteral("&Reopen"), QStringLiteral("Reopen files"));
    mniFavFiles = makeMenu("mniFavFiles", QStringLiteral("&Favorite Files"), QString());
    mniCustomize = make("mniCustomize", QStringLiteral("Customize Tool Bar..."),
                        QStringLiteral("Customize Tool Bar..."));
    mniPrinterSetup = make("mniPrinterSetup", QStringLiteral("Printer Se&tup..."),
                           QStringLiteral("setup Printer..."));
    mniExit = make("mniExit", QStringLiteral("E&xit"), QStringLiteral("Exit Leafstack..."),
                   QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuFile->addAction(mniNew);
    mnuFile->addAction(mniOpen);
    mnuFile->addMenu(mniReopen);
    mnuFile->addMenu(mniFavFiles);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mniBar1"));
    mnuFile->addAction(mniCustomize);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mniBar4"));
    mnuFile->addAction(mniPrinterSetup);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mniBar2"));
    mnuFile->addAction(mniExit);
}

void FrameActions::buildWindowMenu()
{
    mnuWindow = makeMenu("mnuWindow", QStringLiteral("&Window"), QStringLiteral("Window"));
    mniTile = make("mniTile", QStringLiteral("&Tile"), QStringLiteral("Tile Windows"));
    mniCascade = make("mniCascade", QStringLiteral("&Cascade"), QStringLiteral("Cascade Windows"));
    mniArrange =
            make("mniArrange", QStringLiteral("&Arrange All"), QStringLiteral("Arrange Icons"));
    mnuWindow->addAction(mniTile);
    mnuWindow->addAction(mniCascade);
    mnuWindow->addAction(mniArrange);
}

void FrameActions::buildOptionsMenu()
{
    mnuOptions = makeMenu("mnuOptions", QStringLiteral("&Options"), QString());
    mniSetDefault = makeCheck("mniSetDefault", QStringLiteral("Default Windows Notepad"), false);
    mniButtonHints = makeCheck("mniButtonHints", QStringLiteral("Button Hints"), true);
    mniAutomaticBackups =
            makeCheck("mniAutomaticBackups", QStringLiteral("Automatic Backups"), false);
    mniMainStatusBar = makeCheck("mniMainStatusBar", QStringLiteral("Main Status Bar"), false);
    mniStayOnTop = makeCheck("mniStayOnTop", QStringLiteral("Stay On Top"), false);
    mniPreferences = make("mniPreferences", QStringLiteral("Preferences..."), QString());
    mnuOptions->addAction(mniSetDefault);
    mnuOptions->addAction(mniButtonHints);
    mnuOptions->addAction(mniAutomaticBackups);
    mnuOptions->addAction(mniMainStatusBar);
    mnuOptions->addAction(mniStayOnTop);
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("mniN5"));
    mnuOptions->addAction(mniPreferences);
}

void FrameActions::buildHelpMenu()
{
    mnuHelp = makeMenu("mnuHelp", QStringLiteral("&Help"), QStringLiteral("Help"));
    mniContents = make("mniContents", QStringLiteral("&Contents..."), QStringLiteral("Contents..."),
                       QKeySequence(Qt::Key_F1));
    mniSearchForHelpOn = make("mniSearchForHelpOn", QStringLiteral("&Search For Help On..."),
                              QStringLiteral("Search For Help On..."));
    mniHowtoUseHelp = make("mniHowtoUseHelp", QStringLiteral("&How to Use Help..."),
                           QStringLiteral("How to Use Help..."));
    mniWhatsNew = make("mniWhatsNew", QStringLiteral("What's New"), QString());
    mniAbout = make("mniAbout", QStringLiteral("About Leafstack..."),
                    QStringLiteral("About Leafstack..."));
    mnuHelp->addAction(mniContents);
    mnuHelp->addAction(mniSearchForHelpOn);
    mnuHelp->addAction(mniHowtoUseHelp);
    mnuHelp->addAction(mniWhatsNew);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mniBar3"));
    mnuHelp->addAction(mniAbout);
}

void FrameActions::buildTrayMenu()
{
    pumTray = new QMenu(m_frame);
    pumTray->setObjectName(QStringLiteral("pumTray"));
    puiLeafstack =
            make("puiLeafstack", QStringLiteral("Leafstack..."), QStringLiteral("Leafstack"));
    puiAbout = make("puiAbout", QStringLiteral("About..."), QStringLiteral("About Leafstack"));
    puiExit = make("puiExit", QStringLiteral("Exit"), QStringLiteral("Exit Leafstack"));
    connect(puiAbout, &QAction::triggered, mniAbout, &QAction::trigger);
    connect(puiExit, &QAction::triggered, mniExit, &QAction::trigger);
    pumTray->addAction(puiLeafstack);
    pumTray->setDefaultAction(puiLeafstack);
    pumTray->addAction(puiAbout);
    pumTray->addSeparator()->setObjectName(QStringLiteral("puiN1"));
    pumTray->addAction(puiExit);
}
