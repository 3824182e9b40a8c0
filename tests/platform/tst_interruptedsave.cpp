#include "base/apperror.h"
#include "platform/atomicfilewriter.h"
#include "platform/keptcopies.h"
#include "platform/saverecord.h"
#include "saveloop.h"

#include "common/ordinaryuser.h"
#include "common/savedfiles.h"
#include "common/testfiles.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void makeNote(const QString &name, const QByteArray &bytes)
{
    const QByteArray folder = SaveRecord::folder();
    QDir().mkpath(QFile::decodeName(folder));
    QVERIFY(TestFiles::writeBytes(QFile::decodeName(folder) + QLatin1Char('/') + name, bytes));
}

QByteArray noteFor(const QString &file, const QString &copy)
{
    return SaveRecord{QFile::encodeName(file), QFile::encodeName(copy)}.toBytes();
}

// Holds a lock on the file as a running save holds it on its own.
class Held
{
public:
    explicit Held(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC))
    {
        ::flock(m_fd, LOCK_EX);
    }
    ~Held() { ::close(m_fd); }
    Held(const Held &) = delete;
    Held &operator=(const Held &) = delete;

private:
    int m_fd;
};

} // namespace

class TestInterruptedSave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void killedAtRandomMomentsLosesNothing_data();
    void killedAtRandomMomentsLosesNothing();
    void runningSavesOfAnotherInstanceAreLeftAlone();
    void staleLeftoversBesideTheFileAreRemoved();
    void startTellsOnlyOfWhatMayBeLost();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QStringList ourFilesBeside() const;
    QStringList stateFiles() const;
    void startLoop(QProcess &loop, const QString &file, bool asOrdinaryUser);

    QTemporaryDir m_state;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestInterruptedSave::initTestCase()
{
    // The save loops inherit it.
    QVERIFY(SavedFiles::useStateFolder(m_state));
}

void TestInterruptedSave::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(path(QStringLiteral("work"))));
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0777) == 0);
    QVERIFY(::chmod(QFile::encodeName(path(QStringLiteral("work"))).constData(), 0777) == 0);
}

void TestInterruptedSave::cleanup()
{
    ::chmod(QFile::encodeName(path(QStringLiteral("work"))).constData(), 0777);
    m_dir.reset();
    QDir(m_state.filePath(QStringLiteral("Orvanel"))).removeRecursively();
}

QStringList TestInterruptedSave::ourFilesBeside() const
{
    return SavedFiles::leftoversIn(m_dir->path());
}

QStringList TestInterruptedSave::stateFiles() const
{
    return QDir(QFile::decodeName(SaveRecord::folder())).entryList(QDir::Files | QDir::Hidden);
}

void TestInterruptedSave::startLoop(QProcess &loop, const QString &file, bool asOrdinaryUser)
{
    QStringList arguments{file};
    if (asOrdinaryUser)
        arguments << QStringLiteral("ordinary-user");
    loop.start(QStringLiteral(SAVELOOP_BINARY), arguments);
    QVERIFY2(loop.waitForReadyRead(10000), qPrintable(loop.errorString()));
}

void TestInterruptedSave::killedAtRandomMomentsLosesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("own file, replaced") << "own";
    QTest::newRow("hard link, in place") << "link";
    QTest::newRow("read-only folder, in place") << "read-only";
}

// After each kill the file is wholly one text or the other, or the next start names a copy
// that holds one of them whole.
void TestInterruptedSave::killedAtRandomMomentsLosesNothing()
{
    QFETCH(QString, kind);

    const QString file = path(QStringLiteral("work/notes.txt"));
    const QString link = path(QStringLiteral("second.txt"));
    QVERIFY(TestFiles::writeBytes(file, SaveLoop::first()));
    const bool asUser = kind == QLatin1String("read-only");
    if (kind == QLatin1String("link"))
        QVERIFY(::link(QFile::encodeName(file).constData(), QFile::encodeName(link).constData())
                == 0);
    if (asUser) {
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0666) == 0);
        QVERIFY(::chmod(QFile::encodeName(path(QStringLiteral("work"))).constData(), 0555) == 0);
    }
    const auto whole = [](const QByteArray &bytes) {
        return bytes == SaveLoop::first() || bytes == SaveLoop::second();
    };

    QRandomGenerator random(1616);
    int caught = 0;
    int told = 0;
    constexpr int kRounds = 40;
    for (int round = 0; round < kRounds; ++round) {
        QProcess loop;
        startLoop(loop, file, asUser);
        if (QTest::currentTestFailed())
            return;
        // Aimed at the write, its sync and what follows it, up to the next save's copy.
        while (!loop.readAllStandardOutput().contains("writing") && loop.waitForReadyRead(10000)) {
        }
        QTest::qSleep(random.bounded(0, 90));
        QVERIFY2(loop.state() == QProcess::Running, loop.readAllStandardError().constData());
        ::kill(pid_t(loop.processId()), SIGKILL);
        QVERIFY(loop.waitForFinished(10000));

        const QByteArray now = TestFiles::readBytes(file);
        if (kind == QLatin1String("link"))
            QVERIFY(TestFiles::readBytes(link) == now);
        const QList<KeptCopies::Leftover> leftovers = KeptCopies::check();
        for (const KeptCopies::Leftover &leftover : leftovers) {
            QCOMPARE(leftover.file, file);
            QVERIFY2(whole(TestFiles::readBytes(leftover.copy)), "a kept copy is not whole");
            QVERIFY(QFile::remove(leftover.copy));
            ++told;
        }
        if (!whole(now)) {
            ++caught;
            QVERIFY2(leftovers.size() == 1, "a torn file, and no copy of its old text is named");
            QVERIFY(TestFiles::writeBytes(file, SaveLoop::first()));
        }
        QVERIFY(KeptCopies::check().isEmpty());
    }
    qInfo("%d kills: %d caught the file mid-write, %d kept copies named at the next start", kRounds,
          caught, told);
    if (kind != QLatin1String("own"))
        QVERIFY2(caught > 0, "no kill landed while the file was written in place");

    // The next save clears what the killed saves left beside the file.
    {
        std::optional<OrdinaryUser::Scope> user;
        if (asUser)
            user.emplace();
        AtomicFileWriter::write(file, QByteArray("done\n"));
    }
    QCOMPARE(TestFiles::readBytes(file), QByteArray("done\n"));
    QCOMPARE(ourFilesBeside(), QStringList());
    QCOMPARE(stateFiles(), QStringList());
}

// Two other instances keep saving into the folder (one replacing its file, one writing a
// hard-linked file in place) while this one saves there again and again: its clean-up must
// never take their files, or their saves would fail.
void TestInterruptedSave::runningSavesOfAnotherInstanceAreLeftAlone()
{
    const QString replaced = path(QStringLiteral("work/replaced.txt"));
    const QString linked = path(QStringLiteral("work/linked.txt"));
    QVERIFY(TestFiles::writeBytes(replaced, "r"));
    QVERIFY(TestFiles::writeBytes(linked, "l"));
    QVERIFY(::link(QFile::encodeName(linked).constData(),
                   QFile::encodeName(path(QStringLiteral("other-name.txt"))).constData())
            == 0);
    QProcess first, second;
    startLoop(first, replaced, false);
    startLoop(second, linked, false);
    if (QTest::currentTestFailed())
        return;
    const auto stop = [&] {
        for (QProcess *loop : {&first, &second}) {
            ::kill(pid_t(loop->processId()), SIGKILL);
            loop->waitForFinished(10000);
        }
    };
    int sawTheirs = 0;
    for (int save = 0; save < 60; ++save) {
        if (!ourFilesBeside().isEmpty())
            ++sawTheirs;
        try {
            AtomicFileWriter::write(path(QStringLiteral("work/mine.txt")),
                                    QByteArray::number(save));
        } catch (const AppError &error) {
            stop();
            QFAIL(qPrintable(error.message()));
        }
        QTest::qSleep(5);
    }
    const bool bothRunning =
            first.state() == QProcess::Running && second.state() == QProcess::Running;
    stop();
    QVERIFY2(bothRunning,
             (first.readAllStandardError() + second.readAllStandardError()).constData());
    QVERIFY2(sawTheirs > 10, "the other instances' files were hardly ever there to be left alone");
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral("work/mine.txt"))), QByteArray("59"));
}

void TestInterruptedSave::staleLeftoversBesideTheFileAreRemoved()
{
    const QString work = path(QStringLiteral("work/"));
    const QStringList stale{work + ".leafstack-save-AAAAAA", work + ".leafstack-old-BBBBBB"};
    const QStringList kept{
            work + ".leafstack-save-CCCCCC", // a running save holds it
            work + ".leafstack-old-DDDDDD",  // a note names it: old content to recover
            work + ".leafstack-saved.txt",   // the user's own files, named alike
            work + "leafstack-save-EEEEEE",
            path(QStringLiteral(".leafstack-save-FFFFFF")), // another folder
    };
    for (const QString &file : stale + kept)
        QVERIFY(TestFiles::writeBytes(file, "x"));
    QVERIFY(QDir().mkpath(work + ".leafstack-save-GGGGGG")); // a folder
    makeNote(QStringLiteral("record-HHHHHH"), noteFor(work + "notes.txt", kept[1]));
    Held running(kept[0]);

    AtomicFileWriter::write(work + "notes.txt", QByteArray("saved\n"));
    for (const QString &file : stale)
        QVERIFY2(!QFile::exists(file), qPrintable(file));
    for (const QString &file : kept)
        QVERIFY2(QFile::exists(file), qPrintable(file));
    QVERIFY(QFileInfo(work + ".leafstack-save-GGGGGG").isDir());
}

void TestInterruptedSave::startTellsOnlyOfWhatMayBeLost()
{
    const QString state = QFile::decodeName(SaveRecord::folder()) + QLatin1Char('/');
    const QString work = path(QStringLiteral("work/"));
    QDir().mkpath(state);
    const auto file = [&](const QString &name, const QByteArray &bytes) {
        const QString where = name.startsWith(QLatin1Char('/')) ? name : work + name;
        TestFiles::writeBytes(where, bytes);
        return where;
    };
    // Lost nothing: the file holds just what the copy holds.
    makeNote("record-1", noteFor(file("same.txt", "old"), file(".leafstack-old-1", "old")));
    // Nothing to recover: the copy is gone.
    makeNote("record-2", noteFor(file("done.txt", "new"), work + ".leafstack-old-2"));
    // Cut short before its file was touched.
    makeNote("record-3", "Leafstack writes a file in place\ntarget=");
    // May have lost: the file differs from its copy (kept in the state folder), or is gone.
    const QString torn = file("torn.txt", "newold");
    const QString tornCopy = file(state + "old-4", "old");
    makeNote("record-4", noteFor(torn, tornCopy));
    const QString gone = work + "gone.txt";
    const QString goneCopy = file(".leafstack-old-5", "old");
    makeNote("record-5", noteFor(gone, goneCopy));
    // A save running in another instance.
    makeNote("record-6", noteFor(file("busy.txt", "half"), file(".leafstack-old-6", "old")));
    Held running(state + "record-6");
    // A copy in the state folder that no note names: its save never began writing.
    file(state + "old-7", "old");

    const QList<KeptCopies::Leftover> leftovers = KeptCopies::check();
    QCOMPARE(leftovers.size(), 2);
    QCOMPARE(leftovers[0].file, torn);
    QCOMPARE(leftovers[0].copy, tornCopy);
    QCOMPARE(leftovers[1].file, gone);
    QCOMPARE(leftovers[1].copy, goneCopy);
    QCOMPARE(stateFiles(), QStringList({"old-4", "record-4", "record-5", "record-6"}));
    QVERIFY(!QFile::exists(work + ".leafstack-old-1"));
    QCOMPARE(TestFiles::readBytes(work + "same.txt"), QByteArray("old"));
    QVERIFY(QFile::exists(goneCopy));
    QVERIFY(QFile::exists(work + ".leafstack-old-6"));

    QCOMPARE(KeptCopies::message(leftovers),
             QStringLiteral("Leafstack was stopped while it wrote these files in place. Their "
                            "old content is kept:\r%1: in %2\r%3: in %4\rLook at each file, and "
                            "remove the copy once you no longer need it; until then Leafstack "
                            "names it at every start.")
                     .arg(torn, tornCopy, gone, goneCopy));
}

QTEST_GUILESS_MAIN(TestInterruptedSave)
#include "tst_interruptedsave.moc"
