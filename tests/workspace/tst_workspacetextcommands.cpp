#include "fakeworkspacehost.h"

#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "format/clock.h"
#include "format/formatsettings.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspacestatusbar.h"
#include "workspace/ui/workspacetextcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {
class FixedClock : public Clock
{
public:
    QDateTime moment;
    QDateTime localNow() const override { return moment; }
};

using Align = TextAlignment;
} // namespace

class TestWorkspaceTextCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void caretPanel_data();
    void caretPanel();
    void clipboardCommands();
    void alignmentFollowsTheCaret();
    void alignmentItemsAndButtons();
    void wordWrapAndScrollBars();
    void fontDialog();
    void caseConversion_data();
    void caseConversion();
    void conversionIsOneUndoStepAndKeepsParagraphs();
    void capitalizeNeedsASelection();
    void dateTimeStamp_data();
    void dateTimeStamp();
    void emptyStampDeletesTheSelection();

private:
    TfrmEdit *makeWorkspace(const QString &text);

    QMdiArea *m_area = nullptr;
    FakeWorkspaceHost m_host;
    FixedClock m_clock;
};

void TestWorkspaceTextCommands::initTestCase()
{
    FormatSettings::setCurrent(FormatSettings());
    // Monday, 7 December 2026, 14:05:09.
    m_clock.moment = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9));
}

void TestWorkspaceTextCommands::init()
{
    m_area = new QMdiArea;
    m_area->resize(800, 600);
    m_area->show();
    m_host = FakeWorkspaceHost();
}

void TestWorkspaceTextCommands::cleanup()
{
    for (QMdiSubWindow *window : m_area->subWindowList())
        static_cast<TfrmEdit *>(window)->closeWithoutQuery();
    delete m_area;
}

TfrmEdit *TestWorkspaceTextCommands::makeWorkspace(const QString &text)
{
    auto *edit = new TfrmEdit(m_host.services());
    edit->setClock(&m_clock);
    m_area->addSubWindow(edit);
    edit->show();
    edit->document()->setPlainText(text);
    return edit;
}

// The alignment of the line that holds offset.
Align alignmentAt(TfrmEdit *edit, qsizetype offset)
{
    return edit->document()->alignment(edit->document()->lineOfOffset(offset));
}

void TestWorkspaceTextCommands::caretPanel_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("panel");
    QTest::newRow("start of the text") << 0 << "1:1";
    QTest::newRow("end of the first line") << 2 << "1:3";
    QTest::newRow("start of the second line") << 3 << "2:1";
    QTest::newRow("start of the third line") << 7 << "3:1";
    QTest::newRow("end of the text") << 9 << "3:3";
}

void TestWorkspaceTextCommands::caretPanel()
{
    QFETCH(int, offset);
    QFETCH(QString, panel);
    TfrmEdit *edit = makeWorkspace(QStringLiteral("ab\ncde\nfg"));
    edit->view()->setSelection(offset, 0);
    QCOMPARE(edit->statusPanels()->text(WorkspaceStatusBar::Caret), panel);
    // A selection counts from its start, whichever way it was made.
    edit->view()->setSelection(offset, 9 - offset);
    QCOMPARE(edit->statusPanels()->text(WorkspaceStatusBar::Caret), panel);
}

// Paste follows whether the clipboard offers plain text; cut, copy and delete the selection.
void TestWorkspaceTextCommands::clipboardCommands()
{
    TfrmEdit *edit = makeWorkspace(QStringLiteral("abcd"));
    WorkspaceActions *a = edit->actions();
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("XY"));
    QTRY_VERIFY(a->mniPaste->isEnabled());
    auto *image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG"));
    clipboard->setMimeData(image);
    QTRY_VERIFY(!a->mniPaste->isEnabled());
    QVERIFY(!a->mniCut->isEnabled() && !a->mniCopy->isEnabled() && !a->mniDelete->isEnabled());
    edit->view()->setSelection(1, 2);
    QVERIFY(a->mniCut->isEnabled() && a->mniCopy->isEnabled() && a->mniDelete->isEnabled());
    a->mniCut->trigger();
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("ad"));
    QTRY_VERIFY(a->mniPaste->isEnabled());
}

void TestWorkspaceTextCommands::alignmentFollowsTheCaret()
{
    TfrmEdit *edit = makeWorkspace(QStringLiteral("left\nright\ncentre"));
    WorkspaceActions *a = edit->actions();
    edit->document()->setAlignment(1, 1, Align::Right);
    edit->document()->setAlignment(2, 2, Align::Center);
    const QList<QPair<int, QAction *>> expected = {
            {2, a->mniLeft}, {7, a->mniRight}, {13, a->mniCenter}, {0, a->mniLeft}};
    for (const auto &[offset, item] : expected) {
        edit->view()->setSelection(offset, 0);
        for (QAction *other : {a->mniLeft, a->mniRight, a->mniCenter})
            QCOMPARE(other->isChecked(), other == item);
    }
}

void TestWorkspaceTextCommands::alignmentItemsAndButtons()
{
    TfrmEdit *edit = makeWorkspace(QStringLiteral("one\ntwo\nthree"));
    TextView *view = edit->view();
    WorkspaceActions *a = edit->actions();
    QToolButton right;
    right.setDefaultAction(a->mniRight);
    QVERIFY(a->mniLeft->isChecked());
    QVERIFY(!right.isChecked());

    // The menu item aligns the selected paragraphs, and no others.
    view->setSelection(1, 5);
    a->mniCenter->trigger();
    QVERIFY(a->mniCenter->isChecked() && !a->mniLeft->isChecked());
    QCOMPARE(alignmentAt(edit, 0), Align::Center);
    QCOMPARE(alignmentAt(edit, 4), Align::Center);
    QCOMPARE(alignmentAt(edit, 8), Align::Left);

    // The button presses, and stays down when clicked again, re-applying its alignment.
    view->setSelection(9, 0);
    QTest::mouseClick(&right, Qt::LeftButton);
    QVERIFY(right.isChecked() && a->mniRight->isChecked() && !a->mniCenter->isChecked());
    QCOMPARE(alignmentAt(edit, 9), Align::Right);
    edit->document()->setAlignment(2, 2, Align::Left);
    QTest::mouseClick(&right, Qt::LeftButton);
    QVERIFY(right.isChecked());
    QCOMPARE(alignmentAt(edit, 9), Align::Right);
    QCOMPARE(alignmentAt(edit, 0), Align::Center);
    // Alignment is for the eye only: the text is not modified by it, nor is it an edit.
    QVERIFY(!edit->document()->isModified());
    QVERIFY(!edit->document()->canUndo());
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("one\ntwo\nthree"));
}

void TestWorkspaceTextCommands::wordWrapAndScrollBars()
{
    TfrmEdit *edit = makeWorkspace(QString(500, u'x'));
    WorkspaceActions *a = edit->actions();
    TextView *text = edit->view();
    QVERIFY(a->mniWordWrap->isChecked());
    QVERIFY(edit->view()->wordWrap());
    QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    a->mniWordWrap->trigger();
    QVERIFY(!a->mniWordWrap->isChecked());
    QVERIFY(!edit->view()->wordWrap());
    QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QTRY_VERIFY(text->horizontalScrollBar()->maximum() > 0);

    edit->textCommands()->mniWordWrapClick();
    QVERIFY(a->mniWordWrap->isChecked());
    QVERIFY(edit->view()->wordWrap());
    QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestWorkspaceTextCommands::fontDialog()
{
    TfrmEdit *edit = makeWorkspace(QStringLiteral("text"));
    TextView *control = edit->view();
    const QFont before = control->textFont();
    QFont chosen(QStringLiteral("DejaVu Sans Mono"), 17);
    chosen.setUnderline(true);
    bool accept = false;
    edit->textCommands()->setFontDialogRunner([&](QFontDialog &dialog) {
        // The dialog starts from the control's font, with the frame out of the way.
        [&] {
            QCOMPARE(dialog.currentFont().family(), before.family());
            QCOMPARE(m_host.depth, 1);
        }();
        dialog.setCurrentFont(chosen);
        return accept;
    });
    edit->actions()->mniFont->trigger();
    QCOMPARE(control->textFont(), before);
    accept = true;
    edit->actions()->mniFont->trigger();
    QCOMPARE(m_host.depth, 0);
    QCOMPARE(control->textFont().pointSize(), 17);
    QVERIFY(control->textFont().underline());
    // What the stored settings keep.
    QCOMPARE(control->fontProperties()->property("Size").toInt(), 17);
    QCOMPARE(control->fontProperties()->property("Name").toString(), control->textFont().family());
}

void TestWorkspaceTextCommands::caseConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("expected");
    const QString mixed = QStringLiteral("ÄÖÜ Àbc Déf\nGHI é ß");
    QTest::newRow("lower, whole text")
            << mixed << 0 << 0 << "mniLowerCase" << QStringLiteral("ÄÖÜ Àbc déf\nghi é ß");
    QTest::newRow("upper, whole text")
            << mixed << 0 << 0 << "mniUpperCase" << QStringLiteral("ÄÖÜ ÀBC DéF\nGHI é ß");
    QTest::newRow("lower, selection")
            << QStringLiteral("ABC DEF") << 2 << 3 << "mniLowerCase" << QStringLiteral("ABc dEF");
    QTest::newRow("upper, selection over a break")
            << QStringLiteral("ab\ncd\nef") << 1 << 4 << "mniUpperCase"
            << QStringLiteral("aB\nCD\nef");
    QTest::newRow("capitalize") << QStringLiteral("hello world") << 0 << 11 << "mniCapitalize"
                                << QStringLiteral("Hello world");
    QTest::newRow("capitalize, accented first")
            << QStringLiteral("éa") << 0 << 2 << "mniCapitalize" << QStringLiteral("éa");
    QTest::newRow("capitalize, inside a word") << QStringLiteral("say hello") << 5 << 3
                                               << "mniCapitalize" << QStringLiteral("say hEllo");
}

void TestWorkspaceTextCommands::caseConversion()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, command);
    QFETCH(QString, expected);
    TfrmEdit *edit = makeWorkspace(text);
    edit->view()->setSelection(start, length);
    emit edit->actions()->mniConvert->aboutToShow();
    edit->actions()->findChild<QAction *>(command)->trigger();
    QCOMPARE(edit->document()->toPlainText(), expected);
    QCOMPARE(edit->document()->isModified(), expected != text);
    // The selection stays for the next conversion.
    QCOMPARE(edit->view()->selectionStart(), start);
    QCOMPARE(edit->view()->selectionLength(), length);
}

void TestWorkspaceTextCommands::conversionIsOneUndoStepAndKeepsParagraphs()
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("Line %1 of Mixed Case\n").arg(i);
    TfrmEdit *edit = makeWorkspace(text);
    TextDocument *doc = edit->document();
    doc->setAlignment(10, 10, Align::Right);
    edit->view()->setSelection(doc->lineStart(5), 0);
    edit->actions()->mniUpperCase->trigger();
    QCOMPARE(doc->toPlainText(), text.toUpper());
    QCOMPARE(doc->alignment(10), Align::Right);
    QCOMPARE(doc->alignment(11), Align::Left);
    QCOMPARE(edit->view()->selectionStart(), doc->lineStart(5));
    QCOMPARE(edit->statusPanels()->text(WorkspaceStatusBar::Modified), QStringLiteral("Modified"));
    edit->view()->undo();
    QCOMPARE(doc->toPlainText(), text);
    QVERIFY(!doc->isModified());
    QVERIFY(!doc->canUndo());

    // Converting what needs no change leaves the text unmodified, with nothing to undo.
    doc->setPlainText(QStringLiteral("already lower"));
    edit->actions()->mniLowerCase->trigger();
    QVERIFY(!doc->isModified());
    QVERIFY(!doc->canUndo());
}

void TestWorkspaceTextCommands::capitalizeNeedsASelection()
{
    TfrmEdit *edit = makeWorkspace(QStringLiteral("word"));
    WorkspaceActions *a = edit->actions();
    emit a->mniConvert->aboutToShow();
    QVERIFY(!a->mniCapitalize->isEnabled());
    QVERIFY(a->mniLowerCase->isEnabled() && a->mniUpperCase->isEnabled());
    edit->textCommands()->mniCapitalizeClick();
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("word"));
    edit->view()->setSelection(0, 2);
    emit a->mniConvert->aboutToShow();
    QVERIFY(a->mniCapitalize->isEnabled());
    a->mniCapitalize->trigger();
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("Word"));
    // The submenu is there only while there is text.
    edit->document()->setPlainText(QString());
    QVERIFY(!a->mniConvert->isEnabled());
}

void TestWorkspaceTextCommands::dateTimeStamp_data()
{
    QTest::addColumn<QString>("dateIndex");
    QTest::addColumn<QString>("timeIndex");
    QTest::addColumn<QString>("stamp");
    // What each row of the two tables gives at the fixed moment.
    const QStringList dates = {"12/7/26 2:05:09 pm", "12/7/26",           "December 7, 2026",
                               "Dec 7, 2026",        "December 7, 2026",  "7 Dec 2026",
                               "Mon Dec 7, 2026",    "Monday Dec 7, 2026"};
    const QStringList times = {"2:05 pm", "2:05:09 pm", "14:05", "2:05 pm"};
    for (int d = -1; d < dates.size(); ++d) {
        for (int t = -1; t < times.size(); ++t) {
            QString stamp;
            if (d >= 0 && t >= 0)
                stamp = dates[d] + " at " + times[t];
            else if (d >= 0)
                stamp = dates[d];
            else if (t >= 0)
                stamp = times[t];
            QTest::addRow("date %d, time %d", d, t)
                    << QString::number(d) << QString::number(t) << stamp;
        }
    }
    // Stored values no table row matches read as the default choice: date "c", no time.
    QTest::newRow("date 8") << "8"
                            << "2" << (dates[0] + " at 14:05");
    QTest::newRow("date -2") << "-2"
                             << "-1" << dates[0];
    QTest::newRow("time 4") << "3"
                            << "4" << dates[3];
    QTest::newRow("not a number") << "x"
                                  << " 1" << dates[0];
}

void TestWorkspaceTextCommands::dateTimeStamp()
{
    QFETCH(QString, dateIndex);
    QFETCH(QString, timeIndex);
    QFETCH(QString, stamp);
    m_host.options->setDateIndexText(dateIndex);
    m_host.options->setTimeIndexText(timeIndex);
    TfrmEdit *edit = makeWorkspace(QStringLiteral("[]"));
    edit->view()->setSelection(1, 0);
    edit->actions()->mniDateTime->trigger();
    QCOMPARE(edit->document()->toPlainText(), u'[' + stamp + u']');
    QCOMPARE(edit->actions()->mniDateTime->shortcut(), QKeySequence(Qt::Key_F5));
}

void TestWorkspaceTextCommands::emptyStampDeletesTheSelection()
{
    m_host.options->setDateIndexText(QStringLiteral("-1"));
    m_host.options->setTimeIndexText(QStringLiteral("-1"));
    TfrmEdit *edit = makeWorkspace(QStringLiteral("abcd"));
    edit->view()->setSelection(1, 2);
    edit->actions()->mniDateTime->trigger();
    QCOMPARE(edit->document()->toPlainText(), QStringLiteral("ad"));
    QCOMPARE(edit->view()->selectionStart(), 1);
}

QTEST_MAIN(TestWorkspaceTextCommands)
#include "tst_workspacetextcommands.moc"
