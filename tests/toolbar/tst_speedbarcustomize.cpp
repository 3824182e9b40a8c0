#include "app/ui/frameactions.h"
#include "app/ui/frametoolbar.h"
#include "app/ui/stayontop.h"
#include "app/ui/tfrmmain.h"
#include "base/errorhandler.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "settings/settingsstore.h"
#include "toolbar/ui/speedbarbuttonlist.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeedbarbutton.h"
#include "toolbar/ui/tspeedbarsection.h"
#include "toolbar/ui/tspeedbarsetupwindow.h"
#include "toolbar/ui/tspeeditem.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kRoot = QStringLiteral("Software\\Orvanel\\Leafstack\\");

QStringList captions(const QListWidget *list)
{
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result.append(list->item(row)->text());
    return result;
}

QStringList shown(const TSpeedBar *bar)
{
    QStringList result;
    for (const TSpeedItem *item : bar->items()) {
        if (item->Visible())
            result.append(QStringLiteral("%1,%2,%3")
                                  .arg(item->name())
                                  .arg(item->Left())
                                  .arg(item->Top()));
    }
    return result;
}

} // namespace

// The frame's and the Workspace's bars customised the way a user does it: the window from the
// menu, buttons dragged from its list onto the bar and off the bar, the layout kept at exit.
class TestSpeedbarCustomize : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { ErrorHandler::setPresenter({}); }
    void theFrameBarsDefaults();
    void theWorkspaceBarsDefaults();
    void dragsOntoAndOffTheBarAreKept();
    void eachBarHasItsOwnWindow();
    void keyboardAndGreyButtonsWhileCustomising();

private:
    QString path() const { return m_dir->filePath("Leafstack.reg"); }
    // Presses on row's button image in the list and lets go at global.
    static void dragRow(SpeedbarButtonList *list, int row, const QPoint &global);
    static void dragButton(TSpeedbarButton *button, const QPoint &global);
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_reported;
};

void TestSpeedbarCustomize::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_reported.clear();
    ErrorHandler::setPresenter([this](const QString &text) { m_reported.append(text); });
}

void TestSpeedbarCustomize::dragRow(SpeedbarButtonList *list, int row, const QPoint &global)
{
    QWidget *viewport = list->viewport();
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mousePress(viewport, Qt::LeftButton, {}, rect.topLeft() + QPoint(8, rect.height() / 2));
    QTest::mouseMove(viewport, viewport->mapFromGlobal(global));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, viewport->mapFromGlobal(global));
}

void TestSpeedbarCustomize::dragButton(TSpeedbarButton *button, const QPoint &global)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(button, button->mapFromGlobal(global));
    // The button follows the pointer: where it now stands decides the local position.
    QTest::mouseRelease(button, Qt::LeftButton, {}, button->mapFromGlobal(global));
}

void TestSpeedbarCustomize::theFrameBarsDefaults()
{
    TfrmMain frame;
    TSpeedBar *bar = frame.toolBar().bar();
    QCOMPARE(bar->objectName(), QStringLiteral("barTool"));
    QStringList sections;
    for (const TSpeedbarSection *section : bar->sections())
        sections.append(section->Caption());
    QCOMPARE(sections, (QStringList{"File", "Window", "Options", "Help"}));
    // Items go section by section; on the bar Exit comes last.
    QCOMPARE(shown(bar),
             (QStringList{"btnNew,4,4", "btnOpen,48,4", "btnPrintSetup,92,4", "btnExit,224,4",
                          "btnOptions,136,4", "btnAbout,180,4"}));
    QCOMPARE(bar->items().size(), 13);
    const TSpeedItem *how = bar->FindItem("btnHowToUseHelp");
    QCOMPARE(how->BtnCaption(), QStringLiteral("How?"));
    QCOMPARE(how->Hint(), QStringLiteral("How to Use Help|"));
    QCOMPARE(how->section()->Caption(), QStringLiteral("Help"));
    QCOMPARE(how->action(), frame.actions().mniHowtoUseHelp);
    for (const TSpeedItem *item : bar->items())
        QVERIFY2(!item->Glyph().isNull(), qPrintable(item->name()));
    QCOMPARE(bar->height(), 52);
    QVERIFY(bar->font().families().contains(QStringLiteral("Arial Narrow")));
    QCOMPARE(bar->font().pixelSize(), 12);
}

void TestSpeedbarCustomize::theWorkspaceBarsDefaults()
{
    TfrmMain frame;
    frame.show();
    TfrmEdit *edit = frame.activeWorkspace();
    QVERIFY(edit);
    TSpeedBar *bar = edit->actions()->barTool;
    QStringList sections;
    for (const TSpeedbarSection *section : bar->sections())
        sections.append(section->Caption());
    QCOMPARE(sections, (QStringList{"File Menu", "Edit Menu", "Character Menu", "Search Menu"}));
    QStringList names;
    for (const TSpeedItem *item : bar->items()) {
        if (item->Visible())
            names.append(item->BtnCaption());
    }
    QCOMPARE(names,
             (QStringList{"Save", "Save As", "Print", "Close", "Cut", "Copy", "Paste", "Delete",
                          "Select", "Date"}));
    QCOMPARE(bar->FindItem("btnFindNext")->BtnCaption(), QStringLiteral("Find F3"));
    QCOMPARE(bar->FindItem("btnDateTime")->Caption(), QStringLiteral("Insert Date and Time"));
    QCOMPARE(bar->FindItem("btnCenter")->Hint(), QStringLiteral("Center Text|"));
    QCOMPARE(bar->FindItem("btnLeft")->section()->Caption(), QStringLiteral("Character Menu"));
    // Left, Right and Center: group 1, one down at a time.
    for (const char *name : {"btnLeft", "btnRight", "btnCenter"})
        QCOMPARE(bar->FindItem(name)->GroupIndex(), 1);
    QCOMPARE(bar->FindItem("btnFont")->GroupIndex(), 0);
    QVERIFY(bar->FindItem("btnLeft")->Down());
    edit->actions()->mniCenter->trigger();
    QVERIFY(bar->FindItem("btnCenter")->Down());
    QVERIFY(!bar->FindItem("btnLeft")->Down());
    // An empty text: nothing to cut or select.
    QVERIFY(!bar->FindItem("btnCut")->Enabled());
    QVERIFY(!bar->FindItem("btnSelectAll")->Enabled());
    QVERIFY(bar->FindItem("btnSave")->Enabled());
}

void TestSpeedbarCustomize::dragsOntoAndOffTheBarAreKept()
{
    {
        SettingsStore store(path());
        TfrmMain frame;
        frame.setSettingsStore(&store);
        frame.show();
        frame.showNormal();
        frame.setGeometry(0, 0, 700, 420);
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        TSpeedBar *bar = frame.toolBar().bar();
        frame.actions().mniCustomize->trigger();
        TSpeedbarSetupWindow *window = bar->setupWindow();
        QVERIFY(window && window->isVisible());
        // Out of the bar's way, as a user would move it.
        window->move(150, 300);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(captions(window->SectionList()),
                 (QStringList{"File", "Window", "Options", "Help"}));
        window->SectionList()->setCurrentRow(1);
        SpeedbarButtonList *list = window->ButtonsList();
        QCOMPARE(captions(list), (QStringList{"Cascade", "Tile", "Arrange icons"}));

        // Tile dropped on Open's place: it stands there, Open and the rest move one on.
        dragRow(list, 1, bar->mapToGlobal(QPoint(60, 30)));
        QVERIFY(!list->dragImage());
        QCOMPARE(shown(bar),
                 (QStringList{"btnNew,4,4", "btnOpen,92,4", "btnPrintSetup,136,4", "btnExit,268,4",
                              "btnTile,48,4", "btnOptions,180,4", "btnAbout,224,4"}));
        // Tile is on the bar now: dragging it from the list again does nothing.
        dragRow(list, 1, bar->mapToGlobal(QPoint(400, 30)));
        QCOMPARE(bar->FindItem("btnTile")->Left(), 48);
        // Cascade let go over the Workspaces stays off the bar.
        dragRow(list, 0, frame.mdiArea()->mapToGlobal(frame.mdiArea()->rect().center()));
        QVERIFY(!bar->FindItem("btnCascade")->Visible());

        // About dragged off the bar is hidden; Exit dragged along takes the place it is let go.
        dragButton(bar->FindItem("btnAbout")->button(),
                   frame.mdiArea()->mapToGlobal(frame.mdiArea()->rect().center()));
        QVERIFY(!bar->FindItem("btnAbout")->Visible());
        dragButton(bar->FindItem("btnExit")->button(), bar->mapToGlobal(QPoint(420, 10)));
        QCOMPARE(bar->FindItem("btnExit")->Left(), 400);

        // The Workspace keeps its own bar's layout, in a section of its own.
        TSpeedBar *editBar = frame.activeWorkspace()->actions()->barTool;
        editBar->FindItem("btnDateTime")->setVisible(false);
        editBar->dropItem(editBar->FindItem("btnFind"), QPoint(450, 10));

        QTest::mouseClick(window->CloseBtn(), Qt::LeftButton);
        QTRY_VERIFY(!bar->setupWindow());
        // Without the window a press is a click again: Exit runs, and the frame saves.
        QTest::mouseClick(bar->FindItem("btnExit")->button(), Qt::LeftButton);
        QVERIFY(!frame.isVisible());
    }
    QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
    SettingsStore saved(path());
    const QString section = kRoot + QStringLiteral("TfrmMainbarTool");
    QStringList buttons;
    const int count = saved.readInteger(section, "Count", -1);
    for (int n = 1; n <= count; ++n)
        buttons.append(saved.readString(section, QStringLiteral("Button%1").arg(n), ""));
    QCOMPARE(buttons,
             (QStringList{"btnNew,4,4", "btnOpen,92,4", "btnPrintSetup,136,4", "btnExit,400,4",
                          "btnTile,48,4", "btnOptions,180,4"}));
    QCOMPARE(saved.readString(section, "Position", ""), QStringLiteral("1"));
    QCOMPARE(saved.readString(section, "Width", ""), QStringLiteral("52"));

    const QString editSection = kRoot + QStringLiteral("TfrmEditbarTool");
    QCOMPARE(saved.readString(editSection, "Count", ""), QStringLiteral("10"));
    QCOMPARE(saved.readString(editSection, "Button10", ""), QStringLiteral("btnFind,444,4"));

    // The next run shows the bars as they were left.
    SettingsStore store(path());
    TfrmMain frame;
    frame.setSettingsStore(&store);
    frame.show();
    QCOMPARE(shown(frame.toolBar().bar()),
             (QStringList{"btnNew,4,4", "btnOpen,92,4", "btnPrintSetup,136,4", "btnExit,400,4",
                          "btnTile,48,4", "btnOptions,180,4"}));
    TSpeedBar *editBar = frame.activeWorkspace()->actions()->barTool;
    QVERIFY(!editBar->FindItem("btnDateTime")->Visible());
    QCOMPARE(editBar->FindItem("btnFind")->Left(), 444);
    frame.actions().mniExit->trigger();
}

void TestSpeedbarCustomize::eachBarHasItsOwnWindow()
{
    TfrmMain frame;
    frame.show();
    TfrmEdit *edit = frame.activeWorkspace();
    TSpeedBar *frameBar = frame.toolBar().bar();
    TSpeedBar *editBar = edit->actions()->barTool;

    // Stay On Top gives way to a window that stays open, and stays off.
    frame.actions().mniStayOnTop->trigger();
    QVERIFY(frame.stayOnTop().isOn());
    frame.actions().mniCustomize->trigger();
    QVERIFY(!frame.stayOnTop().isOn());
    QVERIFY(!frame.stayOnTop().isTopmost());
    TSpeedbarSetupWindow *window = frameBar->setupWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Customize Speedbar"));
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!window->isModal());
    QVERIFY(!window->HelpBtn()->isVisible());
    QCOMPARE(window->CloseBtn()->text(), QStringLiteral("OK"));
    QCOMPARE(window->findChild<QLabel *>("HintLabel")->text(),
             QStringLiteral("To add command buttons, drag and drop buttons onto the SpeedBar. To "
                            "remove command buttons, drag them off of the SpeedBar."));
    // Chosen again: the window already open comes back, also from minimised.
    window->showMinimized();
    frame.actions().mniCustomize->trigger();
    QCOMPARE(frameBar->setupWindow(), window);
    QVERIFY(!window->isMinimized());

    // The Workspace's command opens a window of its own for its own bar.
    frame.actions().mniStayOnTop->trigger();
    QVERIFY(edit->actions()->mniCustomizeToolBar->isEnabled());
    edit->actions()->mniCustomizeToolBar->trigger();
    QVERIFY(!frame.stayOnTop().isOn());
    TSpeedbarSetupWindow *editWindow = editBar->setupWindow();
    QVERIFY(editWindow && editWindow != window);
    QCOMPARE(captions(editWindow->SectionList()),
             (QStringList{"File Menu", "Edit Menu", "Character Menu", "Search Menu"}));
    editWindow->SectionList()->setCurrentRow(2);
    QCOMPARE(captions(editWindow->ButtonsList()),
             (QStringList{"Left Justify", "Right Justify", "Center Text", "Set Font"}));

    // Customising stops a click from running the command.
    int opened = 0;
    connect(frame.actions().mniOpen, &QAction::triggered, this, [&] { ++opened; });
    QTest::mouseClick(frameBar->FindItem("btnOpen")->button(), Qt::LeftButton);
    QCOMPARE(opened, 0);

    // A Workspace that goes takes its window with it.
    QPointer<TSpeedbarSetupWindow> watched = editWindow;
    edit->closeWithoutQuery();
    QTRY_VERIFY(!watched);
    window->close();
}

void TestSpeedbarCustomize::keyboardAndGreyButtonsWhileCustomising()
{
    TfrmMain frame;
    frame.show();
    frame.showNormal();
    frame.setGeometry(0, 0, 700, 420);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    TfrmEdit *edit = frame.activeWorkspace();
    TSpeedBar *bar = edit->actions()->barTool;
    TSpeedItem *cut = bar->FindItem("btnCut");
    // Nothing to cut in an empty text: Qt gives a disabled button no mouse at all.
    QVERIFY(!cut->Enabled());
    QVERIFY(!cut->button()->isEnabled());

    edit->actions()->mniCustomizeToolBar->trigger();
    TSpeedbarSetupWindow *window = bar->setupWindow();
    QVERIFY(window);
    window->move(150, 300);
    // While customising every button can be taken off, whatever its command's state.
    QVERIFY(cut->button()->isEnabled());
    QVERIFY(!cut->Enabled());
    dragButton(cut->button(), edit->view()->mapToGlobal(QPoint(100, 150)));
    QVERIFY(!cut->Visible());

    // The keyboard's way: Return puts the selected button on the bar, Delete takes it off.
    window->SectionList()->setCurrentRow(1);
    SpeedbarButtonList *list = window->ButtonsList();
    list->setFocus();
    list->setCurrentRow(0);
    QCOMPARE(list->itemAt(0), cut);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(cut->Visible());
    QVERIFY(window->isVisible()); // Return did not close the window
    QCOMPARE(list->currentRow(), 0);
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(!cut->Visible());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(!bar->FindItem("btnCopy")->Visible());
    QTest::keyClick(list, Qt::Key_Enter);
    QVERIFY(bar->FindItem("btnCopy")->Visible());

    // Done: the greyed button is disabled again.
    window->close();
    QTRY_VERIFY(!bar->setupWindow());
    QVERIFY(!bar->FindItem("btnCopy")->button()->isEnabled());
    frame.activeWorkspace()->closeWithoutQuery();
}

QTEST_MAIN(TestSpeedbarCustomize)
#include "tst_speedbarcustomize.moc"
