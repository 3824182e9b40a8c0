#include "fakeworkspacehost.h"

#include "base/programmessage.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "workspace/ui/finddialog.h"
#include "workspace/ui/replacedialog.h"
#include "workspace/ui/searchcontroller.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// What a message box showed.
struct Shown
{
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

using Selection = QPair<qsizetype, qsizetype>;

} // namespace

class TestSearchCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void findDialogControls();
    void replaceDialogControls();
    void returnAndEscapeInTheDialog();
    void findCommandShowsTheDialog();
    void findNextSelectsAndColoursTheHits();
    void findNextBeforeAnyFind();
    void findNextUsesTheClosedDialog();
    void copyFollowsTheText();
    void replaceThenReplaceAll();
    void replaceHonoursMatchCase();
    void replaceTextLineBreaks();
    void undoOfReplaceAll();
    void bulkReplaceInTheDocument();
    void workspaceCommands();

private:
    Selection selection() const { return {m_view->selectionStart(), m_view->selectionLength()}; }
    QList<Selection> blueRanges() const;
    template<typename T>
    T *child(QWidget *dialog, const char *name) const
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }

    QWidget *m_owner = nullptr;
    TextDocument *m_doc = nullptr;
    TextView *m_view = nullptr;
    WorkspaceActions *m_actions = nullptr;
    SearchController *m_search = nullptr;
    FakeWorkspaceHost m_host;
    QList<Shown> m_shown;
};

void TestSearchCommands::init()
{
    m_host = FakeWorkspaceHost();
    m_owner = new QWidget;
    m_owner->resize(500, 300);
    m_doc = new TextDocument(m_owner);
    m_view = new TextView(m_doc, m_owner);
    m_view->resize(500, 300);
    m_actions = new WorkspaceActions(m_owner, m_host.frameCommands());
    m_search = new SearchController(m_view, m_actions, &m_host, m_owner);
    m_shown.clear();
    m_search->setMessageRunner([this](QMessageBox &box) {
        m_shown.append({box.windowTitle(), box.text(), box.icon(), box.standardButtons()});
        return int(QMessageBox::Ok);
    });
    m_owner->show();
}

void TestSearchCommands::cleanup()
{
    delete m_owner;
    QCOMPARE(m_host.depth, 0);
}

// The hits marked, drawn in the view's hit colour, blue unless the palette asks otherwise.
QList<Selection> TestSearchCommands::blueRanges() const
{
    QList<Selection> ranges;
    for (const TextDocument::Highlight &mark : m_doc->highlights())
        ranges.append({mark.start, mark.length});
    return ranges;
}

void TestSearchCommands::findDialogControls()
{
    FindDialog *dialog = m_search->findDialog();
    QCOMPARE(dialog->objectName(), u"dlgFind"_qs);
    QCOMPARE(dialog->windowTitle(), u"Find"_qs);
    QCOMPARE(dialog->options(), SearchOptions(SearchOption::Down));
    QCOMPARE(child<QLineEdit>(dialog, "edtFindWhat")->maxLength(), 255);
    QCOMPARE(child<QCheckBox>(dialog, "chkWholeWord")->text(), u"Match &whole word only"_qs);
    QCOMPARE(child<QCheckBox>(dialog, "chkMatchCase")->text(), u"Match &case"_qs);
    QVERIFY(child<QRadioButton>(dialog, "rbtDown")->isChecked());
    QVERIFY(!child<QPushButton>(dialog, "btnReplace"));
    QPushButton *findNext = child<QPushButton>(dialog, "btnFindNext");
    QCOMPARE(findNext->text(), u"&Find Next"_qs);
    QVERIFY(findNext->isDefault());
    QVERIFY(!findNext->isEnabled());
    dialog->setFindText(u"x"_qs);
    QVERIFY(findNext->isEnabled());

    child<QRadioButton>(dialog, "rbtUp")->setChecked(true);
    child<QCheckBox>(dialog, "chkWholeWord")->setChecked(true);
    child<QCheckBox>(dialog, "chkMatchCase")->setChecked(true);
    QCOMPARE(dialog->options(), SearchOption::WholeWord | SearchOption::MatchCase);
}

void TestSearchCommands::replaceDialogControls()
{
    ReplaceDialog *dialog = m_search->replaceDialog();
    QCOMPARE(dialog->objectName(), u"dlgReplace"_qs);
    QCOMPARE(dialog->windowTitle(), u"Replace"_qs);
    QVERIFY(dialog->findChildren<QRadioButton *>().isEmpty());
    QCOMPARE(child<QLineEdit>(dialog, "edtReplaceWith")->maxLength(), 255);
    QPushButton *replace = child<QPushButton>(dialog, "btnReplace");
    QPushButton *replaceAll = child<QPushButton>(dialog, "btnReplaceAll");
    QCOMPARE(replace->text(), u"&Replace"_qs);
    QCOMPARE(replaceAll->text(), u"Replace &All"_qs);
    QVERIFY(!replace->isEnabled() && !replaceAll->isEnabled());
    dialog->setFindText(u"x"_qs);
    QVERIFY(replace->isEnabled() && replaceAll->isEnabled());

    // Each button leaves its bit in the option set until another is pressed; always down.
    QSignalSpy replaced(dialog, &ReplaceDialog::replace);
    replace->click();
    QCOMPARE(dialog->options(), SearchOption::Down | SearchOption::Replace);
    replaceAll->click();
    QCOMPARE(dialog->options(), SearchOption::Down | SearchOption::ReplaceAll);
    child<QPushButton>(dialog, "btnFindNext")->click();
    QCOMPARE(dialog->options(), SearchOptions(SearchOption::Down));
    QCOMPARE(replaced.size(), 2);
}

void TestSearchCommands::returnAndEscapeInTheDialog()
{
    FindDialog *dialog = m_search->findDialog();
    QSignalSpy findNext(dialog, &SearchDialog::findNext);
    dialog->popUp();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QLineEdit *edit = child<QLineEdit>(dialog, "edtFindWhat");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(findNext.size(), 0); // nothing to find yet
    QTest::keyClicks(edit, u"abc"_qs);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(findNext.size(), 1);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->findText(), u"abc"_qs);
}

void TestSearchCommands::findCommandShowsTheDialog()
{
    m_doc->setPlainText(u"text"_qs);
    m_actions->mniFindNext->setEnabled(false);
    m_search->btnFindClick();
    FindDialog *dialog = m_search->findDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(m_actions->mniFindNext->isEnabled());
    QCOMPARE(m_host.drops, 1);
    QCOMPARE(m_host.restores, 1);
    // Again: the same dialog comes to the front with its text selected, ready to be typed over.
    dialog->setFindText(u"abc"_qs);
    m_search->btnFindClick();
    QCOMPARE(m_owner->findChildren<FindDialog *>().size(), 1);
    QCOMPARE(child<QLineEdit>(dialog, "edtFindWhat")->selectedText(), u"abc"_qs);

    m_search->mniReplaceClick();
    QVERIFY(m_search->replaceDialog()->isVisible());
    QCOMPARE(m_host.drops, 3);
}

void TestSearchCommands::findNextSelectsAndColoursTheHits()
{
    m_doc->setPlainText(u"one two\nOne two"_qs);
    FindDialog *dialog = m_search->findDialog();
    dialog->setFindText(u"one"_qs);
    m_search->Find(dialog);
    QCOMPARE(selection(), Selection(0, 3));
    m_search->Find(dialog);
    QCOMPARE(selection(), Selection(8, 3));
    QVERIFY(m_shown.isEmpty());
    m_search->Find(dialog);
    QCOMPARE(selection(), Selection(8, 3));
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].title, u"Leafstack"_qs);
    QCOMPARE(m_shown[0].text, u"Leafstack\n------------------\nCannot find \"one\"."_qs);
    QCOMPARE(m_shown[0].icon, QMessageBox::Information);
    QCOMPARE(m_shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // The colour is for display only: no change, no undo step.
    QCOMPARE(blueRanges(), (QList<Selection>{{0, 3}, {8, 3}}));
    QVERIFY(!m_doc->isModified());
    QVERIFY(!m_doc->canUndo());
    QCOMPARE(m_doc->toPlainText(), u"one two\nOne two"_qs);

    // The hits stay blue while the user goes on, and what is typed next is not.
    m_view->setSelection(3, 0);
    QTest::keyClicks(m_view, u"s"_qs);
    QCOMPARE(m_doc->toPlainText(), u"ones two\nOne two"_qs);
    QCOMPARE(blueRanges(), (QList<Selection>{{0, 3}, {9, 3}}));
    m_doc->setPlainText(u"one"_qs);
    QVERIFY(blueRanges().isEmpty());
}

void TestSearchCommands::findNextBeforeAnyFind()
{
    m_doc->setPlainText(u"some text"_qs);
    m_view->setSelection(2, 0);
    m_search->mniFindNextClick();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].text,
             ProgramMessage::toDisplay(u"Leafstack\r------------------\r"
                                       u"Cannot find \"\"."_qs));
    QCOMPARE(selection(), Selection(2, 0));
    QCOMPARE(m_host.depth, 0);
    QCOMPARE(m_host.drops, 1);
}

void TestSearchCommands::findNextUsesTheClosedDialog()
{
    m_doc->setPlainText(u"cat concat cat Cat"_qs);
    FindDialog *dialog = m_search->findDialog();
    m_search->btnFindClick();
    dialog->setFindText(u"cat"_qs);
    child<QRadioButton>(dialog, "rbtUp")->setChecked(true);
    child<QCheckBox>(dialog, "chkWholeWord")->setChecked(true);
    child<QCheckBox>(dialog, "chkMatchCase")->setChecked(true);
    child<QPushButton>(dialog, "btnCancel")->click();
    QVERIFY(!dialog->isVisible());
    m_view->setSelection(m_doc->length(), 0);
    m_search->mniFindNextClick();
    QCOMPARE(selection(), Selection(11, 3));
    m_search->mniFindNextClick();
    QCOMPARE(selection(), Selection(0, 3));
    QVERIFY(m_shown.isEmpty());
}

// The search copies the text once and keeps the copy while the text stays as it is; every
// change, typed or loaded, must be seen by the next search.
void TestSearchCommands::copyFollowsTheText()
{
    m_doc->setPlainText(u"abc"_qs);
    FindDialog *dialog = m_search->findDialog();
    dialog->setFindText(u"x"_qs);
    m_search->Find(dialog);
    QCOMPARE(m_shown.size(), 1);
    m_view->setSelection(1, 0);
    QTest::keyClicks(m_view, u"x"_qs);
    m_view->setSelection(0, 0);
    m_search->Find(dialog);
    QCOMPARE(selection(), Selection(1, 1));
    QTest::keyClick(m_view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_doc->toPlainText(), u"abc"_qs);
    m_view->setSelection(0, 0);
    m_search->Find(dialog);
    QCOMPARE(m_shown.size(), 2);
    m_doc->setPlainText(u"yyx"_qs);
    m_search->Find(dialog);
    QCOMPARE(selection(), Selection(2, 1));
    QCOMPARE(m_shown.size(), 2);
}

void TestSearchCommands::replaceThenReplaceAll()
{
    m_doc->setPlainText(u"abc ABC\nabc xabc abc"_qs);
    m_search->mniReplaceClick();
    ReplaceDialog *dialog = m_search->replaceDialog();
    dialog->setFindText(u"abc"_qs);
    dialog->setReplaceText(u"xy"_qs);
    QPushButton *replace = child<QPushButton>(dialog, "btnReplace");
    // Nothing selected yet: the first press only selects the first occurrence.
    replace->click();
    QCOMPARE(m_doc->toPlainText(), u"abc ABC\nabc xabc abc"_qs);
    QCOMPARE(selection(), Selection(0, 3));
    replace->click();
    QCOMPARE(m_doc->toPlainText(), u"xy ABC\nabc xabc abc"_qs);
    QCOMPARE(selection(), Selection(3, 3));
    QVERIFY(m_doc->isModified());

    child<QPushButton>(dialog, "btnReplaceAll")->click();
    QCOMPARE(m_doc->toPlainText(), u"xy xy\nxy xxy xy"_qs);
    QCOMPARE(selection(), Selection(15, 0));
    QVERIFY(m_shown.isEmpty()); // Replace All ends without a word

    replace->click();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].title, u"Leafstack"_qs);
    QCOMPARE(m_shown[0].text, u"Cannot find \"abc\"."_qs);
    QCOMPARE(m_shown[0].icon, QMessageBox::NoIcon);
    QCOMPARE(m_host.depth, 0);

    // Find Next in the replace dialog is the Find command: the message has the header.
    child<QPushButton>(dialog, "btnFindNext")->click();
    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown[1].text, u"Leafstack\n------------------\nCannot find \"abc\"."_qs);
    QCOMPARE(m_shown[1].icon, QMessageBox::Information);
}

void TestSearchCommands::replaceHonoursMatchCase()
{
    m_doc->setPlainText(u"ABC abc"_qs);
    ReplaceDialog *dialog = m_search->replaceDialog();
    dialog->setFindText(u"abc"_qs);
    dialog->setReplaceText(u"x"_qs);
    child<QCheckBox>(dialog, "chkMatchCase")->setChecked(true);
    m_view->setSelection(0, 3);
    child<QPushButton>(dialog, "btnReplace")->click();
    QCOMPARE(m_doc->toPlainText(), u"ABC abc"_qs);
    QCOMPARE(selection(), Selection(4, 3));
    QVERIFY(!m_doc->isModified());
}

// The document keeps one character for any kind of line break; a replacement holding breaks
// must leave the selection where the text really is.
void TestSearchCommands::replaceTextLineBreaks()
{
    m_doc->setPlainText(u"a--b"_qs);
    ReplaceDialog *dialog = m_search->replaceDialog();
    dialog->setFindText(u"-"_qs);
    child<QLineEdit>(dialog, "edtReplaceWith")->insert(u"\r\n"_qs);
    QCOMPARE(dialog->replaceText(), u"\r\n"_qs);
    m_view->setSelection(1, 1);
    child<QPushButton>(dialog, "btnReplace")->click();
    QCOMPARE(m_doc->toPlainText(), u"a\n-b"_qs);
    QCOMPARE(selection(), Selection(2, 1));
    child<QPushButton>(dialog, "btnReplaceAll")->click();
    QCOMPARE(m_doc->toPlainText(), u"a\n\nb"_qs);
    QCOMPARE(selection(), Selection(3, 0));
    QVERIFY(m_shown.isEmpty());
}

void TestSearchCommands::undoOfReplaceAll()
{
    const QString text = u"Lorem ipsum\ndolor ipsum sit\n\nIPSUM amet ipsum"_qs;
    m_doc->setPlainText(text);
    FindDialog *find = m_search->findDialog();
    find->setFindText(u"ipsum"_qs);
    m_search->Find(find);
    m_search->Find(find);
    QCOMPARE(selection(), Selection(18, 5));
    ReplaceDialog *dialog = m_search->replaceDialog();
    dialog->setFindText(u"ipsum"_qs);
    dialog->setReplaceText(u"lorem\nipsum"_qs);
    child<QPushButton>(dialog, "btnReplaceAll")->click();
    const QString replaced =
            u"Lorem ipsum\ndolor lorem\nipsum sit\n\nlorem\nipsum amet lorem\nipsum"_qs;
    QCOMPARE(m_doc->toPlainText(), replaced);
    QVERIFY(m_doc->isModified());

    // One undo step takes back the whole of it, and the selection comes back too.
    QTest::keyClick(m_view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_doc->toPlainText(), text);
    QTRY_COMPARE(selection(), Selection(18, 5));
    QVERIFY(!m_doc->isModified());
    QVERIFY(!m_doc->canUndo());
    QTest::keyClick(m_view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_doc->toPlainText(), replaced);
    QVERIFY(m_doc->isModified());
}

void TestSearchCommands::bulkReplaceInTheDocument()
{
    m_doc->setPlainText(u"ab\ncd\nef"_qs);
    m_view->setSelection(4, 1);
    m_doc->replaceAll({}, 1, u"x"_qs, m_view->selection(), m_view->selection());
    QVERIFY(!m_doc->canUndo());
    m_doc->replaceAll({0, 2, 7}, 1, u"<\n>"_qs, m_view->selection(), {});
    QCOMPARE(m_doc->toPlainText(), u"<\n>b<\n>cd\ne<\n>"_qs);
    m_doc->replaceAll({0}, 3, QString(), {}, {});
    QCOMPARE(m_doc->toPlainText(), u"b<\n>cd\ne<\n>"_qs);
    m_view->undo();
    m_view->undo();
    QCOMPARE(m_doc->toPlainText(), u"ab\ncd\nef"_qs);
    QTRY_COMPARE(selection(), Selection(4, 1));
    QVERIFY(!m_doc->canUndo());
}

// The Search commands of a real Workspace reach its own dialogs and text.
void TestSearchCommands::workspaceCommands()
{
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    auto *workspace = new TfrmEdit(m_host.services());
    area.addSubWindow(workspace);
    workspace->show();
    // Shortcuts reach the active window only.
    area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    WorkspaceActions *actions = workspace->actions();
    SearchController *search = workspace->search();
    search->setMessageRunner([this](QMessageBox &box) {
        m_shown.append({box.windowTitle(), box.text(), box.icon(), box.standardButtons()});
        return int(QMessageBox::Ok);
    });
    workspace->mmoMemoChange();
    QVERIFY(!actions->mniFind->isEnabled());
    QWidget *text = workspace->view();
    QTest::keyClicks(text, u"alpha beta alpha"_qs);
    for (QAction *action : {actions->mniFind, actions->mniFindNext, actions->mniReplace})
        QVERIFY(action->isEnabled());

    workspace->view()->setSelection(0, 0);
    QTest::keyClick(text, Qt::Key_F3);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].text, u"Leafstack\n------------------\nCannot find \"\"."_qs);

    actions->mniFind->trigger();
    QVERIFY(search->findDialog()->isVisible());
    search->findDialog()->setFindText(u"alpha"_qs);
    search->findDialog()->close();
    QTest::keyClick(text, Qt::Key_F3);
    QCOMPARE(workspace->view()->selectionStart(), 0);
    QTest::keyClick(text, Qt::Key_F3);
    QCOMPARE(workspace->view()->selectionStart(), 11);
    QVERIFY(actions->mniCopy->isEnabled());

    actions->mniReplace->trigger();
    QVERIFY(search->replaceDialog()->isVisible());
    QCOMPARE(search->replaceDialog()->parentWidget(), workspace);
    QCOMPARE(m_host.depth, 0);
    workspace->closeWithoutQuery();
}

QTEST_MAIN(TestSearchCommands)
#include "tst_searchcommands.moc"
