#include "workspaceactions.h"

#include "controls/textformat.h"
#include "toolbar/ui/speedbarglyphs.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeedbarsection.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

WorkspaceActions::WorkspaceActions(QWidget *owner)
    : QObject(owner)
{
    const auto ctrl = [](Qt::Key key) {
        return QKeySequence(Qt::CTRL | key);
    };
    mniNew = make("mniNew", tr("&New"), tr("New File"), ctrl(Qt::Key_N));
    mniOpen = make("mniOpen", tr("&Open..."), tr("Open File..."), ctrl(Qt::Key_O));
    mniClose = make("mniClose", tr("&Close"), tr("Close File"), ctrl(Qt::Key_W));
    mniSave = make("mniSave", tr("&Save"), tr("Save File"), ctrl(Qt::Key_S));
    mniSaveAs = make("mniSaveAs", tr("Save &As..."), tr("Save File As..."),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mniPrint = make("mniPrint", tr("&Print..."), tr("Print File..."), ctrl(Qt::Key_P));
    mniPrintSetup = make("mniPrintSetup", tr("Printer Se&tup..."), tr("Setup Printer..."));
    mniCustomizeToolBar =
            make("mniCustomizeToolBar", tr("Customize Tool Bar..."), tr("Customize Toolbar|"));
    mniExit = make("mniExit", tr("E&xit"), tr("Exit Leafstack..."), ctrl(Qt::Key_Q));

    mniUndo = make("mniUndo", tr("&Undo"), tr("Undo Last Change"), QKeySequence::Undo);
    mniRedo = make("mniRedo", tr("&Redo"), tr("Redo Last Change"), QKeySequence::Redo);
    // Ctrl+Y as well, as on many desktops, where the platform leaves it free.
    if (!QKeySequence::keyBindings(QKeySequence::Redo).contains(ctrl(Qt::Key_Y)))
        mniRedo->setShortcuts(QKeySequence::keyBindings(QKeySequence::Redo) << ctrl(Qt::Key_Y));
    for (QAction *action : {mniUndo, mniRedo})
        action->setEnabled(false);
    mniCut = make("mniCut", tr("Cu&t"), tr("Cut Text"), ctrl(Qt::Key_X));
    mniCopy = make("mniCopy", tr("&Copy"), tr("Copy to Clipboard"), ctrl(Qt::Key_C));
    mniPaste = make("mniPaste", tr("&Paste"), tr("Paste from Clipboard"), ctrl(Qt::Key_V));
    mniDelete = make("mniDelete", tr("De&lete"), tr("Delete Text"), ctrl(Qt::Key_D));
    mniSelectAll = make("mniSelectAll", tr("Select &All"), tr("Select All"), ctrl(Qt::Key_A));
    mniDateTime = make("mniDateTime", tr("&Date && Time"), tr("Date && Time Stamp"),
                       QKeySequence(Qt::Key_F5));

    mniLeft = make("mniLeft", tr("&Left"), tr("Left Alignment"));
    mniRight = make("mniRight", tr("&Right"), tr("Right Alighnment"));
    mniCenter = make("mniCenter", tr("&Center"), tr("Center Text"));
    m_alignment = new QActionGroup(this);
    for (QAction *action : {mniLeft, mniRight, mniCenter}) {
        action->setCheckable(true);
        m_alignment->addAction(action);
    }
    mniLeft->setChecked(true);
    mniWordWrap = make("mniWordWrap", tr("&Word Wrap"), tr("Word Wrap"));
    mniWordWrap->setCheckable(true);
    mniWordWrap->setChecked(true);
    mniFont = make("mniFont", tr("&Font..."), tr("Font..."));
    mniLowerCase = make("mniLowerCase", tr("Lower Case"), tr("Convert all text to lowercase"));
    mniUpperCase = make("mniUpperCase", tr("Upper Case"), tr("Convert all text to UPPERCASE"));
    mniCapitalize = make("mniCapitalize", tr("Capitalize"), tr("Capitalize all text"));

    mniFind = make("mniFind", tr("&Find..."), tr("Find..."), ctrl(Qt::Key_F));
    mniFindNext = make("mniFindNext", tr("Find &Next"), tr("Find Next"), QKeySequence(Qt::Key_F3));
    mniReplace = make("mniReplace", tr("Replace..."), tr("Find and Replace..."), ctrl(Qt::Key_H));
    // Desktops answer both: Ctrl+H where text editors replace, Ctrl+R where office programs do.
    mniReplace->setShortcuts({ctrl(Qt::Key_H), ctrl(Qt::Key_R)});
    mniGoToLine = make("mniGoToLine", tr("Go to Line..."), tr("Go to Line..."), ctrl(Qt::Key_G));
    puiProperties = make("puiProperties", tr("Properties..."), {});

    setToolBarText(mniSave, tr("Save"), tr("Save File"));
    setToolBarText(mniSaveAs, tr("Save As"), tr("Save File As"));
    setToolBarText(mniPrint, tr("Print"), tr("Print Current Workspace"));
    setToolBarText(mniClose, tr("Close"), tr("Close Workspace"));
    setToolBarText(mniCut, tr("Cut"), tr("Cut to Clipboard"));
    setToolBarText(mniCopy, tr("Copy"), tr("Copy to Clipboard"));
    setToolBarText(mniPaste, tr("Paste"), tr("Paste from Clipboard"));
    setToolBarText(mniDelete, tr("Delete"), tr("Delete Selected Text"));
    setToolBarText(mniSelectAll, tr("Select"), tr("Select All Text"));
    setToolBarText(mniDateTime, tr("Date"), tr("Insert Date and Time"));
    setToolBarText(mniLeft, tr("Left"), tr("Left Justify"));
    setToolBarText(mniRight, tr("Right"), tr("Right Justify"));
    setToolBarText(mniCenter, tr("Center"), tr("Center Text"));
    setToolBarText(mniFont, tr("Font"), tr("Set Font"));
    setToolBarText(mniFind, tr("Find..."), tr("Find"));
    setToolBarText(mniFindNext, tr("Find F3"), tr("Find Next"));
    setToolBarText(mniReplace, tr("Replace"), tr("Replace"));

    // Every command has its work now; any still without one would wait here.
    m_pending = {};
    for (QAction *action : std::as_const(m_pending))
        action->setEnabled(false);

    buildMenus(owner);
    buildPopup(owner);
    buildToolBar(owner);
}

// A hint is "short|long": the tool tip shows the short part, the status bar the long part.
QAction *WorkspaceActions::make(const char *name, const QString &text, const QString &hint,
                                const QKeySequence &shortcut)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    const qsizetype bar = hint.indexOf(u'|');
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setShortcut(shortcut);
    // Shortcuts work while the Workspace is the active one, wherever its menus are shown.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    return action;
}

void WorkspaceActions::setToolBarText(QAction *action, const QString &buttonText,
                                      const QString &caption)
{
    action->setIconText(buttonText);
    action->setToolTip(caption);
}

void WorkspaceActions::takeKeysFrom(QMenu *menu)
{
    if (!menu)
        return;
    QList<QKeySequence> ours;
    for (const QAction *action : findChildren<QAction *>(Qt::FindDirectChildrenOnly))
        ours.append(action->shortcuts());
    for (QAction *other : menu->actions()) {
        QList<QKeySequence> kept = other->shortcuts();
        kept.removeIf([&ours](const QKeySequence &key) { return ours.contains(key); });
        if (kept.size() != other->shortcuts().size())
            other->setShortcuts(kept);
    }
}

void WorkspaceActions::setAvailable(QAction *action, bool enabled)
{
    action->setEnabled(enabled && !pending(action));
}

bool WorkspaceActions::pending(QAction *action) const
{
    return m_pending.contains(action);
}

void WorkspaceActions::buildMenus(QWidget *owner)
{
    mniFile = new QMenu(tr("&File"), owner);
    mniFile->setObjectName(QStringLiteral("mniFile"));
    mniReopen = new QMenu(tr("&Reopen"), mniFile);
    mniReopen->setObjectName(QStringLiteral("mniReopen"));
    mniFavFiles = new QMenu(tr("Favorite Files"), mniFile);
    mniFavFiles->setObjectName(QStringLiteral("mniFavFiles"));
    mniFile->addActions({mniNew, mniOpen});
    mniFile->addMenu(mniReopen);
    mniFile->addMenu(mniFavFiles);
    mniReopenEncoding = new QMenu(tr("Reopen with &Encoding"), mniFile);
    mniReopenEncoding->setObjectName(QStringLiteral("mniReopenEncoding"));
    const struct
    {
        const char *name;
        const char *caption;
        TextEncoding encoding;
    } encodings[] = {{"mniEncodingUtf8", "UTF-8", TextEncoding::Utf8},
                     {"mniEncodingUtf16LE", "UTF-16 LE", TextEncoding::Utf16LE},
                     {"mniEncodingUtf16BE", "UTF-16 BE", TextEncoding::Utf16BE},
                     {"mniEncodingWindows1252", "Windows-1252", TextEncoding::SingleByte}};
    for (const auto &e : encodings) {
        QAction *item = make(e.name, QString::fromLatin1(e.caption),
                             tr("Read the file again in %1").arg(QString::fromLatin1(e.caption)));
        item->setData(int(e.encoding));
        encodingItems.append(item);
        mniReopenEncoding->addAction(item);
    }
    mniFile->addMenu(mniReopenEncoding);
    mniFile->addAction(mniClose);
    mniFile->addSeparator();
    mniFile->addActions({mniSave, mniSaveAs});
    mniFile->addSeparator();
    mniFile->addActions({mniPrint, mniPrintSetup});
    mniFile->addSeparator();
    mniFile->addAction(mniCustomizeToolBar);
    mniFile->addSeparator();
    mniFile->addAction(mniExit);

    mniEdit = new QMenu(tr("&Edit"), owner);
    mniEdit->setObjectName(QStringLiteral("mniEdit"));
    mniEdit->addActions({mniUndo, mniRedo});
    mniEdit->addSeparator();
    mniEdit->addActions({mniCut, mniCopy, mniPaste, mniDelete});
    mniEdit->addSeparator();
    mniEdit->addActions({mniSelectAll, mniDateTime});

    mniCharacter = new QMenu(tr("&Character"), owner);
    mniCharacter->setObjectName(QStringLiteral("mniCharacter"));
    mniCharacter->addActions({mniLeft, mniRight, mniCenter});
    mniCharacter->addSeparator();
    mniCharacter->addAction(mniWordWrap);
    mniCharacter->addSeparator();
    mniCharacter->addAction(mniFont);
    mniCharacter->addSeparator();
    mniConvert = new QMenu(tr("Convert"), mniCharacter);
    mniConvert->setObjectName(QStringLiteral("mniConvert"));
    mniConvert->addActions({mniLowerCase, mniUpperCase, mniCapitalize});
    mniCharacter->addMenu(mniConvert);

    mniSearch = new QMenu(tr("&Search"), owner);
    mniSearch->setObjectName(QStringLiteral("mniSearch"));
    mniSearch->addActions({mniFind, mniFindNext, mniReplace, mniGoToLine});
}

void WorkspaceActions::buildPopup(QWidget *owner)
{
    pumPopup = new QMenu(owner);
    pumPopup->setObjectName(QStringLiteral("pumPopup"));
    pumPopup->addActions({mniUndo, mniRedo});
    pumPopup->addSeparator();
    pumPopup->addActions({mniCut, mniCopy, mniPaste, mniDelete});
    pumPopup->addSeparator();
    pumPopup->addAction(mniSelectAll);
    pumPopup->addSeparator();
    pumPopup->addAction(mniFont);
    pumPopup->addSeparator();
    pumPopup->addActions({mniFind, mniFindNext, mniReplace});
    pumPopup->addSeparator();
    pumPopup->addAction(puiProperties);
}

// Each item's button caption and caption are its action's icon text and tool-tip.
void WorkspaceActions::buildToolBar(QWidget *owner)
{
    barTool = new TSpeedBar(owner);
    barTool->setObjectName(QStringLiteral("barTool"));
    const struct
    {
        const char *section, *name, *glyph;
        QAction *action;
        bool shown;
    } items[] = {
            {"File Menu", "btnSave", "Save", mniSave, true},
            {"File Menu", "btnSaveAs", "SaveAs", mniSaveAs, true},
            {"File Menu", "btnPrint", "Print", mniPrint, true},
            {"File Menu", "btnClose", "Close", mniClose, true},
            {"Edit Menu", "btnCut", "Cut", mniCut, true},
            {"Edit Menu", "btnCopy", "Copy", mniCopy, true},
            {"Edit Menu", "btnPaste", "Paste", mniPaste, true},
            {"Edit Menu", "btnDelete", "Delete", mniDelete, true},
            {"Edit Menu", "btnSelectAll", "SelectAll", mniSelectAll, true},
            {"Edit Menu", "btnDateTime", "DateTime", mniDateTime, true},
            {"Character Menu", "btnLeft", "Left", mniLeft, false},
            {"Character Menu", "btnRight", "Right", mniRight, false},
            {"Character Menu", "btnCenter", "Center", mniCenter, false},
            {"Character Menu", "btnFont", "Font", mniFont, false},
            {"Search Menu", "btnFind", "Find", mniFind, false},
            {"Search Menu", "btnFindNext", "FindNext", mniFindNext, false},
            {"Search Menu", "btnReplace", "Replace", mniReplace, false},
    };
    for (const auto &entry : items) {
        const QString section = QLatin1String(entry.section);
        TSpeedbarSection *place = barTool->section(section);
        if (!place)
            place = barTool->AddSection(section);
        TSpeedItem *item =
                barTool->AddItem(place, QLatin1String(entry.name), entry.action,
                                 entry.action->iconText(), entry.action->toolTip(), entry.shown);
        item->setGlyph(SpeedbarGlyphs::icon(QLatin1String(entry.glyph)));
        // Left, Right and Center: one pressed at a time.
        if (entry.action->actionGroup() == m_alignment)
            item->setGroupIndex(1);
    }
    owner->addActions({mniNew,       mniOpen,      mniClose,      mniSave,
                       mniSaveAs,    mniPrint,     mniPrintSetup, mniCustomizeToolBar,
                       mniExit,      mniCut,       mniCopy,       mniPaste,
                       mniDelete,    mniSelectAll, mniDateTime,   mniLeft,
                       mniRight,     mniCenter,    mniWordWrap,   mniFont,
                       mniLowerCase, mniUpperCase, mniCapitalize, mniFind,
                       mniFindNext,  mniReplace,   mniGoToLine,   puiProperties});
}
