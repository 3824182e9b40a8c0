#include "app/commandline.h"
#include "app/ui/filedropfilter.h"
#include "app/ui/helpwindow.h"
#include "app/ui/mdiiconarranger.h"
#include "app/ui/mditiler.h"
#include "app/ui/menumerger.h"
#include "app/ui/stayontop.h"
#include "app/ui/windowmenu.h"
#include "base/apperror.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QWindow>

class TestFrameParts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void joinedCommandLine_data();
    void joinedCommandLine();
    void menusMerge();
    void stayOnTopKeepsTheWindowInPlace();
    void stayOnTopAroundWindows();
    void helpIndexAndSearch();
    void helpLinksAllLead();
    void missingHelpFileIsAnError();
    void windowMenuListsWorkspaces();
    void arrangeLinesUpMinimisedWindows();
    void tileSharesTheArea();
    void droppedFiles();

private:
    static QString helpFile();
};

QString TestFrameParts::helpFile()
{
    return qEnvironmentVariable("LEAFSTACK_SOURCE_DIR")
            + QStringLiteral("/src/app/help/leaf95.html");
}

void TestFrameParts::joinedCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("joined");
    QTest::addColumn<QString>("opened");

    QTest::newRow("none") << QStringList() << QString() << QString();
    QTest::newRow("relative") << QStringList{"notes.txt"} << "notes.txt"
                              << "/work/notes.txt";
    QTest::newRow("split name") << QStringList{"/tmp/My", "Long", "Name.txt"}
                                << "/tmp/My Long Name.txt"
                                << "/tmp/My Long Name.txt";
    QTest::newRow("blank inside an argument") << QStringList{"/a b", "c "} << "/a b c "
                                              << "/a b c ";
    QTest::newRow("case kept") << QStringList{"/Docs/README.TXT"} << "/Docs/README.TXT"
                               << "/Docs/README.TXT";
}

void TestFrameParts::joinedCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, joined);
    QFETCH(QString, opened);
    QCOMPARE(CommandLine::joinedFileName(arguments), joined);
    // The joined name exists: it is the one file opened.
    const auto everything = [](const QString &) {
        return true;
    };
    const QList<CommandLine::FileRequest> files =
            CommandLine::filesToOpen(arguments, QStringLiteral("/work"), everything);
    QCOMPARE(files.isEmpty() ? QString() : files.constFirst().path, opened);
    QVERIFY(files.size() <= 1);
}

void TestFrameParts::menusMerge()
{
    QMainWindow window;
    QMenu file(QStringLiteral("&File")), view(QStringLiteral("&Window")),
            options(QStringLiteral("&Options")), help(QStringLiteral("&Help"));
    QMenu wsFile(QStringLiteral("&File")), edit(QStringLiteral("&Edit")),
            character(QStringLiteral("&Character")), search(QStringLiteral("&Search"));
    MenuMerger merger(window.menuBar(), {&file, &view, &options, &help});
    const auto bar = [&] {
        QList<QMenu *> menus;
        for (QAction *action : window.menuBar()->actions())
            menus.append(action->menu());
        return menus;
    };

    merger.merge({});
    QCOMPARE(bar(), (QList<QMenu *>{&file, &view, &options, &help}));
    merger.merge({&wsFile, &edit, &character, &search});
    QCOMPARE(bar(), (QList<QMenu *>{&wsFile, &edit, &character, &search, &view, &options, &help}));
    merger.merge({&wsFile, &edit, &character, &search});
    QCOMPARE(bar().size(), 7);
    merger.merge({});
    QCOMPARE(bar(), (QList<QMenu *>{&file, &view, &options, &help}));
    // The menus taken out of the bar live on for the next merge.
    merger.merge({&wsFile, &edit});
    QCOMPARE(bar(), (QList<QMenu *>{&wsFile, &edit, &view, &options, &help}));
}

void TestFrameParts::stayOnTopKeepsTheWindowInPlace()
{
    QWidget frame;
    QAction option;
    option.setCheckable(true);
    StayOnTop stayOnTop(&frame, &option);
    frame.setGeometry(100, 120, 500, 300);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QRect before = frame.geometry();
    QWindow *native = frame.windowHandle();

    stayOnTop.toggle();
    QVERIFY(option.isChecked());
    QVERIFY(stayOnTop.isTopmost());
    QVERIFY(native->flags().testFlag(Qt::WindowStaysOnTopHint));
    // The same native window, still shown, in the same place.
    QCOMPARE(frame.windowHandle(), native);
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.geometry(), before);

    stayOnTop.dropTopmost();
    QVERIFY(option.isChecked());
    QVERIFY(!native->flags().testFlag(Qt::WindowStaysOnTopHint));
    stayOnTop.restoreTopmost();
    QVERIFY(native->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.geometry(), before);

    stayOnTop.toggle();
    QVERIFY(!option.isChecked());
    QVERIFY(!stayOnTop.isTopmost());
    stayOnTop.restoreTopmost();
    QVERIFY(!stayOnTop.isTopmost());

    // The menu item and a stored setting turn the check mark; the window follows each once.
    option.trigger();
    QVERIFY(option.isChecked());
    QVERIFY(stayOnTop.isTopmost());
    option.setChecked(false);
    QVERIFY(!stayOnTop.isTopmost());
    QCOMPARE(frame.windowHandle(), native);
}

void TestFrameParts::stayOnTopAroundWindows()
{
    QWidget frame;
    QAction option;
    option.setCheckable(true);
    StayOnTop stayOnTop(&frame, &option);
    stayOnTop.toggle();

    {
        TopmostDropped dropped(stayOnTop);
        QVERIFY(!stayOnTop.isTopmost());
        QVERIFY(option.isChecked());
    }
    QVERIFY(stayOnTop.isTopmost());
    {
        StayOnTopSuspended suspended(stayOnTop);
        QVERIFY(!stayOnTop.isTopmost());
        QVERIFY(!option.isChecked());
    }
    QVERIFY(stayOnTop.isTopmost());
    QVERIFY(option.isChecked());

    stayOnTop.switchOff();
    QVERIFY(!option.isChecked());
    QVERIFY(!stayOnTop.isTopmost());
    {
        StayOnTopSuspended suspended(stayOnTop);
    }
    QVERIFY(!option.isChecked());
    // Re-applying follows the option both ways.
    frame.overrideWindowFlags(frame.windowFlags() | Qt::WindowStaysOnTopHint);
    stayOnTop.reapply();
    QVERIFY(!stayOnTop.isTopmost());
}

void TestFrameParts::helpIndexAndSearch()
{
    HelpWindow help(helpFile());
    help.showIndex();
    QVERIFY(help.isIndexShown());
    const QStringList topics = help.topics();
    QVERIFY(topics.contains(QStringLiteral("How to use Help")));
    QVERIFY(topics.contains(QStringLiteral("Opening a file")));
    QVERIFY(topics.contains(QStringLiteral("Stay On Top")));
    QVERIFY(std::is_sorted(topics.cbegin(), topics.cend()));
    QCOMPARE(help.visibleTopics(), topics);

    // A title that holds the word is chosen before topics that only mention it.
    QTest::keyClicks(help.searchBox(), QStringLiteral("SAV"));
    QVERIFY(help.visibleTopics().contains(QStringLiteral("Saving a file")));
    QVERIFY(help.visibleTopics().contains(QStringLiteral("Closing a Workspace")));
    QVERIFY(!help.visibleTopics().contains(QStringLiteral("Arranging Workspaces")));
    QTest::keyClick(help.searchBox(), Qt::Key_Return);
    QVERIFY(!help.isIndexShown());
    QCOMPARE(help.currentAnchor(), QStringLiteral("save-file"));

    // A word found only in a topic's text leads there too.
    help.showIndex();
    QTest::keyClicks(help.searchBox(), QStringLiteral("tile"));
    QVERIFY(help.visibleTopics().contains(QStringLiteral("Arranging Workspaces")));
    QTest::keyClick(help.searchBox(), Qt::Key_Return);
    QCOMPARE(help.currentAnchor(), QStringLiteral("window-menu"));
    help.showIndex();
    QTest::keyClicks(help.searchBox(), QStringLiteral("zqxj"));
    QVERIFY(help.visibleTopics().isEmpty());
    QTest::keyClick(help.searchBox(), Qt::Key_Return);
    QVERIFY(help.isIndexShown());

    help.showHowToUse();
    QCOMPARE(help.currentAnchor(), HelpWindow::HowToUseAnchor);
    help.showContents();
    QCOMPARE(help.currentAnchor(), HelpWindow::ContentsAnchor);
    help.showIndex();
    QVERIFY(help.searchBox()->text().isEmpty());
    QCOMPARE(help.visibleTopics(), topics);
}

void TestFrameParts::helpLinksAllLead()
{
    HelpWindow help(helpFile());
    help.showContents();
    auto *browser = help.findChild<QTextBrowser *>();
    QVERIFY(browser);
    QSet<QString> anchors;
    QStringList links;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString &name : format.anchorNames())
                anchors.insert(name);
            if (format.isAnchor() && format.anchorHref().startsWith(QLatin1Char('#')))
                links.append(format.anchorHref().mid(1));
        }
    }
    QVERIFY(links.size() > 10);
    QVERIFY(anchors.contains(HelpWindow::ContentsAnchor));
    QVERIFY(anchors.contains(HelpWindow::HowToUseAnchor));
    for (const QString &link : std::as_const(links))
        QVERIFY2(anchors.contains(link), qPrintable(link));
}

void TestFrameParts::missingHelpFileIsAnError()
{
    HelpWindow help(QStringLiteral("/nonexistent/leaf95.html"));
    QVERIFY_THROWS_EXCEPTION(AppError, help.showContents());
    QVERIFY(!help.isVisible());
}

void TestFrameParts::windowMenuListsWorkspaces()
{
    QMdiArea area;
    QMenu menu;
    menu.addAction(QStringLiteral("&Tile"));
    WindowMenu list(&menu, &area);
    list.refresh();
    QCOMPARE(menu.actions().size(), 1);

    QMdiSubWindow *first = area.addSubWindow(new QWidget);
    first->setWindowTitle(QStringLiteral("a&b.txt"));
    QMdiSubWindow *second = area.addSubWindow(new QWidget);
    second->setWindowTitle(QStringLiteral("c.txt"));
    area.show();
    first->show();
    second->show();
    area.setActiveSubWindow(second);
    list.refresh();
    list.refresh();
    QCOMPARE(list.entries().size(), 2);
    QCOMPARE(menu.actions().size(), 4); // Tile, separator, two entries
    QCOMPARE(list.entries().at(0)->text(), QStringLiteral("&1 a&&b.txt"));
    QCOMPARE(list.entries().at(1)->text(), QStringLiteral("&2 c.txt"));
    QVERIFY(!list.entries().at(0)->isChecked());
    QVERIFY(list.entries().at(1)->isChecked());

    list.entries().at(0)->trigger();
    QCOMPARE(area.currentSubWindow(), first);

    delete first;
    delete second;
    list.refresh();
    QCOMPARE(menu.actions().size(), 1);
}

void TestFrameParts::arrangeLinesUpMinimisedWindows()
{
    QMdiArea area;
    area.resize(700, 500);
    QList<QMdiSubWindow *> windows;
    for (int i = 0; i < 4; ++i) {
        QMdiSubWindow *window = area.addSubWindow(new QWidget);
        window->setWindowTitle(QStringLiteral("w%1").arg(i));
        windows.append(window);
    }
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    for (QMdiSubWindow *window : windows)
        window->show();
    windows[1]->showMinimized();
    windows[3]->showMinimized();
    windows[1]->move(200, 40);
    windows[3]->move(10, 10);
    const QRect open = windows[2]->geometry();

    MdiIconArranger::arrange(&area);
    const QRect room = area.viewport()->rect();
    QCOMPARE(windows[1]->geometry().left(), room.left());
    QCOMPARE(windows[1]->geometry().bottom(), room.bottom());
    QCOMPARE(windows[3]->geometry().left(), windows[1]->geometry().right() + 1);
    QCOMPARE(windows[3]->geometry().bottom(), room.bottom());
    QCOMPARE(windows[2]->geometry(), open);
}

void TestFrameParts::tileSharesTheArea()
{
    QMdiArea area;
    area.resize(600, 400);
    QList<QMdiSubWindow *> windows;
    for (int i = 0; i < 4; ++i)
        windows.append(area.addSubWindow(new QWidget));
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    for (QMdiSubWindow *window : windows)
        window->show();
    windows[3]->showMinimized();
    const QRect iconPlace = windows[3]->geometry();

    MdiTiler::tile(&area);
    const QRect room = area.viewport()->rect();
    // Three open windows: two share the first row, the third has the second row to itself.
    QCOMPARE(windows[0]->geometry(), QRect(0, 0, room.width() / 2, room.height() / 2));
    QCOMPARE(windows[1]->geometry().left(), room.width() / 2);
    QCOMPARE(windows[1]->geometry().top(), 0);
    QCOMPARE(windows[2]->geometry(), QRect(0, room.height() / 2, room.width(), room.height() / 2));
    QCOMPARE(windows[3]->geometry(), iconPlace);

    // Windows that cannot shrink to their share keep their minimum; the area does not grow.
    for (QMdiSubWindow *window : windows)
        window->setMinimumSize(500, 300);
    MdiTiler::tile(&area);
    QCOMPARE(area.size(), QSize(600, 400));
    QCOMPARE(windows[1]->geometry().size(), QSize(500, 300));
}

void TestFrameParts::droppedFiles()
{
    QWidget frame;
    frame.setAcceptDrops(true);
    auto *inside = new QWidget(&frame);
    QWidget elsewhere;
    elsewhere.setAcceptDrops(true);
    FileDropFilter filter(&frame);
    QSignalSpy dropped(&filter, &FileDropFilter::fileDropped);

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/one.txt")),
                   QUrl::fromLocalFile(QStringLiteral("/tmp/two.txt")),
                   QUrl::fromLocalFile(QStringLiteral("/tmp/three.txt"))});
    files.setText(QStringLiteral("file:///tmp/one.txt"));
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(inside, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(QApplication::sendEvent(inside, &drop));
    QCOMPARE(dropped.size(), 1);
    QCOMPARE(dropped.at(0).at(0).toString(), QStringLiteral("/tmp/one.txt"));

    // Plain text, remote files and other windows are left to the widget under the mouse.
    QMimeData text;
    text.setText(QStringLiteral("words"));
    QDropEvent textDrop(QPointF(1, 1), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(inside, &textDrop);
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/a.txt"))});
    QDropEvent remoteDrop(QPointF(1, 1), Qt::CopyAction, &remote, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(inside, &remoteDrop);
    QDropEvent otherDrop(QPointF(1, 1), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&elsewhere, &otherDrop);
    QCOMPARE(dropped.size(), 1);
}

QTEST_MAIN(TestFrameParts)
#include "tst_frameparts.moc"
