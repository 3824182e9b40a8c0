#include "frametoolbar.h"

#include "frameactions.h"
#include "toolbar/ui/speedbarglyphs.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeedbarsection.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>

FrameToolBar::FrameToolBar(QWidget *frame, const FrameActions &a)
    : m_bar(new TSpeedBar(frame))
{
    m_bar->setObjectName(QStringLiteral("barTool"));
    for (const char *section : {"File", "Window", "Options", "Help"})
        m_bar->AddSection(QLatin1String(section));
    add("btnNew", "File", "New", "New Workspace", true, a.mniNew, "New");
    add("btnOpen", "File", "Open", "Open New File", true, a.mniOpen, "Open");
    add("btnPrintSetup", "File", "Setup", "Setup Printer", true, a.mniPrinterSetup, "PrintSetup");
    add("btnOptions", "Options", "Options", "Set Leafstack Options", true, a.mniPreferences,
        "Options");
    add("btnAbout", "Help", "About", "About Leafstack", true, a.mniAbout, "About");
    add("btnExit", "File", "Exit", "Exit Application", true, a.mniExit, "Exit");
    add("btnCascade", "Window", "Cascade", "Cascade", false, a.mniCascade, "Cascade");
    add("btnTile", "Window", "Tile", "Tile", false, a.mniTile, "Tile");
    add("btnArrange", "Window", "Arrange", "Arrange icons", false, a.mniArrange, "Arrange");
    add("btnContents", "Help", "Content", "Help Contents", false, a.mniContents, "Contents");
    add("btnSearchHelp", "Help", "Search", "Search For Help On", false, a.mniSearchForHelpOn,
        "SearchHelp");
    add("btnHowToUseHelp", "Help", "How?", "How to Use Help", false, a.mniHowtoUseHelp,
        "HowToUseHelp");
    add("btnWhatsNew", "Help", "New", "What's New", false, a.mniWhatsNew, "WhatsNew");
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
                       const char *hint, bool onBar, QAction *command, const char *glyph)
{
    TSpeedItem *item =
            m_bar->AddItem(m_bar->section(QLatin1String(section)), QLatin1String(name), command,
                           QLatin1String(buttonCaption), QLatin1String(hint), onBar);
    item->setGlyph(SpeedbarGlyphs::icon(QLatin1String(glyph)));
    m_items.append({QLatin1String(name), QLatin1String(section), QLatin1String(buttonCaption),
                    QLatin1String(hint), onBar, command, item, item->button()});
}
