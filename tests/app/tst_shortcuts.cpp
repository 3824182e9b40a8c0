#include "app/ui/helpwindow.h"
#include "app/ui/tfrmmain.h"
#include "base/commandtable.h"
#include "base/errorhandler.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "workspace/ui/searchcontroller.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspacegotoline.h"
#include "workspace/ui/workspaceprinter.h"

#include <QAction>
#include <QApplication>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

struct Row
{
    QString menu;
    QString item;
    QList<QKeySequence> keys;
};

// The rows of a bar's menus whose commands have keys of their own, as the command table gives
// them; the desktop's standard keys (Undo, Redo) differ between desktops and are left out.
void addRows(const CommandTable::Set &set, int firstMenu, QList<Row> &rows)
{
    for (int i = firstMenu; i < set.barMenus; ++i) {
        const CommandTable::Menu &menu = set.menus.at(i);
        for (const QString &entry : menu.entries) {
            const CommandTable::Command *command = set.command(entry);
            if (!command)
                command = CommandTable::frame().command(entry);
            if (!command || command->keys.isEmpty()
                || command->standard != CommandTable::StandardKeys::None)
                continue;
            Row row{menu.caption, command->caption, {}};
            for (const QString &key : command->keys)
                row.keys.append(QKeySequence(key));
            rows.append(row);
        }
    }
}

// Every shortcut while a Workspace is active: its menus, then the frame's that stay beside them.
const QList<Row> &workspaceTable()
{
    static const QList<Row> rows = [] {
        QList<Row> list;
        addRows(CommandTable::workspace(), 0, list);
        addRows(CommandTable::frame(), 1, list);
        return list;
    }();
    return rows;
}

const QList<Row> &frameTable()
{
    static const QList<Row> rows = [] {
        QList<Row> list;
        addRows(CommandTable::frame(), 0, list);
        return list;
    }();
    return rows;
}

QAction *menuItem(QMenuBar *bar, const QString &menu, const QString &item)
{
    for (QAction *top : bar->actions()) {
        if (top->text() != menu || !top->menu())
            continue;
        for (QAction *action : top->menu()->actions()) {
            if (action->text() == item)
                return action;
        }
    }
    return nullptr;
}

// Every command the bar reaches, submenus included.
void collect(QMenu *menu, QList<QAction *> &into)
{
    for (QAction *action : menu->actions()) {
        if (action->menu())
            collect(action->menu(), into);
        else if (!into.contains(action))
            into.append(action);
    }
}

// Keys that more than one command answers, as "key: a, b".
QStringList doubleKeys(QMenuBar *bar)
{
    QList<QAction *> actions;
    for (QAction *top : bar->actions()) {
        if (top->menu())
            collect(top->menu(), actions);
    }
    QMap<QString, QStringList> owners;
    for (QAction *action : std::as_const(actions)) {
        for (const QKeySequence &key : action->shortcuts())
            owners[key.toString()].append(action->objectName());
    }
    QStringList doubles;
    for (auto it = owners.cbegin(); it != owners.cend(); ++it) {
        if (it.value().size() > 1)
            doubles.append(it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", ")));
    }
    return doubles;
}

// Closes whatever modal dialog a command opens.
void rejectModalsMeanwhile(QObject *owner)
{
    auto *poll = new QTimer(owner);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    poll->start();
}

} // namespace

// The shortcut table against the menus, and every key pressed as a user presses it.
class TestShortcuts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void tableMatchesTheMenus();
    void eachKeyRunsItsCommandOnly();
    void closeExitAndNewByKey();

private:
    TfrmEdit *quietWorkspace();
    void press(const QKeySequence &key);

    std::unique_ptr<TfrmMain> m_frame;
};

void TestShortcuts::init()
{
    // Two commands on one key: Qt runs neither and says so.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("Ambiguous shortcut")));
    ErrorHandler::setPresenter([](const QString &) {});
    m_frame = std::make_unique<TfrmMain>();
    m_frame->setProgramFolder(qEnvironmentVariable("LEAFSTACK_SOURCE_DIR")
                              + QStringLiteral("/src/app/help"));
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    rejectModalsMeanwhile(m_frame.get());
}

void TestShortcuts::cleanup()
{
    if (m_frame) {
        for (TfrmEdit *workspace : m_frame->workspaces())
            workspace->closeWithoutQuery();
    }
    m_frame.reset();
    ErrorHandler::setPresenter({});
}

// The active Workspace with its dialogs answered: nothing saved, printed or asked.
TfrmEdit *TestShortcuts::quietWorkspace()
{
    TfrmEdit *workspace = m_frame->activeWorkspace();
    if (!workspace)
        return nullptr;
    workspace->setSaveDialogRunner([](QFileDialog &) { return QString(); });
    workspace->setQuestionRunner([](QMessageBox &) { return int(QMessageBox::No); });
    workspace->printer()->setPrintDialogRunner([](QPrintDialog &) { return false; });
    workspace->goToLineCommand()->setDialogRunner([](GoToLineDialog &) { return false; });
    return workspace;
}

// The key as typed into the active Workspace's text, or into the frame without one.
void TestShortcuts::press(const QKeySequence &key)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != m_frame.get() && window->isVisible() && !qobject_cast<QMenu *>(window))
            window->hide();
    }
    m_frame->activateWindow();
    QTRY_VERIFY(m_frame->isActiveWindow());
    QWidget *target = m_frame.get();
    if (TfrmEdit *workspace = m_frame->activeWorkspace()) {
        target = workspace->view();
        target->setFocus();
    }
    QTest::keySequence(target, key);
}

void TestShortcuts::tableMatchesTheMenus()
{
    QMenuBar *bar = m_frame->menuBar();
    // New, Open, Close, Save, Save As, Print, Exit; six of Edit, four of Search; Contents.
    QCOMPARE(workspaceTable().size(), 18);
    QCOMPARE(frameTable().size(), 4);
    for (const Row &row : workspaceTable()) {
        QAction *action = menuItem(bar, row.menu, row.item);
        QVERIFY2(action, qPrintable(row.menu + " > " + row.item));
        QCOMPARE(action->shortcuts(), row.keys);
    }
    // The new command stands last in the Search menu.
    const QList<QAction *> search = m_frame->activeWorkspace()->actions()->mniSearch->actions();
    QCOMPARE(search.constLast()->text(), QStringLiteral("Go to Line..."));
    QCOMPARE(doubleKeys(bar), QStringList());

    m_frame->activeWorkspace()->closeWithoutQuery();
    QTRY_VERIFY(m_frame->workspaces().isEmpty());
    QTRY_COMPARE(bar->actions().size(), 4);
    for (const Row &row : frameTable()) {
        QAction *action = menuItem(bar, row.menu, row.item);
        QVERIFY2(action, qPrintable(row.menu + " > " + row.item));
        QCOMPARE(action->shortcuts(), row.keys);
    }
    QCOMPARE(doubleKeys(bar), QStringList());
}

void TestShortcuts::eachKeyRunsItsCommandOnly()
{
    TfrmEdit *workspace = quietWorkspace();
    workspace->view()->replaceSelection(QStringLiteral("some text\nsecond line"));
    QMenuBar *bar = m_frame->menuBar();
    QList<QAction *> all;
    for (QAction *top : bar->actions())
        collect(top->menu(), all);
    // The text answers its own editing keys itself, to the same effect.
    const QStringList textKeys{"Ctrl+X", "Ctrl+C", "Ctrl+V", "Ctrl+A", "Ctrl+D"};
    for (const Row &row : workspaceTable()) {
        // New, Close and Exit change the frame; the next case presses them.
        if (row.item == "&New" || row.item == "&Close" || row.item == "E&xit")
            continue;
        QAction *action = menuItem(bar, row.menu, row.item);
        for (const QKeySequence &key : row.keys) {
            QStringList ran;
            QList<QMetaObject::Connection> spies;
            for (QAction *each : std::as_const(all))
                spies << connect(each, &QAction::triggered, this,
                                 [&ran, each] { ran << each->objectName(); });
            // Something to cut, copy and delete each time.
            workspace->view()->setSelection(0, 4);
            press(key);
            for (const QMetaObject::Connection &spy : std::as_const(spies))
                disconnect(spy);
            const QStringList expected = textKeys.contains(key.toString()) && ran.isEmpty()
                    ? QStringList()
                    : QStringList{action->objectName()};
            QVERIFY2(ran == expected, qPrintable(key.toString() + ": " + ran.join(", ")));
            QCOMPARE(m_frame->workspaces().size(), 1);
        }
    }
    if (m_frame->helpWindow())
        m_frame->helpWindow()->close();
}

void TestShortcuts::closeExitAndNewByKey()
{
    press(QKeySequence(QStringLiteral("Ctrl+N")));
    QCOMPARE(m_frame->workspaces().size(), 2);
    quietWorkspace();
    press(QKeySequence(QStringLiteral("Ctrl+W")));
    QTRY_COMPARE(m_frame->workspaces().size(), 1);
    quietWorkspace();
    press(QKeySequence(QStringLiteral("Ctrl+W")));
    QTRY_VERIFY(m_frame->workspaces().isEmpty());
    // The frame's own keys, without a Workspace.
    press(QKeySequence(QStringLiteral("Ctrl+N")));
    QTRY_COMPARE(m_frame->workspaces().size(), 1);
    quietWorkspace();
    press(QKeySequence(QStringLiteral("Ctrl+Q")));
    QTRY_VERIFY(!m_frame->isVisible());
}

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
