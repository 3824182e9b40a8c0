#include "app/ui/frameactions.h"
#include "app/ui/frametoolbar.h"
#include "app/ui/tfrmmain.h"
#include "base/commandtable.h"
#include "base/errorhandler.h"
#include "base/ui/commandactions.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"

#include <QAction>
#include <QMap>
#include <QMenu>
#include <QSet>
#include <QTest>

#include <memory>

namespace {

using Reached = QMap<QString, QSet<QAction *>>;

// Every action a menu and its submenus hold, by object name.
void collect(const QMenu *menu, Reached &into)
{
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (action->menu())
            collect(action->menu(), into);
        else
            into[action->objectName()].insert(action);
    }
}

void collect(const TSpeedBar *bar, Reached &into)
{
    for (const TSpeedItem *item : bar->items())
        into[item->action()->objectName()].insert(item->action());
}

// Each command of the set reached through exactly one action, that action holding the
// table's caption and hint.
void checkOnePerCommand(const CommandTable::Set &set, const Reached &reached)
{
    for (const CommandTable::Command &command : set.commands) {
        const QSet<QAction *> actions = reached.value(command.id);
        QVERIFY2(actions.size() == 1, qPrintable(command.id));
        const QAction *action = *actions.cbegin();
        QCOMPARE(action->text(), command.caption);
        QCOMPARE(action->statusTip(), command.hint.section(u'|', -1));
    }
}

} // namespace

// One action per command: the menu bar, the pop-up menus and the tool bars share it, and a
// Workspace's File menu offers the frame's own New, Open and Exit.
class TestCommandActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void frameHasOneActionPerCommand();
    void workspaceHasOneActionPerCommand();
    void workspaceFileMenuRunsTheFrameCommands();
    void textKeysStayWithTheText();

private:
    std::unique_ptr<TfrmMain> m_frame;
};

void TestCommandActions::init()
{
    ErrorHandler::setPresenter([](const QString &) {});
    m_frame = std::make_unique<TfrmMain>();
}

void TestCommandActions::cleanup()
{
    for (TfrmEdit *workspace : m_frame->workspaces())
        workspace->closeWithoutQuery();
    m_frame.reset();
    ErrorHandler::setPresenter({});
}

void TestCommandActions::frameHasOneActionPerCommand()
{
    const FrameActions &a = m_frame->actions();
    Reached reached;
    for (const QMenu *menu : a.frameMenus())
        collect(menu, reached);
    collect(a.pumTray, reached);
    collect(m_frame->toolBar().bar(), reached);
    checkOnePerCommand(CommandTable::frame(), reached);
    QCOMPARE(m_frame->toolBar().bar()->FindItem(QStringLiteral("btnNew"))->action(), a.mniNew);
    QVERIFY(a.mnuFile->actions().contains(a.mniNew));
}

void TestCommandActions::workspaceHasOneActionPerCommand()
{
    TfrmEdit *workspace = m_frame->NewChild();
    WorkspaceActions *a = workspace->actions();
    Reached reached;
    for (const QMenu *menu : workspace->mergedMenus())
        collect(menu, reached);
    collect(a->pumPopup, reached);
    collect(a->barTool, reached);
    checkOnePerCommand(CommandTable::workspace(), reached);
    for (const char *id : {"mniCut", "mniFont", "mniFind"}) {
        QAction *action = *reached.value(QLatin1String(id)).cbegin();
        QVERIFY(a->pumPopup->actions().contains(action));
    }
    QCOMPARE(a->barTool->FindItem(QStringLiteral("btnCut"))->action(), a->mniCut);
    QVERIFY(a->mniEdit->actions().contains(a->mniCut));
    // The bar's caption and hint of a command on the bar.
    QCOMPARE(a->mniDateTime->iconText(), QStringLiteral("Date"));
    QCOMPARE(a->mniDateTime->toolTip(), QStringLiteral("Insert Date and Time"));
}

void TestCommandActions::workspaceFileMenuRunsTheFrameCommands()
{
    const FrameActions &frame = m_frame->actions();
    TfrmEdit *first = m_frame->NewChild();
    TfrmEdit *second = m_frame->NewChild();
    for (TfrmEdit *workspace : {first, second}) {
        WorkspaceActions *a = workspace->actions();
        QCOMPARE(a->mniNew, frame.mniNew);
        QCOMPARE(a->mniOpen, frame.mniOpen);
        QCOMPARE(a->mniExit, frame.mniExit);
        const QList<QAction *> file = a->mniFile->actions();
        QCOMPARE(file.constFirst(), frame.mniNew);
        QCOMPARE(file.at(1), frame.mniOpen);
        QCOMPARE(file.constLast(), frame.mniExit);
        // No twin of its own that could answer the key as well.
        QVERIFY(workspace->findChildren<QAction *>(QStringLiteral("mniNew")).isEmpty());
        QVERIFY(workspace->findChildren<QAction *>(QStringLiteral("mniExit")).isEmpty());
    }
    // New from a Workspace's menu makes exactly one Workspace.
    second->actions()->mniNew->trigger();
    QCOMPARE(m_frame->workspaces().size(), 3);
    // A closed Workspace leaves the frame's commands whole.
    first->closeWithoutQuery();
    QTRY_COMPARE(m_frame->workspaces().size(), 2);
    QVERIFY(frame.mnuFile->actions().contains(frame.mniNew));
    QCOMPARE(frame.mniNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    QVERIFY(second->actions()->mniFile->actions().contains(frame.mniNew));
}

void TestCommandActions::textKeysStayWithTheText()
{
    TfrmEdit *workspace = m_frame->NewChild();
    WorkspaceActions *a = workspace->actions();
    const QList<QAction *> answered = workspace->QWidget::actions();
    // Undo and Redo are the text's own keys: the Workspace offers them only in its menus.
    QVERIFY(!answered.contains(a->mniUndo));
    QVERIFY(!answered.contains(a->mniRedo));
    QVERIFY(!a->mniUndo->shortcuts().isEmpty());
    QVERIFY(a->mniRedo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    for (QAction *action : {a->mniSave, a->mniFind, a->mniReplace}) {
        QVERIFY(answered.contains(action));
        QCOMPARE(action->shortcutContext(), Qt::WidgetWithChildrenShortcut);
    }
    QCOMPARE(a->mniReplace->shortcuts(),
             (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+H")),
                                  QKeySequence(QStringLiteral("Ctrl+R"))}));
    // The frame's keys live with its menus, never on a Workspace.
    QVERIFY(!answered.contains(m_frame->actions().mniNew));
    QCOMPARE(m_frame->actions().mniNew->shortcutContext(), Qt::WindowShortcut);
}

QTEST_MAIN(TestCommandActions)
#include "tst_commandactions.moc"
