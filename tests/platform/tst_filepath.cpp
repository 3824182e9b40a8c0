#include "platform/filepath.h"

#include <QTest>

class TestFilePath : public QObject
{
    Q_OBJECT

private slots:
    void parts_data();
    void parts();
};

void TestFilePath::parts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("backup");

    QTest::newRow("plain") << "/home/ann/notes.txt"
                           << "/home/ann/"
                           << "notes.txt"
                           << ".txt"
                           << "/home/ann/notes.BAK";
    QTest::newRow("last dot counts") << "/a/archive.tar.gz"
                                     << "/a/"
                                     << "archive.tar.gz"
                                     << ".gz"
                                     << "/a/archive.tar.BAK";
    QTest::newRow("no extension") << "/a/README"
                                  << "/a/"
                                  << "README"
                                  << ""
                                  << "/a/README.BAK";
    QTest::newRow("dot-file has no extension") << "/home/ann/.profile"
                                               << "/home/ann/"
                                               << ".profile"
                                               << ""
                                               << "/home/ann/.profile.BAK";
    QTest::newRow("dot-file with extension") << "/a/.config.ini"
                                             << "/a/"
                                             << ".config.ini"
                                             << ".ini"
                                             << "/a/.config.BAK";
    QTest::newRow("dot in folder only") << "/my.dir/Makefile"
                                        << "/my.dir/"
                                        << "Makefile"
                                        << ""
                                        << "/my.dir/Makefile.BAK";
    QTest::newRow("colon is a character") << "/x/a:b.txt"
                                          << "/x/"
                                          << "a:b.txt"
                                          << ".txt"
                                          << "/x/a:b.BAK";
    QTest::newRow("backslash is a character") << "/x/c:\\dos\\f.ini"
                                              << "/x/"
                                              << "c:\\dos\\f.ini"
                                              << ".ini"
                                              << "/x/c:\\dos\\f.BAK";
    QTest::newRow("case kept") << "/Docs/Read.Me"
                               << "/Docs/"
                               << "Read.Me"
                               << ".Me"
                               << "/Docs/Read.BAK";
    QTest::newRow("relative, no folder") << "todo.md"
                                         << ""
                                         << "todo.md"
                                         << ".md"
                                         << "todo.BAK";
    QTest::newRow("root") << "/f"
                          << "/"
                          << "f"
                          << ""
                          << "/f.BAK";
}

void TestFilePath::parts()
{
    QFETCH(QString, path);
    QFETCH(QString, directory);
    QFETCH(QString, fileName);
    QFETCH(QString, extension);
    QFETCH(QString, backup);

    QCOMPARE(FilePath::directoryPart(path), directory);
    QCOMPARE(FilePath::fileNamePart(path), fileName);
    QCOMPARE(FilePath::extension(path), extension);
    QCOMPARE(FilePath::backupName(path), backup);
    QCOMPARE(FilePath::directoryPart(path) + FilePath::fileNamePart(path), path);
}

QTEST_GUILESS_MAIN(TestFilePath)
#include "tst_filepath.moc"
