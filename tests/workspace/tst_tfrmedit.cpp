#include "workspacearea.h"

#include "base/errorhandler.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspacegotoline.h"
#include "workspace/ui/workspacestatusbar.h"

#include "common/ordinaryuser.h"
#include "common/savedfiles.h"
#include "common/testfiles.h"
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>

#include <QTest>
#include <QToolBar>

#include <sys/stat.h>

using Bar = WorkspaceStatusBar;

class TestTfrmEdit : public WorkspaceArea
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newWorkspaceIsUntitled();
    void pathPanelWidth_data();
    void pathPanelWidth();
    void openKeepsTheRealName();
    void openFailureReports();
    void typingMarksModifiedAndSaveWritesIt();
    void saveKeepsTheFileFormat();
    void unencodableTextOffersUtf8_data();
    void unencodableTextOffersUtf8();
    void saveAsPreparesTheDialogAndTakesTheName();
    void saveAsUnderUntitledTxtIsTitled();
    void saveAsCancelledOrBadFilterIndex();
    void backups();
    void saveTellsWhatTheFileCouldNotKeep();
    void closeQuestion_data();
    void closeQuestion();
    void modifiedPanelMirrorsTheFlag();
    void keyStatePanels();
    void enabledStatesFollowTextAndSelection();
    void menusForTheFrame();
    void largeFileLoadsInTheBackground();
    void selectAllByKeyRefreshesTheEditItems();
    void goToLineKeepsWithinTheText();
    void goToLineWaitsForTheText();

private:
    TfrmEdit *makeWorkspace();
    QString write(const QString &name, const QByteArray &bytes);
    void type(TfrmEdit *edit, const QString &text);
};

void TestTfrmEdit::init()
{
    openArea();
}

void TestTfrmEdit::cleanup()
{
    closeArea();
    QCOMPARE(m_host.depth, 0);
}

TfrmEdit *TestTfrmEdit::makeWorkspace()
{
    auto *edit = new TfrmEdit(m_host.services());
    edit->setKeyLockReader([]() { return KeyLockState{true, false}; });
    edit->setQuestionRunner([](QMessageBox &) -> int {
        qFatal("unexpected question");
        return QMessageBox::Cancel;
    });
    edit->tmrKeyStateTimer();
    return showInArea(edit);
}

QString TestTfrmEdit::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    [&] {
        QVERIFY(TestFiles::writeBytes(path, bytes));
    }();
    return path;
}

void TestTfrmEdit::type(TfrmEdit *edit, const QString &text)
{
    QTest::keyClicks(edit->view(), text);
}

void TestTfrmEdit::newWorkspaceIsUntitled()
{
    TfrmEdit *edit = makeWorkspace();
    Bar *bar = edit->statusPanels();
    QVERIFY(edit->untitled());
    QVERIFY(edit->isMaximized());
    QCOMPARE(edit->windowTitle(), QStringLiteral("untitled.txt"));
    QCOMPARE(bar->text(Bar::Path), u' ' + m_dir->path() + QStringLiteral("/untitled.txt"));
    QCOMPARE(bar->text(Bar::Size), QStringLiteral("0 bytes"));
    QCOMPARE(bar->text(Bar::Modified), QString());
    QCOMPARE(bar->text(Bar::Insert), QStringLiteral("INS"));
    QCOMPARE(bar->text(Bar::Spare), QString());
    QCOMPARE(bar->text(Bar::Encoding), QStringLiteral("UTF-8, LF"));
    const int widths[] = {58, 57, Bar::pathPanelWidth(bar->text(Bar::Path)), 60, 40, 40, 40,
                          50, 130};
    for (int i = 0; i < Bar::PanelCount; ++i)
        QCOMPARE(bar->panelWidth(Bar::Panel(i)), widths[i]);
    QVERIFY(m_host.reapplies > 0);
}

void TestTfrmEdit::pathPanelWidth_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("width");
    QTest::newRow("short") << 10 << 300;
    QTest::newRow("45") << 45 << 300;
    QTest::newRow("46") << 46 << 322;
    QTest::newRow("100") << 100 << 700;
}

void TestTfrmEdit::pathPanelWidth()
{
    QFETCH(int, length);
    QFETCH(int, width);
    Bar bar;
    bar.setPath(QString(length, u'x'));
    QCOMPARE(bar.panelWidth(Bar::Path), width);
}

void TestTfrmEdit::openKeepsTheRealName()
{
    QByteArray content;
    for (int i = 0; i < 250; ++i)
        content += "line\n";
    const QString path = write(QStringLiteral("Mixed Case:Name.TXT"), content);
    TfrmEdit *edit = makeWorkspace();
    QVERIFY(edit->Open(path));
    Bar *bar = edit->statusPanels();
    QVERIFY(!edit->untitled());
    QCOMPARE(edit->filePath(), path);
    QCOMPARE(edit->windowTitle(), QStringLiteral("Mixed Case:Name.TXT"));
    QCOMPARE(bar->text(Bar::Path), path);
    QCOMPARE(bar->text(Bar::Size), QStringLiteral("1,250 bytes"));
    QCOMPARE(bar->panelWidth(Bar::Size), 11 * 7);
    QCOMPARE(bar->text(Bar::Modified), QString());
    QCOMPARE(bar->text(Bar::Caret), QStringLiteral("1:1"));
    QCOMPARE(edit->document()->toPlainText(), QString::fromLatin1(content));
    QCOMPARE(m_host.options->openDirectory(), m_dir->path() + u'/');
    QCOMPARE(m_host.lists.recentFiles(), QStringList{path});
    QVERIFY(m_errors.isEmpty());
}

void TestTfrmEdit::openFailureReports()
{
    TfrmEdit *edit = makeWorkspace();
    const QString missing = m_dir->filePath(QStringLiteral("missing.txt"));
    QVERIFY(!edit->Open(missing));
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(m_errors[0].contains(missing));
    QVERIFY(m_host.lists.recentFiles().isEmpty());
}

void TestTfrmEdit::typingMarksModifiedAndSaveWritesIt()
{
    const QString path = write(QStringLiteral("a.txt"), "one\ntwo\n");
    TfrmEdit *edit = makeWorkspace();
    QVERIFY(edit->Open(path));
    edit->view()->setSelection(4, 0);
    type(edit, QStringLiteral("2 "));
    Bar *bar = edit->statusPanels();
    QCOMPARE(bar->text(Bar::Modified), QStringLiteral("Modified"));
    QCOMPARE(bar->text(Bar::Size), QStringLiteral("10 bytes"));
    QCOMPARE(bar->text(Bar::Caret), QStringLiteral("2:3"));
    // The shortcut reaches the Workspace whose text has the focus.
    m_area->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_area));
    edit->view()->setFocus();
    QTest::keyClick(edit->view(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(TestFiles::readBytes(path), QByteArray("one\n2 two\n"));
    QCOMPARE(bar->text(Bar::Modified), QString());
    QVERIFY(!edit->document()->isModified());
    QCOMPARE(m_host.drops, 0); // a plain save shows no dialog
}

void TestTfrmEdit::saveKeepsTheFileFormat()
{
    const QByteArray original("\xEF\xBB\xBFna\xC3\xAFve\r\nline\r\nno final break");
    const QString path = write(QStringLiteral("crlf.txt"), original);
    TfrmEdit *edit = makeWorkspace();
    QVERIFY(edit->Open(path));
    edit->view()->setSelection(0, 0);
    type(edit, QStringLiteral("A "));
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(TestFiles::readBytes(path),
             QByteArray("\xEF\xBB\xBF"
                        "A na\xC3\xAFve\r\nline\r\nno final break"));
}

void TestTfrmEdit::unencodableTextOffersUtf8_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::newRow("yes") << int(QMessageBox::Yes)
                         << QByteArray("\xC4\x81"
                                       "caf\xC3\xA9");
    QTest::newRow("no") << int(QMessageBox::No) << QByteArray("caf\xE9");
}

void TestTfrmEdit::unencodableTextOffersUtf8()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, onDisk);
    const QString path = write(QStringLiteral("latin.txt"), "caf\xE9");
    TfrmEdit *edit = makeWorkspace();
    QVERIFY(edit->Open(path));
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("caf\u00E9"));
    edit->view()->setSelection(0, 0);
    edit->view()->replaceSelection(QStringLiteral("\u0101"));
    QString asked;
    edit->setQuestionRunner([&](QMessageBox &box) {
        asked = box.text();
        return answer;
    });
    QCOMPARE(edit->mniSaveClick(), answer == QMessageBox::Yes);
    QVERIFY(asked.contains(QStringLiteral("UTF-8")));
    QCOMPARE(TestFiles::readBytes(path), onDisk);
    QCOMPARE(edit->document()->isModified(), answer != QMessageBox::Yes);
    QVERIFY(m_errors.isEmpty());
}

void TestTfrmEdit::saveAsPreparesTheDialogAndTakesTheName()
{
    m_host.options->setFilterIndexText(QStringLiteral("2"));
    TfrmEdit *edit = makeWorkspace();
    type(edit, QStringLiteral("hello"));
    const QString target = m_dir->filePath(QStringLiteral("Notes.md"));
    int runs = 0;
    edit->setSaveDialogRunner([&](QFileDialog &dialog) {
        ++runs;
        [&]() {
            QCOMPARE(m_host.depth, 1);
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(dialog.directory().absolutePath(), m_dir->path());
            QCOMPARE(dialog.nameFilters().size(), 4);
            QVERIFY(dialog.selectedNameFilter().startsWith(QStringLiteral("Initialization Files")));
            QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).fileName(),
                     QStringLiteral("untitled.txt"));
        }();
        return target;
    });
    // Save on an untitled Workspace is Save As.
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(runs, 1);
    QCOMPARE(TestFiles::readBytes(target), QByteArray("hello"));
    QVERIFY(!edit->untitled());
    QCOMPARE(edit->windowTitle(), QStringLiteral("Notes.md"));
    QCOMPARE(edit->statusPanels()->text(Bar::Path), target);
    QCOMPARE(m_host.lists.recentFiles(), QStringList{target});
    QCOMPARE(m_host.drops, 1);
    QCOMPARE(m_host.restores, 1);
    type(edit, QStringLiteral("!"));
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(runs, 1);
    QCOMPARE(TestFiles::readBytes(target), QByteArray("hello!"));
}

void TestTfrmEdit::saveAsUnderUntitledTxtIsTitled()
{
    TfrmEdit *edit = makeWorkspace();
    type(edit, QStringLiteral("x"));
    const QString target = m_dir->filePath(QStringLiteral("untitled.txt"));
    int runs = 0;
    edit->setSaveDialogRunner([&](QFileDialog &) {
        ++runs;
        return target;
    });
    QVERIFY(edit->mniSaveAsClick());
    QVERIFY(!edit->untitled());
    type(edit, QStringLiteral("y"));
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(runs, 1);
    QCOMPARE(TestFiles::readBytes(target), QByteArray("xy"));
}

void TestTfrmEdit::saveAsCancelledOrBadFilterIndex()
{
    TfrmEdit *edit = makeWorkspace();
    type(edit, QStringLiteral("x"));
    int runs = 0;
    edit->setSaveDialogRunner([&](QFileDialog &) {
        ++runs;
        return QString();
    });
    QVERIFY(!edit->mniSaveAsClick());
    QCOMPARE(runs, 1);
    QVERIFY(edit->untitled());
    QVERIFY(edit->document()->isModified());
    QVERIFY(m_errors.isEmpty());

    m_host.options->setFilterIndexText(QStringLiteral("two"));
    QVERIFY(!edit->mniSaveAsClick());
    QCOMPARE(runs, 1);
    QCOMPARE(m_errors, QStringList{QStringLiteral("'two' is not a valid integer value")});
}

void TestTfrmEdit::backups()
{
    const QString path = write(QStringLiteral("b.txt"), "first");
    const QString backup = m_dir->filePath(QStringLiteral("b.BAK"));
    TfrmEdit *edit = makeWorkspace();
    QVERIFY(edit->Open(path));
    type(edit, QStringLiteral("0"));
    QVERIFY(edit->mniSaveClick());
    QVERIFY(!QFile::exists(backup));

    m_host.options->setAutomaticBackups(true);
    type(edit, QStringLiteral("1"));
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(TestFiles::readBytes(backup), QByteArray("0first"));
    type(edit, QStringLiteral("2"));
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(TestFiles::readBytes(backup), QByteArray("0first"));
    QCOMPARE(TestFiles::readBytes(path), QByteArray("012first"));
}

// A shared script saved by a user who does not own it loses its set-group-ID bit to the write;
// the Workspace says so once the text is saved.
void TestTfrmEdit::saveTellsWhatTheFileCouldNotKeep()
{
    if (::geteuid() != 0)
        QSKIP("Only root can give a file to another user.");
    // The Workspace keeps its recovery journal where the tests' state is; the save, made by
    // the other user, needs a state folder of its own.
    TfrmEdit *edit = makeWorkspace();
    QTemporaryDir state;
    const QByteArray savedState = qgetenv("XDG_STATE_HOME");
    QVERIFY(SavedFiles::useStateFolder(state));
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0777) == 0);
    const QString path = write(QStringLiteral("shared.sh"), "echo old\n");
    QVERIFY(::chown(QFile::encodeName(path).constData(), OrdinaryUser::kSomeoneElse,
                    OrdinaryUser::kSomeoneElse)
            == 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 02777) == 0);
    QVERIFY(edit->Open(path));
    type(edit, QStringLiteral("#"));
    QString told;
    QMessageBox::StandardButtons buttons;
    edit->setQuestionRunner([&](QMessageBox &box) {
        told = box.text();
        buttons = box.standardButtons();
        return int(QMessageBox::Ok);
    });
    const int drops = m_host.drops;
    bool saved = false;
    {
        OrdinaryUser::Scope user;
        saved = edit->mniSaveClick();
    }
    qputenv("XDG_STATE_HOME", savedState);
    QVERIFY(saved);
    QCOMPARE(TestFiles::readBytes(path), QByteArray("#echo old\n"));
    QVERIFY(!edit->document()->isModified());
    QVERIFY(told.startsWith(QStringLiteral("Leafstack\n------------------\n")));
    QVERIFY2(told.endsWith(QStringLiteral("%1 was saved, but it could not keep its permissions.")
                                   .arg(path)),
             qPrintable(told));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(m_host.drops, drops + 1);
    QVERIFY(m_errors.isEmpty());
}

void TestTfrmEdit::closeQuestion_data()
{
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("modify");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs"); // "" cancels the dialog, "-" makes the save fail
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("onDisk");

    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    QTest::newRow("unchanged") << true << false << 0 << QString() << true << QByteArray("old");
    QTest::newRow("no drops the changes")
            << true << true << no << QString() << true << QByteArray("old");
    QTest::newRow("cancel keeps it open")
            << true << true << cancel << QString() << false << QByteArray("old");
    QTest::newRow("yes saves") << true << true << yes << QString() << true << QByteArray("new old");
    QTest::newRow("yes, untitled, Save As")
            << false << true << yes << QStringLiteral("saved.txt") << true << QByteArray("new ");
    QTest::newRow("yes, Save As cancelled")
            << false << true << yes << QString() << false << QByteArray();
    QTest::newRow("yes, save fails")
            << false << true << yes << QStringLiteral("-") << false << QByteArray();
}

void TestTfrmEdit::closeQuestion()
{
    QFETCH(bool, titled);
    QFETCH(bool, modify);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    QFETCH(QByteArray, onDisk);

    const QString path = write(QStringLiteral("c.txt"), "old");
    QPointer<TfrmEdit> edit = makeWorkspace();
    if (titled)
        QVERIFY(edit->Open(path));
    if (modify)
        type(edit, QStringLiteral("new "));
    QString asked;
    edit->setQuestionRunner([&](QMessageBox &box) {
        asked = box.text();
        return answer;
    });
    const QString target = saveAs == u'-'
            ? m_dir->filePath(QStringLiteral("no/such/dir.txt"))
            : (saveAs.isEmpty() ? QString() : m_dir->filePath(saveAs));
    edit->setSaveDialogRunner([&](QFileDialog &) { return target; });

    edit->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(edit.isNull(), closes);
    QCOMPARE(m_area->subWindowList().size(), closes ? 0 : 1);
    if (answer) {
        const QString name = titled ? QStringLiteral("c.txt") : QStringLiteral("untitled.txt");
        QCOMPARE(
                asked,
                QStringLiteral("Leafstack\n------------------\nSave Changes to '%1'\"?").arg(name));
    } else {
        QVERIFY(asked.isEmpty());
    }
    const QString written = titled ? path : target;
    if (!written.isEmpty() && !onDisk.isNull())
        QCOMPARE(TestFiles::readBytes(written), onDisk);
    QCOMPARE(m_errors.size(), saveAs == u'-' ? 1 : 0);
    if (!closes)
        QVERIFY(edit->document()->isModified());
}

void TestTfrmEdit::modifiedPanelMirrorsTheFlag()
{
    const QString path = write(QStringLiteral("m.txt"), "text");
    TfrmEdit *first = makeWorkspace();
    QVERIFY(first->Open(path));
    TfrmEdit *second = makeWorkspace();
    m_area->setActiveSubWindow(second);
    m_area->setActiveSubWindow(first);
    QCOMPARE(first->statusPanels()->text(Bar::Modified), QString());
    type(first, QStringLiteral("x"));
    QCOMPARE(first->statusPanels()->text(Bar::Modified), QStringLiteral("Modified"));
    first->document()->setModified(false);
    QCOMPARE(first->statusPanels()->text(Bar::Modified), QString());
}

void TestTfrmEdit::keyStatePanels()
{
    TfrmEdit *edit = makeWorkspace();
    Bar *bar = edit->statusPanels();
    QCOMPARE(bar->text(Bar::NumLock), QStringLiteral("NUM"));
    QCOMPARE(bar->text(Bar::CapsLock), QString());
    edit->setKeyLockReader([]() { return KeyLockState{false, true}; });
    edit->tmrKeyStateTimer();
    QCOMPARE(bar->text(Bar::NumLock), QString());
    QCOMPARE(bar->text(Bar::CapsLock), QStringLiteral("CAP"));
    edit->setKeyLockReader([]() { return KeyLockState{}; });
    edit->tmrKeyStateTimer();
    QCOMPARE(bar->text(Bar::CapsLock), QString());

    QTest::keyClick(edit->view(), Qt::Key_Insert);
    QCOMPARE(bar->text(Bar::Insert), QStringLiteral("OVR"));
    type(edit, QStringLiteral("ab"));
    edit->view()->setSelection(0, 0);
    type(edit, QStringLiteral("c"));
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("cb"));
    QTest::keyClick(edit->view(), Qt::Key_Insert);
    edit->tmrKeyStateTimer();
    QCOMPARE(bar->text(Bar::Insert), QStringLiteral("INS"));
}

void TestTfrmEdit::enabledStatesFollowTextAndSelection()
{
    TfrmEdit *edit = makeWorkspace();
    WorkspaceActions *a = edit->actions();
    edit->mmoMemoChange();
    QVERIFY(!a->mniSelectAll->isEnabled());
    QVERIFY(!a->mniConvert->isEnabled());
    type(edit, QStringLiteral("abc"));
    QVERIFY(a->mniSelectAll->isEnabled());
    QVERIFY(a->mniConvert->isEnabled());
    QVERIFY(a->mniFind->isEnabled());
    QVERIFY(!a->mniCut->isEnabled());
    a->mniSelectAll->trigger();
    QVERIFY(a->mniCut->isEnabled());
    QVERIFY(a->mniCopy->isEnabled());
    a->mniDelete->trigger();
    QCOMPARE(edit->document()->toPlainText(), QString());
    QVERIFY(!a->mniCut->isEnabled());
    QVERIFY(!a->mniSelectAll->isEnabled());
}

void TestTfrmEdit::menusForTheFrame()
{
    TfrmEdit *edit = makeWorkspace();
    QStringList titles;
    for (QMenu *menu : edit->mergedMenus())
        titles << menu->title();
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Character", "&Search"}));
    WorkspaceActions *a = edit->actions();
    // One action per command, shared by menu, popup and tool bar.
    QVERIFY(a->pumPopup->actions().contains(a->mniCut));
    QCOMPARE(a->barTool->FindItem("btnCut")->action(), a->mniCut);
    QVERIFY(a->mniEdit->actions().contains(a->mniCut));
    QCOMPARE(a->mniSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(a->mniSave->statusTip(), QStringLiteral("Save File"));
    QCOMPARE(a->mniSave->toolTip(), QStringLiteral("Save File"));
    QCOMPARE(a->mniCustomizeToolBar->statusTip(), QString());
    QCOMPARE(a->mniCustomizeToolBar->toolTip(), QStringLiteral("Customize Toolbar"));

    a->mniNew->trigger();
    a->mniOpen->trigger();
    a->mniExit->trigger();
    QCOMPARE(m_host.newChildren + m_host.openChildren + m_host.exits, 3);
}

void TestTfrmEdit::largeFileLoadsInTheBackground()
{
    QByteArray content;
    content.reserve(9 << 20);
    while (content.size() < (9 << 20))
        content += "A line of text that is long enough to make the file big quickly.\n";
    const QString path = write(QStringLiteral("big.txt"), content);
    TfrmEdit *edit = makeWorkspace();
    QSignalSpy finished(edit, &TfrmEdit::loadFinished);
    QVERIFY(edit->Open(path));
    if (finished.isEmpty()) {
        QVERIFY(edit->loading());
        QVERIFY(!edit->actions()->mniSave->isEnabled());
        QVERIFY(!edit->mniSaveClick());
        QVERIFY(edit->statusPanels()->progress() >= 0);
        QVERIFY(finished.wait(60000));
    }
    QVERIFY(!edit->loading());
    QVERIFY(edit->actions()->mniSave->isEnabled());
    QCOMPARE(edit->statusPanels()->progress(), -1);
    QCOMPARE(edit->document()->length(), content.size());
    QVERIFY(!edit->document()->isModified());
    type(edit, QStringLiteral("x"));
    QVERIFY(edit->mniSaveClick());
    QCOMPARE(TestFiles::readBytes(path), "x" + content);
}

void TestTfrmEdit::selectAllByKeyRefreshesTheEditItems()
{
    TfrmEdit *edit = makeWorkspace();
    WorkspaceActions *a = edit->actions();
    type(edit, QStringLiteral("abc"));
    QVERIFY(!a->mniCut->isEnabled());
    // The text takes Ctrl+A itself and the caret, at the end already, does not move.
    QTest::keyClick(edit->view(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(edit->view()->selectionLength(), 3);
    for (QAction *action : {a->mniCut, a->mniCopy, a->mniDelete})
        QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
    QVERIFY(a->barTool->FindItem("btnCut")->Enabled());
    // Any key released refreshes them, also one that changes nothing.
    QTest::keyClick(edit->view(), Qt::Key_Right);
    QVERIFY(!a->mniCut->isEnabled());
}

void TestTfrmEdit::goToLineKeepsWithinTheText()
{
    TfrmEdit *edit = makeWorkspace();
    TextView *control = edit->view();
    edit->document()->setPlainText(QStringLiteral("one\ntwo\nthree\nfour"));
    const auto caret = [&] {
        return edit->statusPanels()->text(Bar::Caret);
    };
    edit->goToLine(3);
    QCOMPARE(control->selectionStart(), 8);
    QCOMPARE(control->selectionLength(), 0);
    QCOMPARE(caret(), QStringLiteral("3:1"));
    edit->goToLine(0);
    QCOMPARE(caret(), QStringLiteral("1:1"));
    edit->goToLine(1'000'000'000'000);
    QCOMPARE(caret(), QStringLiteral("4:1"));

    // The dialog offers the caret's line, within the text's lines.
    control->setSelection(5, 0);
    int asked = 0;
    edit->goToLineCommand()->setDialogRunner([&](GoToLineDialog &dialog) {
        ++asked;
        [&] {
            QCOMPARE(m_host.depth, 1);
            QCOMPARE(dialog.lineBox()->value(), 2);
            QCOMPARE(dialog.lineBox()->minimum(), 1);
            QCOMPARE(dialog.lineBox()->maximum(), 4);
        }();
        dialog.lineBox()->setValue(asked == 1 ? 4 : 1);
        return asked == 1;
    });
    edit->actions()->mniGoToLine->trigger();
    QCOMPARE(caret(), QStringLiteral("4:1"));
    control->setSelection(5, 0);
    edit->actions()->mniGoToLine->trigger(); // cancelled: the caret stays
    QCOMPARE(caret(), QStringLiteral("2:2"));
    QCOMPARE(asked, 2);
}

void TestTfrmEdit::goToLineWaitsForTheText()
{
    QByteArray content;
    for (int i = 1; content.size() < (9 << 20); ++i)
        content += "line " + QByteArray::number(i) + " of a file that loads in the background\n";
    const QString path = write(QStringLiteral("long.txt"), content);
    TfrmEdit *edit = makeWorkspace();
    QSignalSpy finished(edit, &TfrmEdit::loadFinished);
    QVERIFY(edit->Open(path));
    QVERIFY(edit->loading());
    edit->goToLine(150000);
    // The dialog is not offered over half a text.
    edit->goToLineCommand()->setDialogRunner([](GoToLineDialog &) {
        [] {
            QFAIL("Go to Line asked while the text was loading");
        }();
        return false;
    });
    edit->actions()->mniGoToLine->trigger();
    QVERIFY(finished.wait(60000));
    QCOMPARE(edit->document()->lineOfOffset(edit->view()->selectionStart()), 149999);
    QCOMPARE(edit->view()->selectionStart(), edit->document()->lineStart(149999));
}

QTEST_MAIN(TestTfrmEdit)
#include "tst_tfrmedit.moc"
