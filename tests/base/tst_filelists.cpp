#include "base/filelists.h"
#include "base/ui/filelistmenu.h"
#include "settings/filelistsstorage.h"
#include "settings/regfileformat.h"
#include "settings/settingsstore.h"

#include "common/testfiles.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList names(int from, int to)
{
    QStringList list;
    for (int i = from; i <= to; ++i)
        list.append(QStringLiteral("/home/u/file%1.txt").arg(i));
    return list;
}

QStringList visibleCaptions(const FileListMenu &menu)
{
    QStringList captions;
    for (int n = 1; n <= 8; ++n) {
        if (menu.item(n)->isVisible())
            captions.append(QStringLiteral("%1:%2").arg(n).arg(menu.item(n)->text()));
    }
    return captions;
}

} // namespace

class TestFileLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void recentListKeepsTheEightNewest();
    void listedNameMovesToTheTopWithItsCase();
    void namesDifferingInCaseAreDifferentFiles();
    void freshStoreSavesEmptyFavoritePositions();
    void savedListsLoadAgain();
    void loadingStopsAtAGapAndSkipsAWrongType();
    void recentMenuShowsTheSeparatorFromItemFive();
    void favoritesMenuShowsOnlyFilledPositions();
    void ampersandShowsAndOpensTheRealName();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath("Leafstack.reg"); }
};

void TestFileLists::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestFileLists::recentListKeepsTheEightNewest()
{
    FileLists lists;
    FileListsStorage storage;
    for (const QString &name : names(1, 9))
        lists.AddRecentFile(name);
    QStringList expected = names(2, 9);
    std::reverse(expected.begin(), expected.end());
    QCOMPARE(lists.recentFiles(), expected);

    SettingsStore store(path());
    storage.SaveFileLists(lists, store);
    store.flush();
    SettingsStore reread(path());
    QCOMPARE(reread.valueNames(FileListsStorage::recentKey()),
             (QStringList{"mniMRU1", "mniMRU2", "mniMRU3", "mniMRU4", "mniMRU5", "mniMRU6",
                          "mniMRU7", "mniMRU8"}));
    QCOMPARE(reread.readString(FileListsStorage::recentKey(), "mniMRU1", ""),
             QStringLiteral("/home/u/file9.txt"));
    QCOMPARE(reread.readString(FileListsStorage::recentKey(), "mniMRU8", ""),
             QStringLiteral("/home/u/file2.txt"));
}

void TestFileLists::listedNameMovesToTheTopWithItsCase()
{
    FileLists lists;
    for (const QString &name : names(1, 5))
        lists.AddRecentFile(name);
    lists.AddRecentFile("/home/u/file1.txt"); // position 5
    QCOMPARE(lists.recentFiles().size(), 5);
    QCOMPARE(lists.recentFiles().first(), QStringLiteral("/home/u/file1.txt"));
    QCOMPARE(lists.recentFiles().at(1), QStringLiteral("/home/u/file5.txt"));
    QCOMPARE(lists.recentFiles().last(), QStringLiteral("/home/u/file2.txt"));
}

void TestFileLists::namesDifferingInCaseAreDifferentFiles()
{
    FileLists lists;
    FileListsStorage storage;
    lists.AddRecentFile("/home/u/Notes/A.TXT");
    lists.AddRecentFile("/home/u/notes/a.txt");
    QCOMPARE(lists.recentFiles(), (QStringList{"/home/u/notes/a.txt", "/home/u/Notes/A.TXT"}));
    SettingsStore store(path());
    storage.SaveFileLists(lists, store);
    QCOMPARE(store.readString(FileListsStorage::recentKey(), "mniMRU2", ""),
             QStringLiteral("/home/u/Notes/A.TXT"));
}

void TestFileLists::freshStoreSavesEmptyFavoritePositions()
{
    SettingsStore store(path());
    FileLists lists;
    FileListsStorage storage;
    storage.LoadFileLists(lists, store);
    QVERIFY(lists.recentFiles().isEmpty() && lists.favoriteFiles().isEmpty());
    storage.SaveFileLists(lists, store);
    QVERIFY(store.keyExists(FileListsStorage::recentKey()));
    QVERIFY(store.valueNames(FileListsStorage::recentKey()).isEmpty());
    QCOMPARE(store.valueNames(FileListsStorage::favoritesKey()),
             (QStringList{"mniFav01", "mniFav02", "mniFav03", "mniFav04", "mniFav05", "mniFav06",
                          "mniFav07", "mniFav08"}));
    QCOMPARE(store.readString(FileListsStorage::favoritesKey(), "mniFav08", "x"), QString());
}

void TestFileLists::savedListsLoadAgain()
{
    FileLists lists;
    FileListsStorage storage;
    lists.AddRecentFile("/a b/c.txt");
    lists.AddRecentFile("/d/e.ini");
    lists.setFavoriteFiles({"/fav/one.txt", "", "", "", "", "/fav/Six.txt"});
    SettingsStore store(path());
    storage.SaveFileLists(lists, store);
    store.flush();

    FileLists loaded;
    FileListsStorage().LoadFileLists(loaded, SettingsStore(path()));
    QCOMPARE(loaded.recentFiles(), lists.recentFiles());
    QCOMPARE(loaded.favoriteFiles(),
             (QStringList{"/fav/one.txt", "", "", "", "", "/fav/Six.txt", "", ""}));
}

void TestFileLists::loadingStopsAtAGapAndSkipsAWrongType()
{
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("REGEDIT4\n"
               "[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\MRUS]\n"
               "\"mniMRU1\"=\"/one\"\n\"mniMRU2\"=dword:00000001\n\"mniMRU3\"=\"/three\"\n"
               "\"mniMRU5\"=\"/five\"\n"
               "[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\Favorites]\n"
               "\"mniFav01\"=\"/f1\"\n\"mniFav02\"=dword:00000001\n\"mniFav03\"=\"/f3\"\n");
    file.close();
    SettingsStore store(path());
    FileLists lists;
    FileListsStorage storage;
    storage.LoadFileLists(lists, store);
    QCOMPARE(store.takeProblems(),
             (QStringList{"Invalid data type for 'mniMRU2'", "Invalid data type for 'mniFav02'"}));
    QCOMPARE(lists.recentFiles(), (QStringList{"/one", "/three"}));
    QCOMPARE(lists.favoriteFiles(), (QStringList{"/f1", "", "/f3"}));

    // Saved unchanged, the unreadable values stay as they were and the free positions are
    // filled in.
    storage.SaveFileLists(lists, store);
    store.flush();
    const RegTree tree = RegFileFormat::parse(TestFiles::readBytes(path()));
    const QString root = "HKEY_CURRENT_USER\\";
    QCOMPARE(tree.value(root + FileListsStorage::recentKey(), "mniMRU2")->type,
             RegValue::Type::Dword);
    QCOMPARE(tree.value(root + FileListsStorage::recentKey(), "mniMRU3")->text,
             QStringLiteral("/three"));
    QCOMPARE(tree.value(root + FileListsStorage::favoritesKey(), "mniFav02")->type,
             RegValue::Type::Dword);
    QCOMPARE(tree.valueNames(root + FileListsStorage::favoritesKey()).size(), 8);

    // A favourite put in that position replaces it.
    lists.setFavoriteFiles({"/f1", "/f2", "/f3"});
    storage.SaveFileLists(lists, store);
    QCOMPARE(store.readString(FileListsStorage::favoritesKey(), "mniFav02", ""),
             QStringLiteral("/f2"));
    QVERIFY(store.takeProblems().isEmpty());
}

void TestFileLists::recentMenuShowsTheSeparatorFromItemFive()
{
    QWidget parent;
    FileListMenu menu(FileListMenu::Kind::Recent, "&Reopen", &parent);
    QCOMPARE(menu.item(1)->objectName(), QStringLiteral("mniMRU1"));
    QCOMPARE(menu.separator()->objectName(), QStringLiteral("mniMRUDiv"));
    QCOMPARE(menu.menu()->actions().indexOf(menu.separator()), 4);
    menu.RebuildRecentMenu(names(1, 4));
    QCOMPARE(visibleCaptions(menu).size(), 4);
    QVERIFY(!menu.separator()->isVisible());
    menu.RebuildRecentMenu(names(1, 5));
    QVERIFY(menu.separator()->isVisible());
    QCOMPARE(menu.item(5)->text(), QStringLiteral("/home/u/file5.txt"));
}

void TestFileLists::favoritesMenuShowsOnlyFilledPositions()
{
    QWidget parent;
    FileListMenu menu(FileListMenu::Kind::Favorites, "&Favorite Files", &parent);
    QCOMPARE(menu.item(8)->objectName(), QStringLiteral("mniFav08"));
    menu.RebuildFavoritesMenu({"/fav/one.txt", "", "", "", "", "/fav/Six.txt"});
    QCOMPARE(visibleCaptions(menu), (QStringList{"1:/fav/one.txt", "6:/fav/Six.txt"}));
    QVERIFY(!menu.separator()->isVisible()); // item 5 is hidden
    menu.RebuildFavoritesMenu({"", "", "", "", "/fav/five"});
    QCOMPARE(visibleCaptions(menu), QStringList{"5:/fav/five"});
    QVERIFY(menu.separator()->isVisible());
}

void TestFileLists::ampersandShowsAndOpensTheRealName()
{
    QWidget parent;
    FileListMenu menu(FileListMenu::Kind::Recent, "&Reopen", &parent);
    menu.RebuildRecentMenu({"/docs/Tom & Jerry.txt"});
    QCOMPARE(menu.item(1)->text(), QStringLiteral("/docs/Tom && Jerry.txt"));
    QSignalSpy chosen(&menu, &FileListMenu::fileChosen);
    menu.item(1)->trigger();
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("/docs/Tom & Jerry.txt"));
}

QTEST_MAIN(TestFileLists)
#include "tst_filelists.moc"
