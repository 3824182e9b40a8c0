#include "controls/textdocument.h"
#include "format/clock.h"
#include "workspace/fileproperties.h"
#include "workspace/textfile.h"
#include "workspace/workspacefile.h"

#include "common/testfiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestWorkspaceFile : public QObject
{
    Q_OBJECT

private slots:
    void untitledIsNamedAfterTheOpenFolder();
    void aFileKeepsItsPathAndCase();
    void propertiesTellTheBytesOnDiskNotTheCharacters();
    void propertiesOfAnUntitledTextNameNoFile();
};

void TestWorkspaceFile::untitledIsNamedAfterTheOpenFolder()
{
    WorkspaceFile file;
    QSignalSpy named(&file, &WorkspaceFile::nameChanged);
    file.setUntitled(QStringLiteral("/home/u/Notes"));
    QCOMPARE(named.count(), 1);
    QVERIFY(file.untitled());
    QCOMPARE(file.caption(), QStringLiteral("untitled.txt"));
    QCOMPARE(file.pathText(), QStringLiteral(" /home/u/Notes/untitled.txt"));
    QVERIFY(file.path().isEmpty());
    file.setUntitled(QStringLiteral("/home/u/"));
    QCOMPARE(file.pathText(), QStringLiteral(" /home/u/untitled.txt"));
    file.setUntitled(QString());
    QCOMPARE(file.pathText(), QStringLiteral(" untitled.txt"));
}

void TestWorkspaceFile::aFileKeepsItsPathAndCase()
{
    WorkspaceFile file;
    QSignalSpy named(&file, &WorkspaceFile::nameChanged);
    file.setPath(QStringLiteral("/home/u/Read Me:1.TXT"));
    QCOMPARE(named.count(), 1);
    QVERIFY(!file.untitled());
    QCOMPARE(file.caption(), QStringLiteral("Read Me:1.TXT"));
    QCOMPARE(file.pathText(), QStringLiteral("/home/u/Read Me:1.TXT"));
    QCOMPARE(file.path(), file.pathText());
    // Saved under the untitled name, it is a file all the same.
    file.setPath(QStringLiteral("/tmp/untitled.txt"));
    QVERIFY(!file.untitled());
    QCOMPARE(file.path(), QStringLiteral("/tmp/untitled.txt"));
}

void TestWorkspaceFile::propertiesTellTheBytesOnDiskNotTheCharacters()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Dos Lines.txt"));
    // 1,502 bytes: 500 lines of one letter and CR LF, and "ab" without one.
    QByteArray bytes;
    for (int i = 0; i < 500; ++i)
        bytes += "x\r\n";
    bytes += "ab";
    QVERIFY(TestFiles::writeBytes(path, bytes));
    DecodedText text = TextFile::load(path);
    TextDocument document;
    document.reset(std::move(text.storage), text.format, text.byteSize);
    WorkspaceFile file;
    file.setPath(path);

    FileProperties::Source source = file.propertiesSource(document);
    QCOMPARE(source.size, QStringLiteral("1,502 bytes"));
    QVERIFY(document.length() < 1502);
    QCOMPARE(source.name, QStringLiteral("Dos Lines.txt"));
    QCOMPARE(source.path, path);
    QCOMPARE(source.pathPanel, path);
    QVERIFY(!source.modified);

    document.insert(0, u"é");
    source = file.propertiesSource(document);
    QVERIFY(source.modified);
    // One more character, two more bytes in UTF-8.
    QCOMPARE(source.size, QStringLiteral("1,504 bytes"));
    QCOMPARE(FileProperties::read(source).size, QStringLiteral("1,504 bytes"));
}

void TestWorkspaceFile::propertiesOfAnUntitledTextNameNoFile()
{
    TextDocument document;
    WorkspaceFile file;
    file.setUntitled(QStringLiteral("/home/u"));
    const FileProperties::Source source = file.propertiesSource(document);
    QVERIFY(source.path.isEmpty());
    QCOMPARE(source.name, QStringLiteral("untitled.txt"));
    QCOMPARE(source.pathPanel, QStringLiteral(" /home/u/untitled.txt"));
    QCOMPARE(source.size, QStringLiteral("0 bytes"));
    // No file to read times from: the dialog still opens.
    QCOMPARE(FileProperties::read(source).location, QStringLiteral(" /home/u"));
}

QTEST_GUILESS_MAIN(TestWorkspaceFile)
#include "tst_workspacefile.moc"
