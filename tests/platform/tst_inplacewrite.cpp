#include "base/apperror.h"
#include "platform/atomicfilewriter.h"
#include "platform/iofault.h"
#include "platform/keptcopies.h"
#include "platform/saverecord.h"

#include "common/ordinaryuser.h"
#include "common/savedfiles.h"
#include "common/testfiles.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <QTest>

#include <array>
#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The ways a save must keep the file's inode, and the ordinary replacement for comparison.
enum class Route { Rename, HardLink, ReadOnlyFolder, OtherOwner };

QByteArray lines(char letter, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += QByteArray(60, letter) + ' ' + QByteArray::number(i) + '\n';
    return text;
}

const QByteArray kOld = lines('o', 1500);

constexpr std::array kSteps{IoFault::Step::CreateTemp,   IoFault::Step::Attributes,
                            IoFault::Step::OpenInPlace,  IoFault::Step::CreateCopy,
                            IoFault::Step::CreateRecord, IoFault::Step::Reserve,
                            IoFault::Step::Write,        IoFault::Step::Truncate,
                            IoFault::Step::Sync,         IoFault::Step::Rename};

const char *stepName(IoFault::Step step)
{
    static const char *const names[] = {"create temp", "attributes", "open in place", "create copy",
                                        "create note", "reserve",    "write",         "truncate",
                                        "sync",        "rename"};
    return names[int(step)];
}

struct stat statOf(const QString &path)
{
    struct stat st
    { };
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Hands the text over in pieces, as the encoder does, and counts the calls.
AtomicFileWriter::Producer inPieces(const QByteArray &text, int *calls = nullptr)
{
    return [text, calls](const AtomicFileWriter::Sink &sink) {
        if (calls)
            ++*calls;
        for (qsizetype at = 0; at < text.size(); at += 16 * 1024)
            sink(QByteArrayView(text).sliced(at, qMin<qsizetype>(16 * 1024, text.size() - at)));
    };
}

} // namespace

Q_DECLARE_METATYPE(Route)

class TestInPlaceWrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyNameSeesTheNewText_data();
    void everyNameSeesTheNewText();
    void faultAtEveryStepLeavesOldOrNew_data();
    void faultAtEveryStepLeavesOldOrNew();
    void failedPutBackNamesTheCopy();
    void newContentIsStreamedOnce();

private:
    QString prepare(Route route);
    // The save, run as the user the route needs; the error text or empty.
    QString save(const QString &file, const AtomicFileWriter::Producer &produce,
                 AtomicFileWriter::Result *result = nullptr);
    void checkOutcome(const QString &file, const QByteArray &text, const QString &error,
                      const QString &where);
    // Every file of ours beside the files and in the state folder.
    QStringList ourFiles() const;
    QStringList namesOf(const QString &file) const;

    QTemporaryDir m_state;
    std::unique_ptr<QTemporaryDir> m_dir;
    Route m_route = Route::Rename;
};

void TestInPlaceWrite::initTestCase()
{
    QVERIFY(SavedFiles::useStateFolder(m_state));
}

void TestInPlaceWrite::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0777) == 0);
}

void TestInPlaceWrite::cleanup()
{
    IoFault::disarm();
    ::chmod(QFile::encodeName(m_dir->filePath(QStringLiteral("work"))).constData(), 0777);
    m_dir.reset();
    // Each test makes the state folder anew, as the user it runs as.
    QDir(m_state.filePath(QStringLiteral("Orvanel"))).removeRecursively();
}

QString TestInPlaceWrite::prepare(Route route)
{
    m_route = route;
    const QString folder = m_dir->filePath(QStringLiteral("work"));
    const QString file = folder + QStringLiteral("/notes.txt");
    QDir().mkpath(folder);
    QDir().mkpath(m_dir->filePath(QStringLiteral("elsewhere")));
    ::chmod(QFile::encodeName(folder).constData(), 0777);
    TestFiles::writeBytes(file, kOld);
    const QByteArray name = QFile::encodeName(file);
    ::chmod(name.constData(), 0666);
    switch (route) {
    case Route::Rename:
        break;
    case Route::HardLink:
        ::link(name.constData(),
               QFile::encodeName(m_dir->filePath(QStringLiteral("elsewhere/second.txt")))
                       .constData());
        break;
    case Route::ReadOnlyFolder:
        ::chown(name.constData(), OrdinaryUser::kNobody, OrdinaryUser::kNobody);
        ::chmod(QFile::encodeName(folder).constData(), 0555);
        break;
    case Route::OtherOwner:
        ::chown(name.constData(), OrdinaryUser::kSomeoneElse, OrdinaryUser::kSomeoneElse);
        break;
    }
    return file;
}

QString TestInPlaceWrite::save(const QString &file, const AtomicFileWriter::Producer &produce,
                               AtomicFileWriter::Result *result)
{
    std::optional<OrdinaryUser::Scope> user;
    if (m_route == Route::ReadOnlyFolder || m_route == Route::OtherOwner)
        user.emplace();
    try {
        const AtomicFileWriter::Result outcome = AtomicFileWriter::write(file, produce);
        if (result)
            *result = outcome;
    } catch (const AppError &error) {
        return error.message().isEmpty() ? QStringLiteral("(no reason given)") : error.message();
    }
    return QString();
}

QStringList TestInPlaceWrite::ourFiles() const
{
    QStringList found = SavedFiles::leftoversIn(m_dir->path());
    QDirIterator state(QFile::decodeName(SaveRecord::folder()), QDir::Files | QDir::Hidden);
    while (state.hasNext())
        found << state.next();
    return found;
}

QStringList TestInPlaceWrite::namesOf(const QString &file) const
{
    if (m_route != Route::HardLink)
        return {file};
    return {file, m_dir->filePath(QStringLiteral("elsewhere/second.txt"))};
}

void TestInPlaceWrite::everyNameSeesTheNewText_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("inPlace");

    // Shorter and longer than the old content: a torn write shows as an old tail or a mix.
    const QByteArray shorter = lines('s', 700);
    const QByteArray longer = lines('l', 2500);
    QTest::newRow("own file, shorter") << Route::Rename << shorter << false;
    QTest::newRow("hard link, shorter") << Route::HardLink << shorter << true;
    QTest::newRow("read-only folder, longer") << Route::ReadOnlyFolder << longer << true;
    QTest::newRow("another user's file, empty") << Route::OtherOwner << QByteArray() << true;
}

void TestInPlaceWrite::everyNameSeesTheNewText()
{
    QFETCH(Route, route);
    QFETCH(QByteArray, text);
    QFETCH(bool, inPlace);

    const QString file = prepare(route);
    const struct stat before = statOf(file);
    AtomicFileWriter::Result result;
    QCOMPARE(save(file, inPieces(text), &result), QString());
    QCOMPARE(result.inPlace, inPlace);
    QCOMPARE(result.notKept, QStringList());
    for (const QString &name : namesOf(file))
        QCOMPARE(TestFiles::readBytes(name), text);
    const struct stat after = statOf(file);
    QCOMPARE(after.st_ino == before.st_ino, inPlace);
    QCOMPARE(after.st_nlink, before.st_nlink);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(ourFiles(), QStringList());
}

void TestInPlaceWrite::faultAtEveryStepLeavesOldOrNew_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<QByteArray>("text");

    const QByteArray shorter = lines('s', 700);
    const QByteArray longer = lines('l', 2500);
    QTest::newRow("own file") << Route::Rename << longer;
    QTest::newRow("hard link, shorter") << Route::HardLink << shorter;
    QTest::newRow("hard link, longer") << Route::HardLink << longer;
    QTest::newRow("read-only folder, shorter") << Route::ReadOnlyFolder << shorter;
    QTest::newRow("read-only folder, longer") << Route::ReadOnlyFolder << longer;
    QTest::newRow("another user's file") << Route::OtherOwner << shorter;
}

// Each step that runs fails in turn, at each of its runs, once or from then on (so that
// putting the old content back fails too).
void TestInPlaceWrite::faultAtEveryStepLeavesOldOrNew()
{
    QFETCH(Route, route);
    QFETCH(QByteArray, text);

    const QString file = prepare(route);
    IoFault::disarm();
    QCOMPARE(save(file, inPieces(text)), QString());
    std::array<int, std::size_t(IoFault::Step::Count)> hits{};
    for (const IoFault::Step step : kSteps)
        hits[std::size_t(step)] = IoFault::hits(step);
    QVERIFY(hits[std::size_t(IoFault::Step::Write)] > 2);

    int faults = 0;
    for (const IoFault::Step step : kSteps) {
        for (const bool lasting : {false, true}) {
            for (int pass = 0; pass < hits[std::size_t(step)]; ++pass) {
                QVERIFY(TestFiles::writeBytes(file, kOld));
                IoFault::disarm();
                if (lasting)
                    IoFault::arm(step, EIO, pass);
                else
                    IoFault::armOnce(step, EIO, pass);
                const QString error = save(file, inPieces(text));
                IoFault::disarm();
                checkOutcome(file, text, error,
                             QStringLiteral("%1 fails at run %2%3")
                                     .arg(QLatin1String(stepName(step)))
                                     .arg(pass + 1)
                                     .arg(lasting ? QStringLiteral(" and after") : QString()));
                if (QTest::currentTestFailed())
                    return;
                ++faults;
            }
        }
    }
    qInfo("%d faults injected", faults);
}

void TestInPlaceWrite::checkOutcome(const QString &file, const QByteArray &text,
                                    const QString &error, const QString &where)
{
    const QByteArray now = TestFiles::readBytes(file);
    for (const QString &name : namesOf(file))
        QVERIFY2(TestFiles::readBytes(name) == now, qPrintable(where + ": the links differ"));
    if (error.isEmpty()) {
        QVERIFY2(now == text, qPrintable(where + ": reported saved, but is not the new text"));
        QVERIFY2(ourFiles().isEmpty(), qPrintable(where + ": left " + ourFiles().join(' ')));
        return;
    }
    const QRegularExpressionMatch kept =
            QRegularExpression(QStringLiteral("it is kept in (.+)\\.$")).match(error);
    if (!kept.hasMatch()) {
        QVERIFY2(now == kOld, qPrintable(where + ": the file is torn; the error says: " + error));
        QVERIFY2(ourFiles().isEmpty(), qPrintable(where + ": left " + ourFiles().join(' ')));
        return;
    }
    // Putting it back failed: the named copy holds the whole old text, and the next start
    // tells of it (unless the file holds just that again, when it tidies silently).
    const QString copy = kept.captured(1);
    QVERIFY2(TestFiles::readBytes(copy) == kOld, qPrintable(where + ": the copy is not whole"));
    const QList<KeptCopies::Leftover> leftovers = KeptCopies::check();
    if (now == kOld) {
        QVERIFY2(leftovers.isEmpty() && !QFile::exists(copy),
                 qPrintable(where + ": a copy of what the file holds was kept"));
        QVERIFY2(ourFiles().isEmpty(), qPrintable(where + ": left " + ourFiles().join(' ')));
        return;
    }
    QVERIFY2(leftovers.size() == 1 && leftovers[0].file == file && leftovers[0].copy == copy,
             qPrintable(where + ": the start would not tell of " + copy));
    // Once the user has removed the copy, nothing more is said, and nothing is left.
    QVERIFY(QFile::remove(copy));
    QVERIFY(KeptCopies::check().isEmpty());
    QVERIFY2(ourFiles().isEmpty(), qPrintable(where + ": left " + ourFiles().join(' ')));
}

void TestInPlaceWrite::failedPutBackNamesTheCopy()
{
    const QString file = prepare(Route::HardLink);
    // Cutting the file to length fails, and so does cutting it back to the old length.
    IoFault::arm(IoFault::Step::Truncate, EIO);
    const QString error = save(file, inPieces(lines('l', 2500)));
    IoFault::disarm();
    const QString copy = m_dir->filePath(QStringLiteral("work/"))
            + QDir(m_dir->filePath(QStringLiteral("work")))
                      .entryList(QStringList() << QStringLiteral(".leafstack-old-*"),
                                 QDir::Files | QDir::Hidden)
                      .value(0);
    QCOMPARE(error,
             QStringLiteral("Input/output error.\rIts old content could not be put back; it is "
                            "kept in %1.")
                     .arg(copy));
    QCOMPARE(TestFiles::readBytes(copy), kOld);

    // Every start tells of it until the copy is gone.
    for (int start = 0; start < 2; ++start) {
        const QList<KeptCopies::Leftover> leftovers = KeptCopies::check();
        QCOMPARE(leftovers.size(), 1);
        QCOMPARE(leftovers[0].file, file);
        QCOMPARE(leftovers[0].copy, copy);
        const QString message = KeptCopies::message(leftovers);
        QVERIFY(message.contains(QStringLiteral("\r%1: in %2\r").arg(file, copy)));
    }
    // A later save into the folder leaves a copy that a note names where it is.
    QCOMPARE(save(file, inPieces("later")), QString());
    QCOMPARE(TestFiles::readBytes(copy), kOld);
    QVERIFY(QFile::remove(copy));
    QVERIFY(KeptCopies::check().isEmpty());
    QCOMPARE(KeptCopies::message({}), QString());
    QCOMPARE(ourFiles(), QStringList());
}

// The new content reaches the file piece by piece, from one call of the producer, also when
// the save turns to writing in place after it made a new file.
void TestInPlaceWrite::newContentIsStreamedOnce()
{
    const QString file = prepare(Route::HardLink);
    const QString second = m_dir->filePath(QStringLiteral("elsewhere/second.txt"));
    int calls = 0;
    QByteArray seenMidway;
    const AtomicFileWriter::Producer produce = [&](const AtomicFileWriter::Sink &sink) {
        ++calls;
        sink("first piece;");
        seenMidway = TestFiles::readBytes(second).left(12);
        sink("second piece\n");
    };
    QCOMPARE(save(file, produce), QString());
    QCOMPARE(calls, 1);
    QCOMPARE(seenMidway, QByteArray("first piece;"));
    QCOMPARE(TestFiles::readBytes(second), QByteArray("first piece;second piece\n"));

    // A new file that cannot take the attributes: the save goes in place, one call still.
    const QString own = prepare(Route::Rename);
    calls = 0;
    IoFault::arm(IoFault::Step::Attributes, EPERM);
    AtomicFileWriter::Result result;
    QCOMPARE(save(own, inPieces("whole\n", &calls), &result), QString());
    QCOMPARE(calls, 1);
    QVERIFY(result.inPlace);
    QCOMPARE(TestFiles::readBytes(own), QByteArray("whole\n"));
    QCOMPARE(ourFiles(), QStringList());
}

QTEST_GUILESS_MAIN(TestInPlaceWrite)
#include "tst_inplacewrite.moc"
