#include "base/apperror.h"
#include "controls/textdocument.h"
#include "platform/iofault.h"
#include "workspace/textfile.h"

#include "common/ordinaryuser.h"
#include "common/savedfiles.h"
#include "common/testfiles.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <QTest>

#include <cerrno>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(IoFault::Step)

namespace {

// Saves text, one '\n' a line break, as a document holding it would.
QString saveText(const QString &path, const QString &text, const TextFormat &format)
{
    TextDocument doc;
    doc.setPlainText(text, format);
    return TextFile::save(path, doc.storage(), format);
}

} // namespace

namespace {

using OrdinaryUser::kNobody;

struct stat statOf(const QString &path)
{
    struct stat st
    { };
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

QString saveError(const QString &path, const QString &text)
{
    try {
        saveText(path, text, TextFormat());
    } catch (const AppError &error) {
        return error.message();
    }
    return QString();
}

using AsOrdinaryUser = OrdinaryUser::Scope;

} // namespace

class TestTextFileSave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void readOnlyFileIsRefused();
    void readOnlyFolderIsWrittenInPlace();
    void missingFolder();
    void injectedFaultsLeaveTheFileIntact_data();
    void injectedFaultsLeaveTheFileIntact();
    void fullDiskLeavesTheFileIntact_data();
    void fullDiskLeavesTheFileIntact();
    void fullDiskKeepsTheOldContentInTheStateFolder();
    void readOnlyFileSystem();
    void backups_data();
    void backups();
    void backupNeverReplacesOrInvents();
    void backupOfAFileWrittenInPlaceKeepsTheOldText();
    void symbolicLinksStayLinks();
    void permissionsAndOwnerAreKept();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // Mounts a small tmpfs at a new folder in the test folder; empty when this system
    // does not let the test mount.
    QString mountTmpfs(const QByteArray &options);
    QStringList leftovers() const;

    bool m_canMount = false;
    QTemporaryDir m_state;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_mounts;
};

void TestTextFileSave::initTestCase()
{
    // Where an in-place save notes its copy of the old content; the ordinary user writes it.
    QVERIFY(SavedFiles::useStateFolder(m_state));
    // A mount namespace of our own: the test's mounts vanish with it, whatever happens.
    m_canMount = ::unshare(CLONE_NEWNS) == 0
            && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

void TestTextFileSave::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Reachable by the ordinary user the permission cases run as.
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0777) == 0);
}

void TestTextFileSave::cleanup()
{
    IoFault::disarm();
    for (const QString &mount : std::as_const(m_mounts))
        ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH);
    m_mounts.clear();
    // Let the folder's removal reach everything the test made read-only.
    QDirIterator it(m_dir->path(), QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ::chmod(QFile::encodeName(it.next()).constData(), 0777);
    m_dir.reset();
}

QString TestTextFileSave::mountTmpfs(const QByteArray &options)
{
    if (!m_canMount)
        return QString();
    const QString where = path(QStringLiteral("mnt%1").arg(m_mounts.size()));
    QDir().mkpath(where);
    if (::mount("tmpfs", QFile::encodeName(where).constData(), "tmpfs", 0, options.constData())
        != 0)
        return QString();
    m_mounts << where;
    return where;
}

QStringList TestTextFileSave::leftovers() const
{
    return SavedFiles::leftoversIn(m_dir->path());
}

void TestTextFileSave::readOnlyFileIsRefused()
{
    const QString file = path(QStringLiteral("locked.txt"));
    QVERIFY(TestFiles::writeBytes(file, "old\n"));
    ::chmod(QFile::encodeName(file).constData(), 0444);
    {
        AsOrdinaryUser user;
        QCOMPARE(saveError(file, QStringLiteral("new\n")),
                 QStringLiteral("Cannot create file %1\rPermission denied.").arg(file));
    }
    QCOMPARE(TestFiles::readBytes(file), QByteArray("old\n"));
    QCOMPARE(statOf(file).st_mode & 07777, mode_t(0444));
    QCOMPARE(leftovers(), QStringList());
}

void TestTextFileSave::readOnlyFolderIsWrittenInPlace()
{
    const QString folder = path(QStringLiteral("locked"));
    const QString file = folder + QStringLiteral("/open.txt");
    const QString twin = folder + QStringLiteral("/twin.txt");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(TestFiles::writeBytes(file, "a longer old content\n"));
    QVERIFY(TestFiles::writeBytes(twin, "old\n"));
    QVERIFY(::link(QFile::encodeName(twin).constData(),
                   QFile::encodeName(path(QStringLiteral("twin-link"))).constData())
            == 0);
    ::chmod(QFile::encodeName(file).constData(), 0666);
    ::chmod(QFile::encodeName(twin).constData(), 0666);
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    const ino_t inode = statOf(file).st_ino;
    {
        AsOrdinaryUser user;
        QCOMPARE(saveError(file, QStringLiteral("new\n")), QString());
        // A file with a second name changes under that name too.
        QCOMPARE(saveError(twin, QStringLiteral("newer\n")), QString());
    }
    QCOMPARE(TestFiles::readBytes(file), QByteArray("new\n"));
    QCOMPARE(statOf(file).st_ino, inode);
    QCOMPARE(TestFiles::readBytes(twin), QByteArray("newer\n"));
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral("twin-link"))), QByteArray("newer\n"));
    QCOMPARE(leftovers(), QStringList());
}

void TestTextFileSave::missingFolder()
{
    const QString file = path(QStringLiteral("gone/new.txt"));
    QCOMPARE(saveError(file, QStringLiteral("x")),
             QStringLiteral("Cannot create file %1\rNo such file or directory.").arg(file));
    QVERIFY(!QFile::exists(path(QStringLiteral("gone"))));
}

void TestTextFileSave::injectedFaultsLeaveTheFileIntact_data()
{
    QTest::addColumn<IoFault::Step>("step");
    QTest::addColumn<int>("errnum");
    QTest::addColumn<bool>("inPlace");
    QTest::addColumn<QString>("reason");

    using S = IoFault::Step;
    QTest::newRow("disk full while writing")
            << S::Write << ENOSPC << false << "No space left on device.";
    QTest::newRow("flush fails") << S::Sync << EIO << false << "Input/output error.";
    QTest::newRow("rename fails") << S::Rename << EBUSY << false << "Device or resource busy.";
    QTest::newRow("in place, no room")
            << S::Reserve << ENOSPC << true << "No space left on device.";
    QTest::newRow("in place, cannot open")
            << S::OpenInPlace << EACCES << true << "Permission denied.";
}

void TestTextFileSave::injectedFaultsLeaveTheFileIntact()
{
    QFETCH(IoFault::Step, step);
    QFETCH(int, errnum);
    QFETCH(bool, inPlace);
    QFETCH(QString, reason);

    const QString file = path(QStringLiteral("kept.txt"));
    const QByteArray original("original content\n");
    QVERIFY(TestFiles::writeBytes(file, original));
    if (inPlace)
        IoFault::arm(IoFault::Step::CreateTemp, EACCES);
    IoFault::arm(step, errnum);
    const QString bigger = QString(100000, QLatin1Char('x'));
    QCOMPARE(saveError(file, bigger),
             QStringLiteral("Cannot create file %1\r%2").arg(file, reason));
    QCOMPARE(TestFiles::readBytes(file), original);
    QCOMPARE(leftovers(), QStringList());
}

void TestTextFileSave::fullDiskLeavesTheFileIntact_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("new file beside it") << false;
    QTest::newRow("in place") << true;
}

void TestTextFileSave::fullDiskLeavesTheFileIntact()
{
    QFETCH(bool, readOnlyFolder);

    const QString disk = mountTmpfs("size=256k,mode=0777");
    if (disk.isEmpty())
        QSKIP("This system does not let the test mount a small file system; the injected "
              "faults cover a full disk.");
    const QString file = disk + QStringLiteral("/full.txt");
    const QByteArray original(100 * 1024, 'o');
    QVERIFY(TestFiles::writeBytes(file, original));
    ::chmod(QFile::encodeName(file).constData(), 0666);
    // The user's own file: in a folder that takes new files it is replaced by rename.
    QVERIFY(::chown(QFile::encodeName(file).constData(), kNobody, kNobody) == 0);
    if (readOnlyFolder)
        ::chmod(QFile::encodeName(disk).constData(), 0555);
    const QString outcome =
            readOnlyFolder ? QStringLiteral("\rIts old content has been put back.") : QString();
    {
        AsOrdinaryUser user;
        QCOMPARE(saveError(file, QString(300 * 1024, QLatin1Char('n'))),
                 QStringLiteral("Cannot create file %1\rNo space left on device.%2")
                         .arg(file, outcome));
    }
    QCOMPARE(TestFiles::readBytes(file), original);
    QCOMPARE(leftovers(), QStringList());
    // What fits is saved.
    QCOMPARE(saveError(file, QString(1000, QLatin1Char('n'))), QString());
    QCOMPARE(TestFiles::readBytes(file), QByteArray(1000, 'n'));
}

// No room beside a hard-linked file for a copy of its old content: the copy goes to the state
// folder on another disk, and a text that fits in the file's own room is saved.
void TestTextFileSave::fullDiskKeepsTheOldContentInTheStateFolder()
{
    const QString disk = mountTmpfs("size=256k,mode=0777");
    if (disk.isEmpty())
        QSKIP("This system does not let the test mount a small file system.");
    const QString file = disk + QStringLiteral("/linked.txt");
    QVERIFY(TestFiles::writeBytes(file, QByteArray(150 * 1024, 'o')));
    QVERIFY(::link(QFile::encodeName(file).constData(),
                   QFile::encodeName(disk + QStringLiteral("/other.txt")).constData())
            == 0);
    QCOMPARE(saveError(file, QString(100 * 1024, QLatin1Char('n'))), QString());
    QCOMPARE(TestFiles::readBytes(disk + QStringLiteral("/other.txt")),
             QByteArray(100 * 1024, 'n'));
    QCOMPARE(leftovers(), QStringList());
    QCOMPARE(QDir(m_state.filePath(QStringLiteral("Orvanel/Leafstack/saves")))
                     .entryList(QDir::Files),
             QStringList());
}

void TestTextFileSave::readOnlyFileSystem()
{
    const QString disk = mountTmpfs("size=64k");
    if (disk.isEmpty())
        QSKIP("This system does not let the test mount a file system.");
    const QString file = disk + QStringLiteral("/ro.txt");
    QVERIFY(TestFiles::writeBytes(file, "old"));
    QVERIFY(::mount(nullptr, QFile::encodeName(disk).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                    nullptr)
            == 0);
    QCOMPARE(saveError(file, QStringLiteral("new")),
             QStringLiteral("Cannot create file %1\rRead-only file system.").arg(file));
    QCOMPARE(TestFiles::readBytes(file), QByteArray("old"));
}

void TestTextFileSave::backups_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("backupName");

    QTest::newRow("extension replaced") << "notes.txt"
                                        << "notes.BAK";
    QTest::newRow("no extension") << "README"
                                  << "README.BAK";
    QTest::newRow("dot-file") << ".profile"
                              << ".profile.BAK";
    QTest::newRow("dot-file with extension") << ".env.local"
                                             << ".env.BAK";
}

void TestTextFileSave::backups()
{
    QFETCH(QString, name);
    QFETCH(QString, backupName);

    const QString file = path(name);
    const QString backup = path(backupName);
    QVERIFY(TestFiles::writeBytes(file, "first\r\n"));
    ::chmod(QFile::encodeName(file).constData(), 0640);
    for (const QString &text : {QStringLiteral("second\n"), QStringLiteral("third\n")}) {
        const bool first = text.startsWith(QLatin1Char('s'));
        QCOMPARE(TextFile::makeBackup(file), first);
        saveText(file, text, TextFile::load(file).format);
        QCOMPARE(TestFiles::readBytes(backup), QByteArray("first\r\n"));
    }
    QCOMPARE(TestFiles::readBytes(file), QByteArray("third\r\n"));
    QCOMPARE(statOf(backup).st_mode & 07777, mode_t(0640));
    QCOMPARE(statOf(file).st_mode & 07777, mode_t(0640));
}

void TestTextFileSave::backupNeverReplacesOrInvents()
{
    QVERIFY(!TextFile::makeBackup(path(QStringLiteral("missing.txt"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("missing.BAK"))));

    // Two dot-files get a backup each.
    QVERIFY(TestFiles::writeBytes(path(QStringLiteral(".bashrc")), "b"));
    QVERIFY(TestFiles::writeBytes(path(QStringLiteral(".vimrc")), "v"));
    QVERIFY(TextFile::makeBackup(path(QStringLiteral(".bashrc"))));
    QVERIFY(TextFile::makeBackup(path(QStringLiteral(".vimrc"))));
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral(".bashrc.BAK"))), QByteArray("b"));
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral(".vimrc.BAK"))), QByteArray("v"));

    // A backup name taken by a folder or a dangling link is left alone.
    QVERIFY(TestFiles::writeBytes(path(QStringLiteral("d.txt")), "d"));
    QVERIFY(QDir().mkpath(path(QStringLiteral("d.BAK"))));
    QVERIFY(!TextFile::makeBackup(path(QStringLiteral("d.txt"))));
    QVERIFY(TestFiles::writeBytes(path(QStringLiteral("e.txt")), "e"));
    QVERIFY(QFile::link(path(QStringLiteral("nowhere")), path(QStringLiteral("e.BAK"))));
    QVERIFY(!TextFile::makeBackup(path(QStringLiteral("e.txt"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("nowhere"))));
}

// The backup must be a copy: a second link would change with the file it backs up.
void TestTextFileSave::backupOfAFileWrittenInPlaceKeepsTheOldText()
{
    const QString file = path(QStringLiteral("linked.txt"));
    QVERIFY(TestFiles::writeBytes(file, "old\n"));
    QVERIFY(::link(QFile::encodeName(file).constData(),
                   QFile::encodeName(path(QStringLiteral("other.txt"))).constData())
            == 0);
    QVERIFY(TextFile::makeBackup(file));
    QCOMPARE(saveText(file, QStringLiteral("new\n"), TextFormat()), QString());
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral("other.txt"))), QByteArray("new\n"));
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral("linked.BAK"))), QByteArray("old\n"));
    QCOMPARE(statOf(path(QStringLiteral("linked.BAK"))).st_nlink, nlink_t(1));
    QCOMPARE(leftovers(), QStringList());
}

void TestTextFileSave::symbolicLinksStayLinks()
{
    QVERIFY(QDir().mkpath(path(QStringLiteral("real"))));
    const QString target = path(QStringLiteral("real/target.txt"));
    QVERIFY(TestFiles::writeBytes(target, "old\n"));
    const QString link = path(QStringLiteral("link.txt"));
    const QString chain = path(QStringLiteral("chain.txt"));
    QVERIFY(::symlink("real/target.txt", QFile::encodeName(link).constData()) == 0);
    QVERIFY(::symlink("link.txt", QFile::encodeName(chain).constData()) == 0);

    QVERIFY(TextFile::makeBackup(chain));
    saveText(chain, QStringLiteral("new\n"), TextFormat());
    QVERIFY(S_ISLNK(statOf(link).st_mode));
    QVERIFY(S_ISLNK(statOf(chain).st_mode));
    QCOMPARE(TestFiles::readBytes(target), QByteArray("new\n"));
    // The backup sits beside the name the user opened and holds the old content.
    QVERIFY(S_ISREG(statOf(path(QStringLiteral("chain.BAK"))).st_mode));
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral("chain.BAK"))), QByteArray("old\n"));
    QCOMPARE(leftovers(), QStringList());

    // A dangling link gets its target created.
    const QString dangling = path(QStringLiteral("dangling.txt"));
    QVERIFY(::symlink("real/later.txt", QFile::encodeName(dangling).constData()) == 0);
    saveText(dangling, QStringLiteral("made\n"), TextFormat());
    QVERIFY(S_ISLNK(statOf(dangling).st_mode));
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral("real/later.txt"))), QByteArray("made\n"));
}

void TestTextFileSave::permissionsAndOwnerAreKept()
{
    const QString file = path(QStringLiteral("mode.txt"));
    for (const mode_t mode : {mode_t(0600), mode_t(0640), mode_t(0755)}) {
        QVERIFY(TestFiles::writeBytes(file, "x"));
        ::chmod(QFile::encodeName(file).constData(), mode);
        saveText(file, QStringLiteral("y"), TextFormat());
        QCOMPARE(statOf(file).st_mode & 07777, mode);
    }

    const mode_t oldMask = ::umask(027);
    const QString fresh = path(QStringLiteral("fresh.txt"));
    saveText(fresh, QStringLiteral("z"), TextFormat());
    ::umask(oldMask);
    QCOMPARE(statOf(fresh).st_mode & 07777, mode_t(0640));

    if (::geteuid() != 0)
        QSKIP("Only root can give a file to another owner.");
    QVERIFY(::chown(QFile::encodeName(file).constData(), kNobody, kNobody) == 0);
    saveText(file, QStringLiteral("owned"), TextFormat());
    QCOMPARE(statOf(file).st_uid, kNobody);
    QCOMPARE(statOf(file).st_gid, gid_t(kNobody));
}

QTEST_GUILESS_MAIN(TestTextFileSave)
#include "tst_textfilesave.moc"
