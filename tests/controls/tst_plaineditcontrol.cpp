#include "controls/plaineditcontrol.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

class TestPlainEditControl : public QObject
{
    Q_OBJECT

private slots:
    void textComesBackUnchanged_data();
    void textComesBackUnchanged();
    void lineQueries();
    void selectionEditing();
    void displayOnlyChangesKeepTheFlag();
    void keys();
    void fileDropsAreLeftToTheFrame();
    void backgroundLoad();
    void closingWhileLoading();
};

void TestPlainEditControl::textComesBackUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("final break") << QStringLiteral("a\nb\n");
    QTest::newRow("blank lines") << QStringLiteral("\n\n\nx\n\n");
    QTest::newRow("tabs and spaces") << QStringLiteral("\tx  \t\n  ");
    QTest::newRow("no-break space") << QStringLiteral("a\u00A0b");
    QTest::newRow("line separator") << QStringLiteral("a\u2028b");
    QTest::newRow("non-BMP and controls") << QStringLiteral("\U0001F600 \x01\x1B\u00AD\u200B");
}

void TestPlainEditControl::textComesBackUnchanged()
{
    QFETCH(QString, text);
    PlainEditControl edit;
    edit.loadPlainText(text);
    QCOMPARE(edit.plainText(), text);
    QCOMPARE(edit.textLength(), text.size());
    QVERIFY(!edit.isModified());
    QCOMPARE(edit.selectionStart(), 0);
}

void TestPlainEditControl::lineQueries()
{
    PlainEditControl edit;
    edit.loadPlainText(QStringLiteral("ab\ncde\n\nf"));
    QCOMPARE(edit.lineOfOffset(0), 0);
    QCOMPARE(edit.lineOfOffset(2), 0);
    QCOMPARE(edit.lineOfOffset(3), 1);
    QCOMPARE(edit.lineOfOffset(7), 2);
    QCOMPARE(edit.lineOfOffset(8), 3);
    QCOMPARE(edit.lineOfOffset(99), 3);
    QCOMPARE(edit.lineStart(0), 0);
    QCOMPARE(edit.lineStart(1), 3);
    QCOMPARE(edit.lineStart(3), 8);
    QCOMPARE(edit.lineStart(4), -1);
}

void TestPlainEditControl::selectionEditing()
{
    PlainEditControl edit;
    edit.loadPlainText(QStringLiteral("one\ntwo"));
    edit.setSelection(2, 3);
    QCOMPARE(edit.selectionStart(), 2);
    QCOMPARE(edit.selectionLength(), 3);
    QCOMPARE(edit.selectedText(), QStringLiteral("e\nt"));
    edit.replaceSelection(QStringLiteral("E\r\nT"));
    QCOMPARE(edit.plainText(), QStringLiteral("onE\nTwo"));
    QVERIFY(edit.isModified());
    edit.setSelection(0, 2);
    edit.deleteSelection();
    QCOMPARE(edit.plainText(), QStringLiteral("E\nTwo"));
    edit.setModified(false);
    QVERIFY(!edit.isModified());
}

void TestPlainEditControl::displayOnlyChangesKeepTheFlag()
{
    PlainEditControl edit;
    edit.loadPlainText(QStringLiteral("left\nright\ncentre"));
    QSignalSpy changed(&edit, &EditControl::textChanged);
    edit.setParagraphAlignment(5, 8, EditControl::Alignment::Right);
    QCOMPARE(edit.paragraphAlignment(0), EditControl::Alignment::Left);
    QCOMPARE(edit.paragraphAlignment(6), EditControl::Alignment::Right);
    QCOMPARE(edit.paragraphAlignment(12), EditControl::Alignment::Right);
    edit.setHighlight(0, 4, Qt::red, Qt::yellow);
    QVERIFY(!edit.isModified());
    QCOMPARE(edit.plainText(), QStringLiteral("left\nright\ncentre"));
    // Typing right after the coloured range changes the text but not the range.
    edit.setSelection(4, 0);
    edit.replaceSelection(QStringLiteral("!"));
    QCOMPARE(edit.plainText(), QStringLiteral("left!\nright\ncentre"));
    edit.clearHighlight();
    QVERIFY(edit.isModified());
}

void TestPlainEditControl::keys()
{
    PlainEditControl edit;
    QSignalSpy overwrite(&edit, &EditControl::overwriteModeChanged);
    QWidget *view = edit.focusProxy();
    QTest::keyClicks(view, QStringLiteral("ab"));
    QTest::keyClick(view, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(edit.plainText(), QStringLiteral("ab\n\t"));
    QTest::keyClick(view, Qt::Key_Insert);
    QVERIFY(edit.overwriteMode());
    QCOMPARE(overwrite.size(), 1);
    edit.setSelection(0, 0);
    QTest::keyClicks(view, QStringLiteral("X"));
    QCOMPARE(edit.plainText(), QStringLiteral("Xb\n\t"));
    edit.setOverwriteMode(false);
    QCOMPARE(overwrite.size(), 2);
}

void TestPlainEditControl::fileDropsAreLeftToTheFrame()
{
    PlainEditControl edit;
    QWidget *view = edit.focusProxy();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
    files.setText(QStringLiteral("/tmp/a.txt"));
    QDragEnterEvent fileEnter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(
            view->findChild<QWidget *>(QStringLiteral("qt_scrollarea_viewport")), &fileEnter);
    QVERIFY(!fileEnter.isAccepted());

    QMimeData text;
    text.setText(QStringLiteral("words"));
    QDragEnterEvent textEnter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(
            view->findChild<QWidget *>(QStringLiteral("qt_scrollarea_viewport")), &textEnter);
    QVERIFY(textEnter.isAccepted());
}

void TestPlainEditControl::backgroundLoad()
{
    PlainEditControl edit;
    edit.setAsyncThreshold(10);
    QString text;
    for (int i = 0; i < 200000; ++i)
        text += QStringLiteral("line %1\n").arg(i);
    QSignalSpy finished(&edit, &EditControl::loadFinished);
    QSignalSpy progress(&edit, &EditControl::loadProgress);
    edit.loadPlainText(text);
    QVERIFY(edit.loading());
    QCOMPARE(edit.textLength(), 0);
    QVERIFY(finished.wait(30000));
    QVERIFY(!edit.loading());
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).toInt(), 100);
    QCOMPARE(edit.plainText(), text);
    QVERIFY(!edit.isModified());
    QCOMPARE(edit.lineOfOffset(text.size()), 200000);
    QTest::keyClicks(edit.focusProxy(), QStringLiteral("x"));
    QVERIFY(edit.isModified());
    QCOMPARE(edit.textLength(), text.size() + 1);
}

void TestPlainEditControl::closingWhileLoading()
{
    QString text(3 << 20, u'a');
    for (qsizetype i = 80; i < text.size(); i += 80)
        text[i] = u'\n';
    auto *edit = new PlainEditControl;
    edit->setAsyncThreshold(10);
    edit->loadPlainText(text);
    // A second load replaces the first; destroying the control stops the worker.
    edit->loadPlainText(text);
    QVERIFY(edit->loading());
    delete edit;
}

QTEST_MAIN(TestPlainEditControl)
#include "tst_plaineditcontrol.moc"
