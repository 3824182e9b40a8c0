#include "frametoolbar.h"

#include "frameactions.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

FrameToolBar::FrameToolBar(QWidget *frame, const FrameActions &a)
    : m_bar(new QToolBar(QStringLiteral("Tool Bar"), frame))
{
    m_bar->setObjectName(QStringLiteral("barTool"));
    m_bar->setMovable(false);
    m_bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    add("btnNew", "File", "New", "New Workspace", true, a.mniNew);
    add("btnOpen", "File", "Open", "Open New File", true, a.mniOpen);
    add("btnPrintSetup", "File", "Setup", "Setup Printer", true, a.mniPrinterSetup);
    add("btnOptions", "Options", "Options", "Set Leafstack Options", true, a.mniPreferences);
    add("btnAbout", "Help", "About", "About Leafstack", true, a.mniAbout);
    add("btnExit", "File", "Exit", "Exit Application", true, a.mniExit);
    add("btnCascade", "Window", "Cascade", "Cascade", false, a.mniCascade);
    add("btnTile", "Window", "Tile", "Tile", false, a.mniTile);
    add("btnArrange", "Window", "Arrange", "Arrange icons", false, a.mniArrange);
    add("btnContents", "Help", "Content", "Help Contents", false, a.mniContents);
    add("btnSearchHelp", "Help", "Search", "Search For Help On", false, a.mniSearchForHelpOn);
    add("btnHowToUseHelp", "Help", "How?", "How to Use Help", false, a.mniHowtoUseHelp);
    add("btnWhatsNew", "Help", "New", "What's New", false, a.mniWhatsNew);
}

const FrameToolBar::Item *FrameToolBar::item(const QString &name) const
{
    for (const Item &entry : m_items) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

void FrameToolBar::add(const char *name, const char *section, const char *buttonCaption,
                       const char *hint, bool onBar, QAction *command)
{
    auto *button = new QToolButton(m_bar);
    button->setObjectName(QLatin1String(name));
    button->setText(QLatin1String(buttonCaption));
    button->setAutoRaise(true);
    button->setMinimumSize(44, 44);
    // A short hint only: the tool-tip, and nothing for the status bar.
    button->setToolTip(QLatin1String(hint));
    button->setEnabled(command->isEnabled());
    QObject::connect(button, &QToolButton::clicked, command, &QAction::trigger);
    QObject::connect(command, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    if (onBar)
        m_bar->addWidget(button);
    else
        button->hide();
    m_items.append({QLatin1String(name), QLatin1String(section), QLatin1String(buttonCaption),
                    QLatin1String(hint), onBar, command, button});
}
