#include "app/commandline.h"

#include <QSet>
#include <QTest>

using CommandLine::FileRequest;
using CommandLine::Parsed;

Q_DECLARE_METATYPE(CommandLine::FileRequest)

namespace {
// A file system holding exactly these absolute names.
CommandLine::Exists holding(const QStringList &names)
{
    return [set = QSet<QString>(names.begin(), names.end())](const QString &path) {
        return set.contains(path);
    };
}
} // namespace

// What the command line asks for, against a made-up file system under /w.
class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void options_data();
    void options();
    void files_data();
    void files();
};

void TestCommandLine::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("names");
    const int files = int(Parsed::Kind::Files);
    QTest::newRow("none") << QStringList() << files << QStringList();
    QTest::newRow("help") << QStringList{"a.txt", "--help"} << int(Parsed::Kind::Help)
                          << QStringList();
    QTest::newRow("short help") << QStringList{"-h"} << int(Parsed::Kind::Help) << QStringList();
    QTest::newRow("version") << QStringList{"--version"} << int(Parsed::Kind::Version)
                             << QStringList();
    QTest::newRow("short version")
            << QStringList{"-v"} << int(Parsed::Kind::Version) << QStringList();
    // The toolkit's options are file names like any other.
    QTest::newRow("toolkit options are names")
            << QStringList{"-reverse", "-style", "fusion", "-platform"} << files
            << QStringList{"-reverse", "-style", "fusion", "-platform"};
    QTest::newRow("double dash ends the options") << QStringList{"--", "--help", "-v", "--"}
                                                  << files << QStringList{"--help", "-v", "--"};
    QTest::newRow("unknown long option")
            << QStringList{"a.txt", "--new-window"} << int(Parsed::Kind::Error) << QStringList();
    QTest::newRow("long name that exists")
            << QStringList{"--notes"} << files << QStringList{"--notes"};
    QTest::newRow("empty arguments dropped")
            << QStringList{"", "a.txt", ""} << files << QStringList{"a.txt"};
}

void TestCommandLine::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, kind);
    QFETCH(QStringList, names);
    const Parsed parsed = CommandLine::parse(arguments, "/w", holding({"/w/--notes"}));
    QCOMPARE(int(parsed.kind), kind);
    QCOMPARE(parsed.names, names);
    if (parsed.kind == Parsed::Kind::Error) {
        QVERIFY(parsed.error.contains("'--new-window'"));
        QVERIFY(parsed.error.contains("\"--\""));
    }
}

void TestCommandLine::files_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("disk");
    QTest::addColumn<QList<FileRequest>>("expected");

    const QStringList disk{"/w/My Long Name.txt", "/w/notes.txt", "/w/a:2", "/w/+3", "/abs.txt"};
    QTest::newRow("joined name exists") << QStringList{"My", "Long", "Name.txt"} << disk
                                        << QList<FileRequest>{{"/w/My Long Name.txt", 0}};
    QTest::newRow("each its own") << QStringList{"notes.txt", "new.txt", "/abs.txt"} << disk
                                  << QList<FileRequest>{{"/w/notes.txt", 0},
                                                        {"/w/new.txt", 0},
                                                        {"/abs.txt", 0}};
    QTest::newRow("file and line")
            << QStringList{"notes.txt:12"} << disk << QList<FileRequest>{{"/w/notes.txt", 12}};
    QTest::newRow("whole name with a colon exists")
            << QStringList{"a:2"} << disk << QList<FileRequest>{{"/w/a:2", 0}};
    QTest::newRow("colon but no such file")
            << QStringList{"missing.txt:4"} << disk << QList<FileRequest>{{"/w/missing.txt:4", 0}};
    QTest::newRow("colon without a number")
            << QStringList{"notes.txt:x", "notes.txt:"} << disk
            << QList<FileRequest>{{"/w/notes.txt:x", 0}, {"/w/notes.txt:", 0}};
    QTest::newRow("plus line before the file")
            << QStringList{"+7", "notes.txt", "other.txt"} << disk
            << QList<FileRequest>{{"/w/notes.txt", 7}, {"/w/other.txt", 0}};
    QTest::newRow("plus name that exists is a file")
            << QStringList{"+3", "notes.txt"} << disk
            << QList<FileRequest>{{"/w/+3", 0}, {"/w/notes.txt", 0}};
    QTest::newRow("plus line last is a name")
            << QStringList{"notes.txt", "+9"} << disk
            << QList<FileRequest>{{"/w/notes.txt", 0}, {"/w/+9", 0}};
    QTest::newRow("dash names") << QStringList{"-reverse"} << disk
                                << QList<FileRequest>{{"/w/-reverse", 0}};
}

void TestCommandLine::files()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, disk);
    QFETCH(QList<FileRequest>, expected);
    const QList<FileRequest> files = CommandLine::filesToOpen(names, "/w", holding(disk));
    QCOMPARE(files.size(), expected.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        QCOMPARE(files.at(i).path, expected.at(i).path);
        QCOMPARE(files.at(i).line, expected.at(i).line);
    }
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
