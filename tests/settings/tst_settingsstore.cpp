#include "base/apperror.h"
#include "settings/regfileformat.h"
#include "settings/settingsbaseline.h"
#include "settings/settingsstore.h"

#include "common/errorof.h"
#include "common/testfiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <QTest>

#include <cstdio>
#include <functional>

namespace {

const QString kMain = QStringLiteral("Software\\Orvanel\\Leafstack\\Main Form");

// A second process that writes `count` values under its own prefix, flushing after each and
// saying so on stdout.
int runWriter(const QString &path, const QString &prefix, int count)
{
    SettingsStore store(path);
    for (int i = 0; i < count; ++i) {
        store.writeString(kMain, prefix + QString::number(i), QString(200, QLatin1Char('x')));
        store.flush();
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void stringsRoundTrip_data();
    void stringsRoundTrip();
    void readsWhatAPersonMightWrite();
    void unreadableLinesAreLeftOut_data();
    void unreadableLinesAreLeftOut();
    void namesIgnoreCaseAndKeepIt();
    void integersAndBooleans();
    void erasingAKeyTakesItsSubKeys();
    void firstFlushWritesTheFile();
    void concurrentStoresKeepEachOthersValues();
    void fillingInLeavesOtherValuesAlone();
    void concurrentProcessesKeepEachOthersValues();
    void killedWriterLeavesAWholeFile();
    void damagedFileKeepsEveryReadableValue();
    void symlinkStaysALink();
    void failedFlushKeepsChangesAndSaysSo();
    void fileLocation();

private:
    QString path() const { return m_dir->filePath("Orvanel/Leafstack.reg"); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSettingsStore::stringsRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("data");
    QTest::newRow("plain") << "Flags"
                           << "0";
    QTest::newRow("empty data") << "dlgOpenFile_InitialDir"
                                << "";
    QTest::newRow("backslashes") << "a\\b"
                                 << "C:\\dir\\";
    QTest::newRow("quotes") << "say \"hi\""
                            << "\"quoted\"";
    QTest::newRow("filter string") << "dlgOpenFile_Filter"
                                   << "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    QTest::newRow("line ends and tabs") << "multi"
                                        << "one\r\ntwo\tthree\n";
    QTest::newRow("control characters")
            << "ctl" << QString("a") + QChar(1) + QChar(0x1f) + QChar(0x7f) + "b";
    QTest::newRow("blanks kept") << " padded "
                                 << "  both  ";
    QTest::newRow("non-ASCII") << "naïve"
                               << "Grüße, 日本語, 😀";
    QTest::newRow("brackets and equals") << "[x]=y"
                                         << "a=b;c";
}

void TestSettingsStore::stringsRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(QString, data);
    {
        SettingsStore store(path());
        store.writeString(kMain, name, data);
        store.flush();
    }
    SettingsStore reread(path());
    QCOMPARE(reread.loadError(), QString());
    QCOMPARE(reread.valueNames(kMain), QStringList{name});
    QCOMPARE(reread.readString(kMain, name, "missing"), data);
    // Each value is one line of the file.
    QCOMPARE(TestFiles::readBytes(path()).count('\n'), 6);
}

void TestSettingsStore::readsWhatAPersonMightWrite()
{
    QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
    TestFiles::writeBytes(path(),
                          "\xEF\xBB\xBFREGEDIT4\r\n"
                          "; my settings\r\n"
                          "\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\Main Form]\r\n"
                          "\"Flags\"=\"0\"\r\n"
                          "\"mniButtonHints_Checked\" = \"True\"\r\n"
                          "@=\"default\"\r\n"
                          "\"Count\"=dword:0000001f\r\n"
                          "\"Blob\"=hex:01,02,\\\r\n"
                          "  ff\r\n"
                          "\"Path\"=hex(2):41,00\r\n");
    SettingsStore store(path());
    QCOMPARE(store.loadError(), QString());
    QCOMPARE(store.readString(kMain, "mniButtonHints_Checked", ""), QStringLiteral("True"));
    QCOMPARE(store.readString(kMain, "", ""), QStringLiteral("default"));
    // A value of another type reads as missing and is said once.
    QCOMPARE(store.readString(kMain, "Count", "none"), QStringLiteral("none"));
    QCOMPARE(store.readInteger(kMain, "blob", 5), 5);
    QCOMPARE(store.readString(kMain, "count", "none"), QStringLiteral("none"));
    QCOMPARE(store.takeProblems(),
             (QStringList{"Invalid data type for 'Count'", "Invalid data type for 'blob'"}));
    QVERIFY(!store.stringValue(kMain, "Count"));
    QVERIFY(store.takeProblems().isEmpty());
    // Values of other types survive a flush of this process's changes.
    store.writeString(kMain, "Flags", "2");
    store.flush();
    const RegTree tree = RegFileFormat::parse(TestFiles::readBytes(path()));
    const QString key = "HKEY_CURRENT_USER\\" + kMain;
    QCOMPARE(tree.value(key, "Count")->dword, 31u);
    QCOMPARE(tree.value(key, "Blob")->bytes, QByteArray("\x01\x02\xff"));
    QCOMPARE(tree.value(key, "Path")->binaryKind, QStringLiteral("hex(2)"));
    QCOMPARE(tree.value(key, "Flags")->text, QStringLiteral("2"));
}

void TestSettingsStore::unreadableLinesAreLeftOut_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("problems");
    const QByteArray good = "[k]\n\"good\"=\"yes\"\n";
    QTest::newRow("no header") << good
                               << QStringList{"line 1: the file does not start with REGEDIT4"};
    QTest::newRow("value before key") << "REGEDIT4\n\"a\"=\"b\"\n" + good
                                      << QStringList{"line 2: a value before the first key"};
    QTest::newRow("unknown escape")
            << QByteArray("REGEDIT4\n[k]\n\"a\"=\"\\q\"\n\"good\"=\"yes\"\n")
            << QStringList{"line 3: unknown escape \\q"};
    QTest::newRow("junk after data") << "REGEDIT4\n" + good + "\"a\"=\"b\" c\n"
                                     << QStringList{"line 4: text after the closing quote"};
    QTest::newRow("bad dword and bad hex")
            << QByteArray("REGEDIT4\n[k]\n\"a\"=dword:123456789\n\"b\"=hex:1g\n\"good\"=\"yes\"\n")
            << QStringList{"line 3: bad dword", "line 4: bad hex byte \"1g\""};
    QTest::newRow("values of a deleted key") << "REGEDIT4\n[-k]\n\"a\"=\"b\"\n"
                    + good << QStringList{"line 2: bad key line; the values below it are left out"};
    QTest::newRow("stray line") << QByteArray("REGEDIT4\n[k]\nhello\n\"good\"=\"yes\"\n")
                                << QStringList{"line 3: neither a key nor a value"};
    QTest::newRow("cut in a string")
            << "REGEDIT4\n" + good + "\"cut\"=\"C:\\\\Doc" << QStringList{"line 4: unclosed quote"};
    QTest::newRow("cut in hex data") << "REGEDIT4\n" + good + "\"cut\"=hex:01,02,\\\n"
                                     << QStringList{"line 4: hex data cut short"};
    // A line cut off and the next one run into it: only that line is lost.
    QTest::newRow("cut and run on")
            << QByteArray("REGEDIT4\n[k]\n\"cut\"=\"abc\"good\"=\"yes\"\n\"good\"=\"yes\"\n")
            << QStringList{"line 3: text after the closing quote"};
}

void TestSettingsStore::unreadableLinesAreLeftOut()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, problems);
    QStringList found;
    const RegTree tree = RegFileFormat::parse(content, &found);
    QCOMPARE(found, problems);
    QVERIFY(tree.value("k", "good"));
    QCOMPARE(tree.value("k", "good")->text, QStringLiteral("yes"));
    QCOMPARE(tree.valueNames("k"), QStringList{"good"});
}

void TestSettingsStore::namesIgnoreCaseAndKeepIt()
{
    SettingsStore store(path());
    store.writeString(kMain, "mniStayOnTop_Checked", "True");
    store.writeString(kMain.toUpper(), "MNISTAYONTOP_CHECKED", "False");
    QCOMPARE(store.readString(kMain.toLower(), "mnistayontop_checked", ""),
             QStringLiteral("False"));
    QCOMPARE(store.valueNames(kMain), QStringList{"mniStayOnTop_Checked"});
    store.flush();
    QVERIFY(TestFiles::readBytes(path()).contains(
            "[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\Main Form]\n"
            "\"mniStayOnTop_Checked\"=\"False\"\n"));
}

void TestSettingsStore::integersAndBooleans()
{
    SettingsStore store(path());
    const QList<QPair<QString, int>> cases{{"12", 12},   {"-3", -3}, {"0x1", 1},
                                           {"0X1F", 31}, {"0x", 7},  {"abc", 7},
                                           {"", 7},      {" 5", 5},  {"1.5", 7}};
    for (const auto &[text, expected] : cases) {
        store.writeString(kMain, "n", text);
        QCOMPARE(store.readInteger(kMain, "n", 7), expected);
    }
    QCOMPARE(store.readInteger(kMain, "missing", 7), 7);
    QCOMPARE(store.readInteger("No\\Such\\Key", "n", 9), 9);
    store.writeInteger(kMain, "i", -42);
    store.writeBool(kMain, "t", true);
    store.writeBool(kMain, "f", false);
    QCOMPARE(store.readString(kMain, "i", ""), QStringLiteral("-42"));
    QCOMPARE(store.readString(kMain, "t", ""), QStringLiteral("1"));
    QCOMPARE(store.readString(kMain, "f", ""), QStringLiteral("0"));
}

void TestSettingsStore::erasingAKeyTakesItsSubKeys()
{
    SettingsStore store(path());
    store.writeString(kMain, "a", "1");
    store.writeString(kMain + "\\Sub\\Deeper", "b", "2");
    store.writeString(kMain + "x", "c", "3");
    QVERIFY(store.openKey(kMain + "\\Sub", false)); // exists through its sub-key
    QCOMPARE(store.subKeys("Software\\Orvanel\\Leafstack"),
             (QStringList{"Main Form", "Main Formx"}));
    store.eraseKey(kMain);
    QVERIFY(!store.keyExists(kMain));
    QVERIFY(!store.keyExists(kMain + "\\Sub\\Deeper"));
    QCOMPARE(store.readString(kMain + "x", "c", ""), QStringLiteral("3"));
    QVERIFY(!store.openKey("Software\\Orvanel\\Leafstack\\MRUS", false));
    QVERIFY(store.openKey("Software\\Orvanel\\Leafstack\\MRUS", true));
    store.flush();
    QVERIFY(SettingsStore(path()).keyExists("Software\\Orvanel\\Leafstack\\MRUS"));
    // A key that existed only through the one below it goes with that one.
    store.writeString("A\\B\\C", "v", "1");
    QVERIFY(store.keyExists("a\\b"));
    store.eraseKey("A\\B\\C");
    QVERIFY(!store.keyExists("A\\B") && !store.keyExists("A"));
}

void TestSettingsStore::firstFlushWritesTheFile()
{
    SettingsStore store(path());
    QVERIFY(!QFile::exists(path()));
    QCOMPARE(store.readString(kMain, "Flags", "default"), QStringLiteral("default"));
    store.flush(); // nothing changed: nothing written
    QVERIFY(!QFile::exists(path()));
    store.writeString(kMain, "Flags", "0");
    store.writeString(kMain, "mniButtonHints_Checked", "True");
    store.flush();
    const QByteArray content = TestFiles::readBytes(path());
    QVERIFY(content.startsWith("REGEDIT4\n"));
    QVERIFY(content.endsWith("\n[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\Main Form]\n"
                             "\"Flags\"=\"0\"\n"
                             "\"mniButtonHints_Checked\"=\"True\"\n"));
    QVERIFY(!store.hasUnsavedChanges());
}

void TestSettingsStore::concurrentStoresKeepEachOthersValues()
{
    SettingsStore first(path());
    SettingsStore second(path());
    first.writeString(kMain, "fromFirst", "1");
    second.writeString("Software\\Orvanel\\Leafstack\\Edit Form", "fromSecond", "2");
    second.writeString(kMain, "shared", "second");
    first.flush();
    second.flush();
    first.writeString(kMain, "shared", "first");
    first.eraseKey("Software\\Orvanel\\Leafstack\\Nothing");
    first.flush();

    SettingsStore third(path());
    QCOMPARE(third.readString(kMain, "fromFirst", ""), QStringLiteral("1"));
    QCOMPARE(third.readString("Software\\Orvanel\\Leafstack\\Edit Form", "fromSecond", ""),
             QStringLiteral("2"));
    QCOMPARE(third.readString(kMain, "shared", ""), QStringLiteral("first"));
    // A flush also brings in what the others wrote.
    QCOMPARE(first.readString("Software\\Orvanel\\Leafstack\\Edit Form", "fromSecond", ""),
             QStringLiteral("2"));
}

void TestSettingsStore::fillingInLeavesOtherValuesAlone()
{
    SettingsStore first(path());
    SettingsStore second(path());
    first.writeStringIfAbsent(kMain, "shared", "first's default");
    first.writeStringIfAbsent(kMain, "missing", "filled in");
    second.writeString(kMain, "shared", "second's choice");
    second.flush();
    first.flush();
    SettingsStore third(path());
    QCOMPARE(third.readString(kMain, "shared", ""), QStringLiteral("second's choice"));
    QCOMPARE(third.readString(kMain, "missing", ""), QStringLiteral("filled in"));
    third.writeStringIfAbsent(kMain, "SHARED", "anything");
    QVERIFY(!third.hasUnsavedChanges());

    // Through a baseline only a changed value is written, whatever case its name has.
    SettingsBaseline baseline;
    baseline.note(kMain, "shared", "second's choice");
    baseline.write(third, kMain, "Shared", "second's choice");
    QVERIFY(!third.hasUnsavedChanges());
    baseline.write(third, kMain, "shared", "third's choice");
    QVERIFY(third.hasUnsavedChanges());
    third.flush();
    baseline.write(third, kMain, "shared", "third's choice");
    QVERIFY(!third.hasUnsavedChanges());
}

void TestSettingsStore::concurrentProcessesKeepEachOthersValues()
{
    QProcess a;
    QProcess b;
    a.start(QCoreApplication::applicationFilePath(), {"--writer", path(), "a", "150"});
    b.start(QCoreApplication::applicationFilePath(), {"--writer", path(), "b", "150"});
    QVERIFY(a.waitForFinished(120'000) && b.waitForFinished(120'000));
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);
    SettingsStore store(path());
    QCOMPARE(store.valueNames(kMain).size(), 300);
}

void TestSettingsStore::killedWriterLeavesAWholeFile()
{
    qsizetype kept = 0;
    for (int round = 1; round <= 5; ++round) {
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(),
                     {"--writer", path(), QString("r%1_").arg(round), "1000"});
        // Kill it somewhere inside a later flush.
        int seen = 0;
        while (seen < round * 3 && writer.waitForReadyRead(30'000))
            seen += int(writer.readAll().count('\n'));
        QVERIFY2(writer.state() == QProcess::Running, writer.readAllStandardError().constData());
        writer.kill();
        writer.waitForFinished();
        SettingsStore store(path());
        QCOMPARE(store.loadError(), QString());
        // Everything flushed before the kill is there, earlier rounds' values too.
        QVERIFY(store.valueNames(kMain).size() >= kept + seen);
        kept = store.valueNames(kMain).size();
        QVERIFY(!QFile::exists(path() + ".bad"));
    }
}

void TestSettingsStore::damagedFileKeepsEveryReadableValue()
{
    QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
    const QByteArray damaged = "REGEDIT4\n"
                               "[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\Main Form]\n"
                               "\"Flags\"=\"0\"\n"
                               "\"NormPos\"=\"1,2,\x01\x02 garbage\n"
                               "\"ShowCmd\"=\"3\"\n";
    QVERIFY(TestFiles::writeBytes(path(), damaged));
    QVERIFY(TestFiles::writeBytes(path() + ".bad", "an older bad file"));
    SettingsStore store(path());
    QVERIFY(store.loadError().contains(path()));
    QVERIFY(store.loadError().contains("line 4: unclosed quote"));
    QCOMPARE(store.valueNames(kMain), (QStringList{"Flags", "ShowCmd"}));
    QCOMPARE(TestFiles::readBytes(path()), damaged); // untouched until the first write
    store.writeString(kMain, "Visible", "1");
    store.flush();
    QCOMPARE(TestFiles::readBytes(path() + ".bad"), QByteArray("an older bad file"));
    QCOMPARE(TestFiles::readBytes(path() + ".bad.1"), damaged);

    // The file written holds every readable value and nothing unreadable: said no more.
    SettingsStore reread(path());
    QCOMPARE(reread.loadError(), QString());
    QCOMPARE(reread.valueNames(kMain), (QStringList{"Flags", "ShowCmd", "Visible"}));
    QCOMPARE(reread.readString(kMain, "ShowCmd", ""), QStringLiteral("3"));
    store.writeString(kMain, "Visible", "0");
    store.flush();
    QVERIFY(!QFile::exists(path() + ".bad.2"));
}

void TestSettingsStore::symlinkStaysALink()
{
    const QString real = m_dir->filePath("dotfiles/Leafstack.reg");
    QVERIFY(QDir().mkpath(m_dir->filePath("dotfiles")));
    QVERIFY(QDir().mkpath(m_dir->filePath("Orvanel")));
    QVERIFY(TestFiles::writeBytes(real, "REGEDIT4\n"));
    QVERIFY(QFile::link(real, path()));
    SettingsStore store(path());
    store.writeString(kMain, "Flags", "0");
    store.flush();
    QVERIFY(QFileInfo(path()).isSymLink());
    QVERIFY(TestFiles::readBytes(real).contains("\"Flags\"=\"0\""));
}

void TestSettingsStore::failedFlushKeepsChangesAndSaysSo()
{
    QVERIFY(TestFiles::writeBytes(m_dir->filePath("Orvanel"), "a file where the folder should be"));
    SettingsStore store(path());
    store.writeString(kMain, "Flags", "0");
    QCOMPARE(errorOf([&] { store.flush(); }),
             QStringLiteral("Failed to set data for '%1'").arg(path()));
    QVERIFY(store.hasUnsavedChanges());
    QCOMPARE(store.readString(kMain, "Flags", ""), QStringLiteral("0"));
}

void TestSettingsStore::fileLocation()
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    QCOMPARE(SettingsStore::defaultFilePath(),
             QStringLiteral("/somewhere/config/Orvanel/Leafstack.reg"));
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(SettingsStore::defaultFilePath(), QDir::homePath() + "/.config/Orvanel/Leafstack.reg");
    qputenv("XDG_CONFIG_HOME", "relative/path"); // not absolute: ignored
    QCOMPARE(SettingsStore::defaultFilePath(), QDir::homePath() + "/.config/Orvanel/Leafstack.reg");
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

int main(int argc, char *argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--writer") == 0)
        return runWriter(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                         atoi(argv[4]));
    QCoreApplication app(argc, argv);
    TestSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsstore.moc"
