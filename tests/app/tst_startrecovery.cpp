#include "app/ui/tfrmmain.h"
#include "base/errorhandler.h"
#include "controls/textdocument.h"
#include "workspace/recoveryfile.h"
#include "workspace/recoveryfolder.h"
#include "workspace/recoveryjournal.h"
#include "workspace/ui/tfrmedit.h"

#include "common/testfiles.h"
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// What a start finds of a run that crashed: one question, and the texts back in Workspaces.
class TestStartRecovery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void oneQuestionListsTheTexts_data();
    void oneQuestionListsTheTexts();
    void unreadableJournalsAreKeptAndTold();

private:
    // A run's unsaved edit of the file at path (an untitled text when path is empty).
    void leaveJournal(const QString &path, const QString &saved, const QString &typed);
    TfrmMain &startAnswering(int answer);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmMain> m_frame;
    QStringList m_asked;
    QStringList m_errors;
    QMessageBox::StandardButton m_default = QMessageBox::NoButton;
};

void TestStartRecovery::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("state"))));
    m_asked.clear();
    m_errors.clear();
    ErrorHandler::setPresenter([this](const QString &text) { m_errors << text; });
}

void TestStartRecovery::cleanup()
{
    if (m_frame) {
        for (TfrmEdit *workspace : m_frame->workspaces())
            workspace->closeWithoutQuery();
    }
    m_frame.reset();
    ErrorHandler::setPresenter({});
}

void TestStartRecovery::leaveJournal(const QString &path, const QString &saved,
                                     const QString &typed)
{
    if (!path.isEmpty())
        QVERIFY(TestFiles::writeBytes(path, saved.toUtf8()));
    TextDocument doc;
    RecoveryJournal journal(RecoveryFolder::path(), &doc);
    doc.setPlainText(saved);
    journal.setBase({path, FileIdentity::of(path)});
    doc.insert(0, typed);
    journal.flush();
}

TfrmMain &TestStartRecovery::startAnswering(int answer)
{
    m_frame = std::make_unique<TfrmMain>();
    m_frame->setQuestionRunner([this, answer](QMessageBox &box) {
        m_asked << box.text();
        m_default = box.standardButton(box.defaultButton());
        return answer;
    });
    m_frame->show();
    return *m_frame;
}

void TestStartRecovery::oneQuestionListsTheTexts_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("workspaces");
    QTest::addColumn<int>("journalsLeft");
    QTest::newRow("recover") << int(QMessageBox::Yes) << 3 << 0;
    QTest::newRow("discard") << int(QMessageBox::No) << 1 << 0;
    QTest::newRow("later") << int(QMessageBox::Cancel) << 1 << 2;
}

void TestStartRecovery::oneQuestionListsTheTexts()
{
    QFETCH(int, answer);
    QFETCH(int, workspaces);
    QFETCH(int, journalsLeft);
    const QString path = m_dir->filePath(QStringLiteral("report.txt"));
    leaveJournal(path, QStringLiteral("saved part\n"), QStringLiteral("typed part, "));
    leaveJournal(QString(), QString(), QStringLiteral("a new text"));

    TfrmMain &frame = startAnswering(answer);
    QTRY_COMPARE(m_asked.size(), 1);
    QVERIFY(m_asked[0].contains(path));
    QVERIFY(m_asked[0].contains(TfrmEdit::untitledName));
    QCOMPARE(m_default, QMessageBox::Yes);
    QTRY_COMPARE(frame.workspaces().size(), workspaces);
    if (answer == QMessageBox::Yes) {
        QStringList texts;
        for (TfrmEdit *workspace : frame.workspaces()) {
            if (workspace->document()->isModified())
                texts << workspace->filePath() + u':' + workspace->document()->toPlainText();
        }
        texts.sort();
        QStringList expected{u":a new text"_qs, path + u":typed part, saved part\n"_qs};
        expected.sort();
        QCOMPARE(texts, expected);
    }
    // What was recovered is journaled by this run now, which holds those journals.
    QCOMPARE(int(RecoveryFile::leftOver(RecoveryFolder::path()).size()), journalsLeft);
    QCOMPARE(m_errors, QStringList());
}

// A journal that cannot be read is kept and told of; one that holds nothing (its run ended
// before the first edit reached the disk) goes without a word.
void TestStartRecovery::unreadableJournalsAreKeptAndTold()
{
    QVERIFY(RecoveryFolder::make(RecoveryFolder::path()));
    const QString junk = RecoveryFolder::path() + QStringLiteral("/broken.journal");
    QVERIFY(TestFiles::writeBytes(junk, "garbage"));
    const QString empty = RecoveryFolder::path() + QStringLiteral("/empty.journal");
    QVERIFY(TestFiles::writeBytes(empty, ""));
    const QString headerOnly = RecoveryFolder::path() + QStringLiteral("/header.journal");
    QVERIFY(TestFiles::writeBytes(headerOnly, "Leafstack recovery 1\n{\"base\":\"empty\"}\n"));
    startAnswering(QMessageBox::Yes);
    QTRY_COMPARE(m_errors.size(), 1);
    QVERIFY(m_errors[0].contains(junk));
    QVERIFY(m_asked.isEmpty()); // nothing to recover, nothing asked
    QVERIFY(QFile::exists(junk));
    QVERIFY(!QFile::exists(empty));
    QVERIFY(!QFile::exists(headerOnly));
}

QTEST_MAIN(TestStartRecovery)
#include "tst_startrecovery.moc"
