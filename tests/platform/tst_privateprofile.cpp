#include "base/apperror.h"
#include "platform/privateprofile.h"

#include "common/testfiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <QTest>

class TestPrivateProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void readsIgnoringCase();
    void writingKeepsEverythingElse_data();
    void writingKeepsEverythingElse();
    void createsTheFileAndItsFolder();
    void unwritableFileRaises();
    void unreadableFileIsLeftAlone();
    void linkedFileStaysALink();

private:
    QString path() const { return m_dir->filePath("config/mimeapps.list"); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPrivateProfile::readsIgnoringCase()
{
    QVERIFY(QDir().mkpath(m_dir->filePath("config")));
    TestFiles::writeBytes(path(),
                          "# mine\n[Added Associations]\ntext/plain=other.desktop\n"
                          "[default applications]\n ; text/plain=commented.desktop\nTEXT/PLAIN = "
                          "leafstack.desktop \n");
    QCOMPARE(PrivateProfile::readString(path(), "Default Applications", "text/plain", "none"),
             QStringLiteral("leafstack.desktop"));
    QCOMPARE(PrivateProfile::readString(path(), "Added Associations", "Text/Plain", "none"),
             QStringLiteral("other.desktop"));
    QCOMPARE(PrivateProfile::readString(path(), "Default Applications", "text/html", "none"),
             QStringLiteral("none"));
    QCOMPARE(PrivateProfile::readString(path(), "Missing", "text/plain", "none"),
             QStringLiteral("none"));
    QCOMPARE(PrivateProfile::readString(m_dir->filePath("nofile"), "a", "b", "none"),
             QStringLiteral("none"));
}

void TestPrivateProfile::writingKeepsEverythingElse_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place")
            << QByteArray("; top\n[Default "
                          "Applications]\nimage/png=viewer.desktop\nText/Plain=old.desktop\nx=y\n")
            << "leafstack.desktop"
            << QByteArray("; top\n[Default "
                          "Applications]\nimage/png=viewer.desktop\ntext/"
                          "plain=leafstack.desktop\nx=y\n");
    QTest::newRow("add to the section")
            << QByteArray("[Default Applications]\nimage/png=viewer.desktop\n\n[Other]\na=b\n")
            << "leafstack.desktop"
            << QByteArray("[Default "
                          "Applications]\nimage/png=viewer.desktop\ntext/"
                          "plain=leafstack.desktop\n\n[Other]\na=b\n");
    QTest::newRow("add the section")
            << QByteArray("[Added Associations]\ntext/plain=a.desktop;\n") << "leafstack.desktop"
            << QByteArray("[Added Associations]\ntext/plain=a.desktop;\n\n[Default "
                          "Applications]\ntext/plain=leafstack.desktop\n");
    QTest::newRow("other encodings and line ends kept")
            << QByteArray("; caf\xe9\r\n[Default Applications]\r\nimage/png=v\xff.desktop\r\n")
            << "leafstack.desktop"
            << QByteArray("; caf\xe9\r\n[Default Applications]\r\nimage/png=v\xff.desktop\r\n"
                          "text/plain=leafstack.desktop\r\n");
    QTest::newRow("no final line end")
            << QByteArray("[Default Applications]\ntext/plain=old.desktop") << "leafstack.desktop"
            << QByteArray("[Default Applications]\ntext/plain=leafstack.desktop\n");
    QTest::newRow("empty value stays an entry")
            << QByteArray("[Default Applications]\ntext/plain=leafstack.desktop\n") << ""
            << QByteArray("[Default Applications]\ntext/plain=\n");
}

void TestPrivateProfile::writingKeepsEverythingElse()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QVERIFY(QDir().mkpath(m_dir->filePath("config")));
    QVERIFY(TestFiles::writeBytes(path(), before));
    PrivateProfile::writeString(path(), "Default Applications", "text/plain", value);
    QCOMPARE(TestFiles::readBytes(path()), after);
}

void TestPrivateProfile::createsTheFileAndItsFolder()
{
    PrivateProfile::writeString(path(), "Default Applications", "text/plain", "leafstack.desktop");
    QCOMPARE(TestFiles::readBytes(path()),
             QByteArray("[Default Applications]\ntext/plain=leafstack.desktop\n"));
}

void TestPrivateProfile::unwritableFileRaises()
{
    QVERIFY(TestFiles::writeBytes(m_dir->filePath("config"), "a file where the folder should be"));
    try {
        PrivateProfile::writeString(path(), "Default Applications", "text/plain", "x");
        QFAIL("a write that cannot happen was reported as done");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to write to %1").arg(path()));
    }
}

void TestPrivateProfile::unreadableFileIsLeftAlone()
{
    QVERIFY(QDir().mkpath(m_dir->filePath("config")));
    QVERIFY(TestFiles::writeBytes(path(), "[Default Applications]\nimage/png=viewer.desktop\n"));
    QFile file(path());
    QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
    if (file.open(QIODevice::ReadOnly))
        QSKIP("this user reads files whatever their permissions");
    QVERIFY_THROWS_EXCEPTION(
            AppError,
            PrivateProfile::writeString(path(), "Default Applications", "text/plain", "x"));
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(TestFiles::readBytes(path()),
             QByteArray("[Default Applications]\nimage/png=viewer.desktop\n"));
}

void TestPrivateProfile::linkedFileStaysALink()
{
    // Kept in a dotfiles folder and linked into the configuration folder.
    const QString target = m_dir->filePath("dotfiles/mimeapps.list");
    QVERIFY(QDir().mkpath(m_dir->filePath("dotfiles")));
    QVERIFY(QDir().mkpath(m_dir->filePath("config")));
    QVERIFY(TestFiles::writeBytes(target, "[Default Applications]\n"));
    QVERIFY(QFile::link(target, path()));
    PrivateProfile::writeString(path(), "Default Applications", "text/plain", "leafstack.desktop");
    QVERIFY(QFileInfo(path()).isSymLink());
    QCOMPARE(TestFiles::readBytes(target),
             QByteArray("[Default Applications]\ntext/plain=leafstack.desktop\n"));
}

QTEST_APPLESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
