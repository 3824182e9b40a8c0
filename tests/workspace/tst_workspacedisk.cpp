#include "workspacearea.h"

#include "base/errorhandler.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "platform/memorybudget.h"
#include "workspace/recoveryfile.h"
#include "workspace/recoveryfolder.h"
#include "workspace/recoveryjournal.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspacestatusbar.h"

#include "common/testfiles.h"
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <utime.h>

// What a Workspace does about its file on disk: another program's changes, encodings, undo and
// the text a crash left.
class TestWorkspaceDisk : public WorkspaceArea
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveAsksBeforeWritingOverAnotherProgram();
    void ownSavesAskNothing();
    void encodingPanelAndReopenWithEncoding();
    void saveAsChoosesTheEncoding();
    void undoAndRedoItemsFollowTheDocument();
    void recoveredTextIsBoundAndJournaledAgain();
    void largeFileTooBigIsRefusedAtOnce();

private:
    TfrmEdit *makeWorkspace();
    QString write(const QString &name, const QByteArray &bytes);
    // The questions asked, each answered with the next of answers (Cancel when none are left).
    void answerWith(TfrmEdit *edit, QList<int> answers);

    QStringList m_asked;
};

void TestWorkspaceDisk::init()
{
    openArea();
    // Journals of this test's own, whatever an earlier run left.
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("state"))));
    m_asked.clear();
}

void TestWorkspaceDisk::cleanup()
{
    closeArea();
    QCOMPARE(m_host.depth, 0);
}

TfrmEdit *TestWorkspaceDisk::makeWorkspace()
{
    return showInArea(new TfrmEdit(m_host.services()));
}

QString TestWorkspaceDisk::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    [&] {
        QVERIFY(TestFiles::writeBytes(path, bytes));
    }();
    return path;
}

void TestWorkspaceDisk::answerWith(TfrmEdit *edit, QList<int> answers)
{
    edit->setQuestionRunner([this, answers](QMessageBox &box) mutable {
        m_asked << box.text();
        return answers.isEmpty() ? int(QMessageBox::Cancel) : answers.takeFirst();
    });
}

void TestWorkspaceDisk::saveAsksBeforeWritingOverAnotherProgram()
{
    const QString path = write(QStringLiteral("shared.txt"), "ours\n");
    TfrmEdit *edit = makeWorkspace();
    QVERIFY(edit->Open(path));
    QTest::keyClicks(edit->view(), QStringLiteral("X"));
    // Another program appends a line.
    QVERIFY(TestFiles::writeBytes(path, "ours\ntheirs, appended\n"));
    struct utimbuf times
    {
        1000000000, 1000000000
    };
    QVERIFY(::utime(QFile::encodeName(path).constData(), &times) == 0);

    answerWith(edit, {QMessageBox::Cancel});
    QVERIFY(!edit->mniSaveClick());
    QCOMPARE(TestFiles::readBytes(path), QByteArray("ours\ntheirs, appended\n"));
    QCOMPARE(m_asked.size(), 1);
    QVERIFY(m_asked.last().startsWith(QStringLiteral("Leafstack\n------------------\n")));
    QVERIFY(m_asked.last().contains(QStringLiteral("changed by another program")));
    QCOMPARE(m_host.depth, 0);

    // No, then Yes to the second question: the other program's text comes in.
    answerWith(edit, {QMessageBox::No, QMessageBox::Yes});
    QVERIFY(!edit->mniSaveClick());
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("ours\ntheirs, appended\n"));
    QVERIFY(!edit->document()->isModified());

    // Changed again, the Workspace edited again: Yes writes our text over it.
    QTest::keyClicks(edit->view(), QStringLiteral("Y"));
    QVERIFY(TestFiles::writeBytes(path, "third version\n"));
    QVERIFY(::utime(QFile::encodeName(path).constData(), &times) == 0);
    answerWith(edit, {QMessageBox::Yes});
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(TestFiles::readBytes(path), QByteArray("Yours\ntheirs, appended\n"));
}

void TestWorkspaceDisk::ownSavesAskNothing()
{
    const QString path = write(QStringLiteral("mine.txt"), "text\n");
    TfrmEdit *edit = makeWorkspace();
    QVERIFY(edit->Open(path));
    answerWith(edit, {});
    for (int i = 0; i < 3; ++i) {
        QTest::keyClicks(edit->view(), QStringLiteral("a"));
        QVERIFY(edit->mniSaveClick());
        edit->checkDiskFile();
    }
    // Even when the file is written in place (another name links it).
    QVERIFY(::link(QFile::encodeName(path).constData(),
                   QFile::encodeName(m_dir->filePath(QStringLiteral("link.txt"))).constData())
            == 0);
    QTest::keyClicks(edit->view(), QStringLiteral("b"));
    QVERIFY(edit->mniSaveClick());
    edit->checkDiskFile();
    QCOMPARE(m_asked, QStringList());
    QCOMPARE(TestFiles::readBytes(m_dir->filePath(QStringLiteral("link.txt"))),
             QByteArray("aaabtext\n"));
}

void TestWorkspaceDisk::encodingPanelAndReopenWithEncoding()
{
    // UTF-8 read as Windows-1252 when it has as many stray bytes as good sequences.
    const QString path = write(QStringLiteral("mixed.txt"), "caf\xC3\xA9 \xE9t\xE9\r\nline\n");
    TfrmEdit *edit = makeWorkspace();
    QVERIFY(edit->Open(path));
    WorkspaceStatusBar *bar = edit->statusPanels();
    QCOMPARE(bar->text(WorkspaceStatusBar::Encoding), QStringLiteral("Windows-1252, Mixed"));
    QVERIFY(edit->actions()->mniReopenEncoding->isEnabled());
    QAction *utf8 = edit->actions()->findChild<QAction *>(QStringLiteral("mniEncodingUtf8"));
    QVERIFY(utf8);
    utf8->trigger();
    QCOMPARE(bar->text(WorkspaceStatusBar::Encoding), QStringLiteral("UTF-8, Mixed"));
    QVERIFY(edit->document()->toPlainText().startsWith(QStringLiteral("caf\u00e9 ")));
    QVERIFY(!edit->document()->isModified());
    // Saved, every byte is as it was, the stray ones too.
    QTest::keyClicks(edit->view(), QStringLiteral("+"));
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(TestFiles::readBytes(path), QByteArray("+caf\xC3\xA9 \xE9t\xE9\r\nline\n"));

    // With changes, it asks first; No keeps them.
    QTest::keyClicks(edit->view(), QStringLiteral("!"));
    answerWith(edit, {QMessageBox::No});
    edit->actions()->findChild<QAction *>(QStringLiteral("mniEncodingWindows1252"))->trigger();
    QCOMPARE(m_asked.size(), 1);
    QVERIFY(edit->document()->toPlainText().startsWith(QStringLiteral("+!")));
    // Untitled, there is nothing to read again.
    TfrmEdit *untitled = makeWorkspace();
    QVERIFY(!untitled->actions()->mniReopenEncoding->isEnabled());
}

void TestWorkspaceDisk::saveAsChoosesTheEncoding()
{
    TfrmEdit *edit = makeWorkspace();
    edit->view()->replaceSelection(QStringLiteral("h\u00e9"));
    const QString path = m_dir->filePath(QStringLiteral("wide.txt"));
    QStringList offered;
    edit->setSaveDialogRunner([&](QFileDialog &dialog) {
        auto *box = dialog.findChild<QComboBox *>(QStringLiteral("cmbEncoding"));
        for (int i = 0; box && i < box->count(); ++i)
            offered << box->itemText(i);
        if (box)
            box->setCurrentText(QStringLiteral("UTF-16 LE"));
        return path;
    });
    QVERIFY(edit->mniSaveAsClick());
    QCOMPARE(offered,
             (QStringList{"UTF-8", "UTF-8 with BOM", "UTF-16 LE", "UTF-16 BE", "Windows-1252"}));
    QCOMPARE(TestFiles::readBytes(path), QByteArray("\xFF\xFEh\0\xE9\0", 6));
    QCOMPARE(edit->statusPanels()->text(WorkspaceStatusBar::Encoding),
             QStringLiteral("UTF-16 LE BOM, LF"));
    QCOMPARE(edit->statusPanels()->text(WorkspaceStatusBar::Size), QStringLiteral("6 bytes"));
}

void TestWorkspaceDisk::undoAndRedoItemsFollowTheDocument()
{
    TfrmEdit *edit = makeWorkspace();
    WorkspaceActions *a = edit->actions();
    QVERIFY(!a->mniUndo->isEnabled() && !a->mniRedo->isEnabled());
    QCOMPARE(a->mniEdit->actions().mid(0, 2), (QList<QAction *>{a->mniUndo, a->mniRedo}));
    QCOMPARE(a->pumPopup->actions().mid(0, 2), (QList<QAction *>{a->mniUndo, a->mniRedo}));
    QCOMPARE(a->mniUndo->statusTip(), QStringLiteral("Undo Last Change"));
    QCOMPARE(a->mniRedo->statusTip(), QStringLiteral("Redo Last Change"));
    QVERIFY(a->mniRedo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    QTest::keyClicks(edit->view(), QStringLiteral("one two"));
    QVERIFY(a->mniUndo->isEnabled());
    a->mniUndo->trigger();
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("one "));
    QVERIFY(a->mniRedo->isEnabled());
    a->mniRedo->trigger();
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("one two"));
    QCOMPARE(edit->view()->selection(), TextSelection::caret(7));
    QVERIFY(!a->mniRedo->isEnabled());
}

void TestWorkspaceDisk::recoveredTextIsBoundAndJournaledAgain()
{
    const QString path = write(QStringLiteral("draft.txt"), "draft\n");
    {
        // A run that ended without saving.
        TextDocument doc;
        RecoveryJournal journal(RecoveryFolder::path(), &doc);
        doc.setPlainText(u"draft\n");
        journal.setBase({path, FileIdentity::of(path)});
        doc.insert(0, u"unsaved ");
        journal.flush();
    }
    std::vector<RecoveryFile> left = RecoveryFile::leftOver(RecoveryFolder::path());
    QCOMPARE(left.size(), size_t(1));
    TfrmEdit *edit = makeWorkspace();
    edit->recover(left[0]);
    left[0].remove();
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("unsaved draft\n"));
    QVERIFY(edit->document()->isModified());
    QCOMPARE(edit->filePath(), path);
    QCOMPARE(edit->windowTitle(), QStringLiteral("draft.txt"));
    // Journaled again at once: a second crash right now loses nothing either.
    QVERIFY(edit->recoveryJournal()->active());
    QVERIFY(RecoveryFile::leftOver(RecoveryFolder::path()).empty());
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(TestFiles::readBytes(path), QByteArray("unsaved draft\n"));
    QVERIFY(!edit->recoveryJournal()->active());
}

// A file read in the background is refused before the reading starts when it cannot fit, so
// the caller learns of it as of any other file that cannot be opened.
void TestWorkspaceDisk::largeFileTooBigIsRefusedAtOnce()
{
    const QString path = write(QStringLiteral("huge.txt"), QByteArray(9 << 20, 'x'));
    TfrmEdit *edit = makeWorkspace();
    MemoryBudget::setAvailableForTests(4 << 20);
    const bool opened = edit->Open(path);
    MemoryBudget::setAvailableForTests(std::nullopt);
    QVERIFY(!opened);
    QVERIFY(!edit->loading());
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(m_errors[0].startsWith(QStringLiteral("Cannot open file %1\r").arg(path)));
    QVERIFY(m_errors[0].contains(QStringLiteral("MB of memory")));
}

QTEST_MAIN(TestWorkspaceDisk)
#include "tst_workspacedisk.moc"
