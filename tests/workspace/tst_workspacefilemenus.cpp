#include "fakeworkspacehost.h"

#include "base/errorhandler.h"
#include "base/ui/filelistmenu.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"

#include "common/testfiles.h"
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

// The Reopen and Favorite Files submenus a Workspace carries in its own File menu.
class TestWorkspaceFileMenus : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void reopenFollowsOwnAdditionsOnly();
    void separatorAfterTheFourthEntry();
    void favoritesShowNonEmptyPositions();
    void runMruAddsOnlyWhenTheFileOpened();
    void runFavLeavesTheRecentListToTheOpen();

private:
    TfrmEdit *makeWorkspace();
    QStringList visibleCaptions(QMenu *menu) const;
    QAction *find(QMenu *menu, const char *name) const;

    QTemporaryDir *m_dir = nullptr;
    QMdiArea *m_area = nullptr;
    FakeWorkspaceHost m_host;
};

void TestWorkspaceFileMenus::init()
{
    m_dir = new QTemporaryDir;
    m_area = new QMdiArea;
    m_area->resize(800, 600);
    m_area->show();
    m_host = FakeWorkspaceHost();
    ErrorHandler::setPresenter([](const QString &text) { QFAIL(qPrintable(text)); });
}

void TestWorkspaceFileMenus::cleanup()
{
    ErrorHandler::setPresenter({});
    for (QMdiSubWindow *window : m_area->subWindowList())
        static_cast<TfrmEdit *>(window)->closeWithoutQuery();
    delete m_area;
    delete m_dir;
}

TfrmEdit *TestWorkspaceFileMenus::makeWorkspace()
{
    auto *edit = new TfrmEdit(m_host.services());
    edit->setKeyLockReader([]() { return KeyLockState{}; });
    m_area->addSubWindow(edit);
    edit->show();
    return edit;
}

QStringList TestWorkspaceFileMenus::visibleCaptions(QMenu *menu) const
{
    QStringList captions;
    for (QAction *action : menu->actions()) {
        if (action->isVisible())
            captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return captions;
}

QAction *TestWorkspaceFileMenus::find(QMenu *menu, const char *name) const
{
    return menu->findChild<QAction *>(QLatin1String(name));
}

void TestWorkspaceFileMenus::reopenFollowsOwnAdditionsOnly()
{
    m_host.lists.setRecentFiles({QStringLiteral("/a/One.txt")});
    TfrmEdit *edit = makeWorkspace();
    QMenu *reopen = edit->actions()->mniReopen;
    QVERIFY(reopen->isEnabled());
    // Shown: the list as it stood then, with the name's case kept.
    QCOMPARE(visibleCaptions(reopen), QStringList{QStringLiteral("/a/One.txt")});

    // Another Workspace's addition shows here only after this one's own next addition.
    m_host.lists.AddRecentFile(QStringLiteral("/b/Two.txt"));
    QCOMPARE(visibleCaptions(reopen).size(), 1);

    const QString path = m_dir->filePath(QStringLiteral("Three & Four.txt"));
    QVERIFY(TestFiles::writeBytes(path, "x"));
    QVERIFY(edit->Open(path));
    QCOMPARE(m_host.lists.recentFiles().constFirst(), path);
    QCOMPARE(visibleCaptions(reopen),
             (QStringList{FileListMenu::captionFor(path), QStringLiteral("/b/Two.txt"),
                          QStringLiteral("/a/One.txt")}));
    QCOMPARE(find(reopen, "mniMRU1")->data().toString(), path);
}

void TestWorkspaceFileMenus::separatorAfterTheFourthEntry()
{
    m_host.lists.setRecentFiles({QStringLiteral("/1"), QStringLiteral("/2"), QStringLiteral("/3"),
                                 QStringLiteral("/4")});
    TfrmEdit *four = makeWorkspace();
    QVERIFY(!find(four->actions()->mniReopen, "mniMRUDiv")->isVisible());

    m_host.lists.setRecentFiles(QStringList(m_host.lists.recentFiles()) << QStringLiteral("/5"));
    TfrmEdit *five = makeWorkspace();
    QCOMPARE(visibleCaptions(five->actions()->mniReopen),
             (QStringList{QStringLiteral("/1"), QStringLiteral("/2"), QStringLiteral("/3"),
                          QStringLiteral("/4"), QStringLiteral("-"), QStringLiteral("/5")}));
}

void TestWorkspaceFileMenus::favoritesShowNonEmptyPositions()
{
    TfrmEdit *edit = makeWorkspace();
    QMenu *favorites = edit->actions()->mniFavFiles;
    QVERIFY(favorites->isEnabled());
    QVERIFY(visibleCaptions(favorites).isEmpty());

    m_host.lists.setFavoriteFiles(
            {QStringLiteral("/first"), {}, {}, {}, {}, QStringLiteral("/Sixth")});
    // The File menu rebuilds the favourites each time it opens.
    emit edit->actions()->mniFile->aboutToShow();
    QCOMPARE(visibleCaptions(favorites),
             (QStringList{QStringLiteral("/first"), QStringLiteral("/Sixth")}));
    QVERIFY(find(favorites, "mniFav06")->isVisible());
    QVERIFY(!find(favorites, "mniFavDiv")->isVisible());

    m_host.lists.setFavoriteFiles({QStringLiteral("/only")});
    emit edit->actions()->mniFile->aboutToShow();
    QCOMPARE(visibleCaptions(favorites), QStringList{QStringLiteral("/only")});
}

void TestWorkspaceFileMenus::runMruAddsOnlyWhenTheFileOpened()
{
    m_host.lists.setRecentFiles({QStringLiteral("/x/Gone.txt"), QStringLiteral("/x/Here.txt")});
    TfrmEdit *edit = makeWorkspace();

    m_host.openSucceeds = false;
    find(edit->actions()->mniReopen, "mniMRU1")->trigger();
    QCOMPARE(m_host.opened, QStringList{QStringLiteral("/x/Gone.txt")});
    QCOMPARE(m_host.lists.recentFiles().size(), 2);

    m_host.openSucceeds = true;
    find(edit->actions()->mniReopen, "mniMRU2")->trigger();
    QCOMPARE(m_host.opened.constLast(), QStringLiteral("/x/Here.txt"));
    QCOMPARE(m_host.lists.recentFiles().constFirst(), QStringLiteral("/x/Here.txt"));
    QCOMPARE(find(edit->actions()->mniReopen, "mniMRU1")->data().toString(),
             QStringLiteral("/x/Here.txt"));
}

void TestWorkspaceFileMenus::runFavLeavesTheRecentListToTheOpen()
{
    m_host.lists.setFavoriteFiles({QStringLiteral("/fav/Notes.txt")});
    TfrmEdit *edit = makeWorkspace();
    emit edit->actions()->mniFile->aboutToShow();
    find(edit->actions()->mniFavFiles, "mniFav01")->trigger();
    QCOMPARE(m_host.opened, QStringList{QStringLiteral("/fav/Notes.txt")});
    // The new Workspace's own open puts it on the list, not the menu that was used.
    QVERIFY(m_host.lists.recentFiles().isEmpty());
}

QTEST_MAIN(TestWorkspaceFileMenus)
#include "tst_workspacefilemenus.moc"
