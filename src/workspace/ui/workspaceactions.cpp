#include "workspaceactions.h"

#include "base/ui/commandactions.h"
#include "controls/textformat.h"
#include "toolbar/ui/commandbar.h"
#include "toolbar/ui/tspeedbar.h"

#include <QAction>
#include <QMenu>

WorkspaceActions::WorkspaceActions(QWidget *owner, const CommandActions &frame)
    : QObject(owner)
    // Shortcuts work while the Workspace is the active one, wherever its menus are shown.
    , m_commands(new CommandActions(CommandTable::workspace(), owner,
                                    Qt::WidgetWithChildrenShortcut, &frame))
{
    // The actions are ours: found among our children by their names.
    m_commands->setParent(this);
    takeActions();
    takeMenus();
    const struct
    {
        const char *id;
        TextEncoding encoding;
    } encodings[] = {{"mniEncodingUtf8", TextEncoding::Utf8},
                     {"mniEncodingUtf16LE", TextEncoding::Utf16LE},
                     {"mniEncodingUtf16BE", TextEncoding::Utf16BE},
                     {"mniEncodingWindows1252", TextEncoding::SingleByte}};
    for (const auto &entry : encodings) {
        QAction *item = m_commands->action(QLatin1String(entry.id));
        item->setData(int(entry.encoding));
        encodingItems.append(item);
    }
    barTool = new TSpeedBar(owner);
    barTool->setObjectName(QStringLiteral("barTool"));
    CommandBar::fill(barTool, *m_commands);
}

void WorkspaceActions::takeActions()
{
    const auto take = [this](const char *id) {
        QAction *action = m_commands->action(QLatin1String(id));
        Q_ASSERT(action);
        return action;
    };
    mniNew = take("mniNew");
    mniOpen = take("mniOpen");
    mniClose = take("mniClose");
    mniSave = take("mniSave");
    mniSaveAs = take("mniSaveAs");
    mniPrint = take("mniPrint");
    mniPrintSetup = take("mniPrintSetup");
    mniCustomizeToolBar = take("mniCustomizeToolBar");
    mniExit = take("mniExit");
    mniUndo = take("mniUndo");
    mniRedo = take("mniRedo");
    mniCut = take("mniCut");
    mniCopy = take("mniCopy");
    mniPaste = take("mniPaste");
    mniDelete = take("mniDelete");
    mniSelectAll = take("mniSelectAll");
    mniDateTime = take("mniDateTime");
    mniLeft = take("mniLeft");
    mniRight = take("mniRight");
    mniCenter = take("mniCenter");
    mniWordWrap = take("mniWordWrap");
    mniFont = take("mniFont");
    mniLowerCase = take("mniLowerCase");
    mniUpperCase = take("mniUpperCase");
    mniCapitalize = take("mniCapitalize");
    mniFind = take("mniFind");
    mniFindNext = take("mniFindNext");
    mniReplace = take("mniReplace");
    mniGoToLine = take("mniGoToLine");
    puiProperties = take("puiProperties");
}

void WorkspaceActions::takeMenus()
{
    const auto take = [this](const char *id) {
        QMenu *menu = m_commands->menu(QLatin1String(id));
        Q_ASSERT(menu);
        return menu;
    };
    mniFile = take("mniFile");
    mniEdit = take("mniEdit");
    mniCharacter = take("mniCharacter");
    mniSearch = take("mniSearch");
    mniReopen = take("mniReopen");
    mniFavFiles = take("mniFavFiles");
    mniConvert = take("mniConvert");
    mniReopenEncoding = take("mniReopenEncoding");
    pumPopup = take("pumPopup");
}

void WorkspaceActions::takeKeysFrom(QMenu *menu)
{
    if (!menu)
        return;
    QList<QKeySequence> ours;
    for (const QAction *action : m_commands->offered())
        ours.append(action->shortcuts());
    for (QAction *other : menu->actions()) {
        QList<QKeySequence> kept = other->shortcuts();
        kept.removeIf([&ours](const QKeySequence &key) { return ours.contains(key); });
        if (kept.size() != other->shortcuts().size())
            other->setShortcuts(kept);
    }
}
