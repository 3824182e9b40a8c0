#include "frameactions.h"

#include "base/commandtable.h"
#include "base/ui/commandactions.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

FrameActions::FrameActions(QWidget *frame)
    : QObject(frame)
    , m_commands(new CommandActions(CommandTable::frame(), frame, Qt::WindowShortcut))
{
    const auto take = [this](const char *id) {
        return m_commands->action(QLatin1String(id));
    };
    mniNew = take("mniNew");
    mniOpen = take("mniOpen");
    mniCustomize = take("mniCustomize");
    mniPrinterSetup = take("mniPrinterSetup");
    mniExit = take("mniExit");
    mniTile = take("mniTile");
    mniCascade = take("mniCascade");
    mniArrange = take("mniArrange");
    mniSetDefault = take("mniSetDefault");
    mniButtonHints = take("mniButtonHints");
    mniAutomaticBackups = take("mniAutomaticBackups");
    mniMainStatusBar = take("mniMainStatusBar");
    mniStayOnTop = take("mniStayOnTop");
    mniPreferences = take("mniPreferences");
    mniContents = take("mniContents");
    mniSearchForHelpOn = take("mniSearchForHelpOn");
    mniHowtoUseHelp = take("mniHowtoUseHelp");
    mniWhatsNew = take("mniWhatsNew");
    mniAbout = take("mniAbout");
    puiLeafstack = take("puiLeafstack");
    puiAbout = take("puiAbout");
    puiExit = take("puiExit");

    const auto menu = [this](const char *id) {
        return m_commands->menu(QLatin1String(id));
    };
    mnuFile = menu("mnuFile");
    mnuWindow = menu("mnuWindow");
    mnuOptions = menu("mnuOptions");
    mnuHelp = menu("mnuHelp");
    mniReopen = menu("mniReopen");
    mniFavFiles = menu("mniFavFiles");
    pumTray = menu("pumTray");
    pumTray->setDefaultAction(puiLeafstack);
    connect(puiAbout, &QAction::triggered, mniAbout, &QAction::trigger);
    connect(puiExit, &QAction::triggered, mniExit, &QAction::trigger);
}

QList<QMenu *> FrameActions::frameMenus() const
{
    return m_commands->barMenus();
}
