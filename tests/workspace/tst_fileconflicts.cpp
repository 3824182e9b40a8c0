#include "workspace/fileconflicts.h"
#include "workspace/filewatch.h"

#include "common/testfiles.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <utime.h>

namespace {

using Answer = FileConflicts::Answer;

// A Workspace as the conflicts see it: its questions answered from a list, what it was told
// and did written down.
struct FakeWorkspace
{
    QList<Answer> answers;
    QStringList asked;
    QStringList told;
    bool modified = false;
    int reloads = 0;

    FileConflicts::Actions actions()
    {
        return {[this](const QString &message, bool) {
                    asked << message;
                    return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
                },
                [this](const QString &message) { told << message; }, [this]() { return modified; },
                [this]() { modified = true; },
                [this]() {
                    ++reloads;
                }};
    }
};

// Another program's write: new content and a new modification time.
void changeBehindTheBack(const QString &path, const QByteArray &bytes)
{
    QVERIFY(TestFiles::writeBytes(path, bytes));
    struct utimbuf times
    {
        1000000000, 1000000000
    };
    QVERIFY(::utime(QFile::encodeName(path).constData(), &times) == 0);
}

} // namespace

class TestFileConflicts : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unmodifiedOffersToReload();
    void modifiedAsksWhatToDo_data();
    void modifiedAsksWhatToDo();
    void deletedFileKeepsItsText();
    void ourOwnWriteIsNoChange();
    void notificationsFollowAReplacedFile();

private:
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileConflicts::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("watched.txt"));
    QVERIFY(TestFiles::writeBytes(m_path, "first\n"));
}

void TestFileConflicts::unmodifiedOffersToReload()
{
    FileWatch watch;
    watch.watch(m_path, FileIdentity::of(m_path));
    FakeWorkspace ws;
    FileConflicts conflicts(watch, ws.actions());
    conflicts.check();
    QVERIFY(ws.asked.isEmpty()); // nothing changed, nothing asked
    changeBehindTheBack(m_path, "second\n");
    ws.answers = {Answer::No};
    conflicts.check();
    QCOMPARE(ws.asked,
             QStringList{QStringLiteral("%1 was changed by another program.\rLoad the "
                                        "new text?")
                                 .arg(m_path)});
    // Kept: the text is no longer the file's, so closing will ask, and the change is not asked
    // about again.
    QVERIFY(ws.modified);
    QCOMPARE(ws.reloads, 0);
    conflicts.check();
    QCOMPARE(ws.asked.size(), 1);
    changeBehindTheBack(m_path, "third, longer\n");
    ws.modified = false;
    ws.answers = {Answer::Yes};
    conflicts.check();
    QCOMPARE(ws.reloads, 1);
}

void TestFileConflicts::modifiedAsksWhatToDo_data()
{
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("mayWrite");
    QTest::addColumn<int>("reloads");
    QTest::addColumn<int>("questions");
    QTest::newRow("write over it") << QList<Answer>{Answer::Yes} << true << 0 << 1;
    QTest::newRow("reload, confirmed") << QList<Answer>{Answer::No, Answer::Yes} << false << 1 << 2;
    QTest::newRow("reload, thought better of")
            << QList<Answer>{Answer::No, Answer::No} << false << 0 << 2;
    QTest::newRow("leave it") << QList<Answer>{Answer::Cancel} << false << 0 << 1;
}

// Before a save: nothing is written over another program's change unless the user says so.
void TestFileConflicts::modifiedAsksWhatToDo()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, mayWrite);
    QFETCH(int, reloads);
    QFETCH(int, questions);
    FileWatch watch;
    watch.watch(m_path, FileIdentity::of(m_path));
    FakeWorkspace ws;
    ws.modified = true;
    FileConflicts conflicts(watch, ws.actions());
    QVERIFY(conflicts.mayWrite());
    changeBehindTheBack(m_path, "theirs\n");
    ws.answers = answers;
    QCOMPARE(conflicts.mayWrite(), mayWrite);
    QCOMPARE(ws.reloads, reloads);
    QCOMPARE(ws.asked.size(), questions);
    QVERIFY(ws.asked.first().contains(QStringLiteral("holds changes of its own")));
    // Left for now, the question comes again at the next save.
    if (answers == QList<Answer>{Answer::Cancel}) {
        ws.answers = {Answer::Yes};
        QVERIFY(conflicts.mayWrite());
        QCOMPARE(ws.asked.size(), 2);
    }
}

void TestFileConflicts::deletedFileKeepsItsText()
{
    FileWatch watch;
    watch.watch(m_path, FileIdentity::of(m_path));
    FakeWorkspace ws;
    FileConflicts conflicts(watch, ws.actions());
    QVERIFY(QFile::remove(m_path));
    conflicts.check();
    QCOMPARE(ws.told,
             QStringList{QStringLiteral("%1 was deleted or moved by another "
                                        "program.\rIts text is still here: save it to "
                                        "write it back.")
                                 .arg(m_path)});
    QVERIFY(ws.modified);
    QVERIFY(ws.asked.isEmpty());
    // Told once; saving writes the file anew.
    conflicts.check();
    QCOMPARE(ws.told.size(), 1);
    QVERIFY(conflicts.mayWrite());
}

void TestFileConflicts::ourOwnWriteIsNoChange()
{
    FileWatch watch;
    watch.watch(m_path, FileIdentity::of(m_path));
    FakeWorkspace ws;
    ws.modified = true;
    FileConflicts conflicts(watch, ws.actions());
    // A save of ours: the file changes, and the watch is told what it is now.
    changeBehindTheBack(m_path, "ours\n");
    watch.watch(m_path, FileIdentity::of(m_path));
    conflicts.check();
    QVERIFY(conflicts.mayWrite());
    QVERIFY(ws.asked.isEmpty() && ws.told.isEmpty());
}

// A file replaced by a rename (as every careful program saves) keeps being watched.
void TestFileConflicts::notificationsFollowAReplacedFile()
{
    FileWatch watch;
    watch.setSettleDelay(0);
    watch.watch(m_path, FileIdentity::of(m_path));
    QSignalSpy touched(&watch, &FileWatch::touched);
    const QString other = m_dir->filePath(QStringLiteral("other.txt"));
    for (int round = 0; round < 2; ++round) {
        QVERIFY(TestFiles::writeBytes(other, QByteArray("replaced ") + char('0' + round)));
        QVERIFY(::rename(QFile::encodeName(other).constData(),
                         QFile::encodeName(m_path).constData())
                == 0);
        QVERIFY(touched.wait(10000));
        QVERIFY(watch.changed());
        watch.watch(m_path, FileIdentity::of(m_path));
        touched.clear();
    }
}

QTEST_GUILESS_MAIN(TestFileConflicts)
#include "tst_fileconflicts.moc"
