#include "base/apperror.h"
#include "platform/atomicfilewriter.h"

#include "common/ordinaryuser.h"
#include "common/savedfiles.h"
#include "common/testfiles.h"
#include <QFile>
#include <QTemporaryDir>

#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using OrdinaryUser::kNobody;
using OrdinaryUser::kSomeoneElse;

struct stat statOf(const QByteArray &path)
{
    struct stat st
    { };
    ::stat(path.constData(), &st);
    return st;
}

// name=value lines of the file's extended attributes, sorted.
QByteArrayList attributesOf(const QByteArray &path)
{
    QByteArray names(65536, '\0');
    const ssize_t size = ::listxattr(path.constData(), names.data(), size_t(names.size()));
    QByteArrayList found;
    for (const QByteArray &name : names.left(qMax<ssize_t>(size, 0)).split('\0')) {
        if (name.isEmpty() || name.startsWith("security."))
            continue;
        QByteArray value(65536, '\0');
        const ssize_t n =
                ::getxattr(path.constData(), name.constData(), value.data(), size_t(value.size()));
        found << name + '=' + value.left(qMax<ssize_t>(n, 0)).toHex();
    }
    std::sort(found.begin(), found.end());
    return found;
}

// A POSIX access list in the form the kernel keeps it: the owner rw, user 4242 r, the group r,
// mask r, others nothing.
QByteArray accessList()
{
    QByteArray acl;
    const auto put = [&acl](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl += char((value >> (8 * i)) & 0xFF);
    };
    put(2, 4); // version
    const quint32 none = 0xFFFFFFFF;
    const quint32 entries[][3] = {{0x01, 6, none},
                                  {0x02, 4, kSomeoneElse},
                                  {0x04, 4, none},
                                  {0x10, 4, none},
                                  {0x20, 0, none}};
    for (const auto &entry : entries) {
        put(entry[0], 2);
        put(entry[1], 2);
        put(entry[2], 4);
    }
    return acl;
}

} // namespace

class TestSaveMetadata : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void ownerGroupModeAndAttributesKept_data();
    void ownerGroupModeAndAttributesKept();
    void accessListKept();
    void permissionsTheFileCouldNotKeepAreTold();

private:
    QByteArray prepare(uid_t owner, gid_t group, mode_t mode);
    AtomicFileWriter::Result save(const QByteArray &file, bool asOrdinaryUser);

    QTemporaryDir m_state;
    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestSaveMetadata::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("These cases give files to other users, which only root can do.");
    QVERIFY(SavedFiles::useStateFolder(m_state));
    QVERIFY(m_dir.isValid());
    QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0777) == 0);
}

QByteArray TestSaveMetadata::prepare(uid_t owner, gid_t group, mode_t mode)
{
    const QByteArray file = QFile::encodeName(m_dir.filePath(QStringLiteral("f%1").arg(++m_files)));
    TestFiles::writeBytes(QFile::decodeName(file), "old content\n");
    ::chown(file.constData(), owner, group);
    ::chmod(file.constData(), mode);
    return file;
}

AtomicFileWriter::Result TestSaveMetadata::save(const QByteArray &file, bool asOrdinaryUser)
{
    std::optional<OrdinaryUser::Scope> user;
    if (asOrdinaryUser)
        user.emplace();
    try {
        return AtomicFileWriter::write(QFile::decodeName(file), QByteArray("new content\n"));
    } catch (const AppError &error) {
        qWarning("%s", error.what());
        return {false, {QStringLiteral("(failed)")}};
    }
}

void TestSaveMetadata::ownerGroupModeAndAttributesKept_data()
{
    QTest::addColumn<uint>("owner");
    QTest::addColumn<uint>("group");
    QTest::addColumn<uint>("mode");
    QTest::addColumn<bool>("asOrdinaryUser");
    QTest::addColumn<bool>("inPlace");

    // What the saver may give a new file, it gives it; what not, the file keeps by being
    // written in place.
    QTest::newRow("the user's own file")
            << uint(kNobody) << uint(kNobody) << 0640u << true << false;
    QTest::newRow("root saves anyone's file")
            << uint(kSomeoneElse) << uint(kSomeoneElse) << 0604u << false << false;
    QTest::newRow("another user's file")
            << uint(kSomeoneElse) << uint(kSomeoneElse) << 0666u << true << true;
    QTest::newRow("a group the user is not in")
            << uint(kNobody) << uint(kSomeoneElse) << 0640u << true << true;
}

void TestSaveMetadata::ownerGroupModeAndAttributesKept()
{
    QFETCH(uint, owner);
    QFETCH(uint, group);
    QFETCH(uint, mode);
    QFETCH(bool, asOrdinaryUser);
    QFETCH(bool, inPlace);

    const QByteArray file = prepare(owner, group, mode);
    const QByteArray binary("\x00\x01\xFFzero\x00", 8);
    const bool withAttributes =
            ::setxattr(file.constData(), "user.origin", "downloaded", 10, 0) == 0
            && ::setxattr(file.constData(), "user.checksum", binary.constData(),
                          size_t(binary.size()), 0)
                    == 0;
    if (!withAttributes)
        QVERIFY2(errno == ENOTSUP, std::strerror(errno));
    const QByteArrayList attributes = attributesOf(file);
    const ino_t inode = statOf(file).st_ino;

    const AtomicFileWriter::Result result = save(file, asOrdinaryUser);
    QCOMPARE(result.notKept, QStringList());
    QCOMPARE(result.inPlace, inPlace);
    QCOMPARE(TestFiles::readBytes(QFile::decodeName(file)), QByteArray("new content\n"));
    const struct stat st = statOf(file);
    QCOMPARE(st.st_ino == inode, inPlace);
    QCOMPARE(uint(st.st_uid), owner);
    QCOMPARE(uint(st.st_gid), group);
    QCOMPARE(uint(st.st_mode & 07777), mode);
    QCOMPARE(attributesOf(file), attributes);
    if (!withAttributes)
        QSKIP("This file system keeps no user attributes; owner, group and mode were kept.");
    QCOMPARE(attributes.size(), 2);
}

void TestSaveMetadata::accessListKept()
{
    const QByteArray file = prepare(kNobody, kNobody, 0640);
    const QByteArray acl = accessList();
    if (::setxattr(file.constData(), "system.posix_acl_access", acl.constData(), size_t(acl.size()),
                   0)
        != 0)
        QSKIP("This file system keeps no access lists.");
    const QByteArrayList before = attributesOf(file);
    QVERIFY(before.join().contains("system.posix_acl_access"));

    const AtomicFileWriter::Result result = save(file, true);
    QCOMPARE(result.notKept, QStringList());
    QVERIFY(!result.inPlace);
    QCOMPARE(attributesOf(file), before);
    QCOMPARE(statOf(file).st_mode & 07777, mode_t(0640));
}

// Writing clears the set-group-ID bit of a shared script, and only its owner may set it again:
// the save says so instead of passing it over.
void TestSaveMetadata::permissionsTheFileCouldNotKeepAreTold()
{
    const QByteArray shared = prepare(kSomeoneElse, kSomeoneElse, 02777);
    const AtomicFileWriter::Result result = save(shared, true);
    QVERIFY(result.inPlace);
    QCOMPARE(result.notKept, QStringList{QStringLiteral("permissions")});
    QCOMPARE(TestFiles::readBytes(QFile::decodeName(shared)), QByteArray("new content\n"));
    QCOMPARE(statOf(shared).st_uid, kSomeoneElse);

    // The owner writing it in place sets the bit again.
    const QByteArray own = prepare(kNobody, kNobody, 02775);
    QVERIFY(::link(own.constData(), (own + "-link").constData()) == 0);
    const AtomicFileWriter::Result kept = save(own, true);
    QVERIFY(kept.inPlace);
    QCOMPARE(kept.notKept, QStringList());
    QCOMPARE(statOf(own).st_mode & 07777, mode_t(02775));
}

QTEST_GUILESS_MAIN(TestSaveMetadata)
#include "tst_savemetadata.moc"
