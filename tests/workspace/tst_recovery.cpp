#include "base/apperror.h"
#include "controls/textdocument.h"
#include "workspace/recoveryfile.h"
#include "workspace/recoveryjournal.h"
#include "workspace/textfile.h"

#include "common/errorof.h"
#include "common/testfiles.h"
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// A document and its journal, as a Workspace holds them.
struct Journaled
{
    explicit Journaled(const QString &folder)
        : journal(folder, &doc)
    { }
    TextDocument doc;
    RecoveryJournal journal;
};

int modeOf(const QString &path)
{
    struct stat st
    { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

// What a document holds, line ends and format included.
QString fingerprint(const TextDocument &doc)
{
    QString ends;
    for (qsizetype line = 0; line + 1 < doc.lineCount(); ++line)
        ends += QString::number(int(doc.storage().lineEndOf(line)));
    return doc.toPlainText() + u'|' + ends + u'|' + QString::number(int(doc.format().encoding))
            + QString::number(doc.format().bom) + QString::number(int(doc.format().lineEnd));
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void editsComeBackOnTheirFile();
    void untitledAndUnbasedTexts();
    void aRecordCutShortEndsTheJournal();
    void liveJournalsAreLeftAlone();
    void journalGoesWhenTheTextIsSafe();
    void changedFileOrDamageKeepsTheJournal();

private:
    QString folder() const { return m_dir->filePath(QStringLiteral("recovery")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRecovery::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestRecovery::editsComeBackOnTheirFile()
{
    const QString path = m_dir->filePath(QStringLiteral("notes.txt"));
    QVERIFY(TestFiles::writeBytes(path, "one\r\ntwo\nthree\r\n"));
    QString expected;
    {
        Journaled w(folder());
        DecodedText text = TextFile::load(path);
        w.doc.reset(std::move(text.storage), text.format, text.byteSize);
        w.journal.setBase({path, FileIdentity::of(path)});
        w.doc.insert(0, u"zero\r\n");
        w.doc.replaceAll({6, 11}, 3, u"2\u20ac", {}, {});
        w.doc.mapCharacters(0, 4, [](char16_t c) { return char16_t(c == u'z' ? u'Z' : c); }, {});
        w.doc.undo();
        w.doc.redo();
        TextFormat format = w.doc.format();
        format.encoding = TextEncoding::Utf16LE;
        format.bom = true;
        w.doc.setFormat(format);
        w.doc.remove(w.doc.length() - 2, 2);
        w.journal.flush();
        expected = fingerprint(w.doc);
        QCOMPARE(modeOf(w.journal.filePath()), 0600);
        // Ends without discarding, as after a crash.
    }
    QCOMPARE(modeOf(folder()), 0700);
    std::vector<RecoveryFile> left = RecoveryFile::leftOver(folder());
    QCOMPARE(left.size(), size_t(1));
    QVERIFY(left[0].readable());
    QCOMPARE(left[0].path(), path);
    TextDocument recovered;
    left[0].replayInto(recovered);
    QCOMPARE(fingerprint(recovered), expected);
    QVERIFY(recovered.isModified());
    left[0].remove();
    QVERIFY(RecoveryFile::leftOver(folder()).empty());
}

void TestRecovery::untitledAndUnbasedTexts()
{
    QString untitled, unbased;
    {
        Journaled a(folder());
        a.journal.setBase({});
        a.doc.insert(0, u"typed\nin a new window");
        a.journal.flush();
        untitled = a.doc.toPlainText();
        // A text that matches no file (recovered, say) is kept whole at its first edit.
        Journaled b(folder());
        b.doc.setPlainText(u"text from somewhere\n");
        b.journal.setNoBase();
        b.doc.insert(4, u"!");
        b.journal.flush();
        unbased = b.doc.toPlainText();
    }
    std::vector<RecoveryFile> left = RecoveryFile::leftOver(folder());
    QCOMPARE(left.size(), size_t(2));
    QStringList texts;
    for (RecoveryFile &file : left) {
        QVERIFY(file.path().isEmpty());
        TextDocument doc;
        file.replayInto(doc);
        texts << doc.toPlainText();
    }
    texts.sort();
    QCOMPARE(texts, (QStringList{unbased, untitled}));
}

void TestRecovery::aRecordCutShortEndsTheJournal()
{
    QString path;
    QList<qint64> sizes;
    QStringList states;
    {
        Journaled w(folder());
        w.journal.setBase({});
        for (int i = 0; i < 5; ++i) {
            w.doc.insert(w.doc.length(), QStringLiteral("line %1\n").arg(i));
            w.journal.flush();
            path = w.journal.filePath();
            sizes << QFileInfo(path).size();
            states << w.doc.toPlainText();
        }
    }
    // Cut in the middle of the fourth record: the text of the third comes back.
    QFile file(path);
    QVERIFY(file.resize((sizes[2] + sizes[3]) / 2));
    std::vector<RecoveryFile> left = RecoveryFile::leftOver(folder());
    QCOMPARE(left.size(), size_t(1));
    TextDocument doc;
    left[0].replayInto(doc);
    QCOMPARE(doc.toPlainText(), states[2]);
}

void TestRecovery::liveJournalsAreLeftAlone()
{
    Journaled live(folder());
    live.journal.setBase({});
    live.doc.insert(0, u"still being typed");
    live.journal.flush();
    QVERIFY(QFile::exists(live.journal.filePath()));
    // Another copy of the program starting now finds nothing to take.
    QVERIFY(RecoveryFile::leftOver(folder()).empty());
    // Nor do two copies starting together both get the same journal.
    QString path = live.journal.filePath();
    {
        Journaled ended(folder());
        ended.journal.setBase({});
        ended.doc.insert(0, u"x");
        ended.journal.flush();
        path = ended.journal.filePath();
    }
    std::vector<RecoveryFile> first = RecoveryFile::leftOver(folder());
    QCOMPARE(first.size(), size_t(1));
    QCOMPARE(first[0].journalPath(), path);
    QVERIFY(RecoveryFile::leftOver(folder()).empty());
}

void TestRecovery::journalGoesWhenTheTextIsSafe()
{
    Journaled w(folder());
    w.journal.setBase({});
    // Nothing is written before the first edit.
    QVERIFY(!w.journal.active());
    w.doc.insert(0, u"a");
    QVERIFY(w.journal.active());
    const QString first = w.journal.filePath();
    QVERIFY(QFile::exists(first));
    // Undone back to the text on disk: nothing left to recover.
    w.doc.undo();
    QVERIFY(!w.journal.active());
    QVERIFY(!QFile::exists(first));
    w.doc.insert(0, u"b");
    const QString second = w.journal.filePath();
    w.doc.setModified(false); // saved
    QVERIFY(!QFile::exists(second));
    w.doc.insert(0, u"c");
    w.journal.discard(); // closed without saving
    QVERIFY(QDir(folder()).entryList(QDir::Files).isEmpty());
}

void TestRecovery::changedFileOrDamageKeepsTheJournal()
{
    const QString path = m_dir->filePath(QStringLiteral("changing.txt"));
    QVERIFY(TestFiles::writeBytes(path, "original\n"));
    {
        Journaled w(folder());
        DecodedText text = TextFile::load(path);
        w.doc.reset(std::move(text.storage), text.format, text.byteSize);
        w.journal.setBase({path, FileIdentity::of(path)});
        w.doc.insert(0, u"edited ");
        w.journal.flush();
    }
    QVERIFY(TestFiles::writeBytes(path, "changed by another program\n"));
    QVERIFY(TestFiles::writeBytes(QDir(folder()).filePath(QStringLiteral("junk.journal")),
                                  "not a journal"));
    std::vector<RecoveryFile> left = RecoveryFile::leftOver(folder());
    QCOMPARE(left.size(), size_t(2));
    for (const RecoveryFile &file : left) {
        TextDocument doc;
        const QString error = errorOf([&] { file.replayInto(doc); });
        QVERIFY(!error.isEmpty());
        if (file.readable())
            QCOMPARE(error,
                     QStringLiteral("%1 has changed since the edits were made, so they "
                                    "cannot be put back on it.")
                             .arg(path));
    }
    left.clear();
    QCOMPARE(QDir(folder()).entryList(QDir::Files).size(), 2);
}

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
