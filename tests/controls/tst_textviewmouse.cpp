#include "textviewfixture.h"

#include "controls/ui/textclipboard.h"
#include "controls/ui/textselectionmime.h"

#include <QAbstractEventDispatcher>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>

// The mouse over a text view, the primary selection and drops, with points taken from the
// view's own character rectangles.
class TestTextViewMouse : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void clickPutsTheCaret_data();
    void clickPutsTheCaret();
    void doubleAndTripleClick();
    void dragSelects();
    void shiftClickExtends();
    void dragBeyondTheEdgeScrolls();
    void wheelScrollsByRows_data();
    void wheelScrollsByRows();
    void rightClickAsksForAMenu();
    void primarySelectionAndMiddleClick();
    void largePrimarySelectionIsReadWhenAsked();
    void textDropsGoWhereTheyFall();
    void fileDropsAreLeftToTheWindow();
};

namespace {

const QString kText = u"alpha beta gamma\nsecond line here\nthird"_qs;

// A drop as the window system delivers it, from outside the view.
bool drop(TextViewFixture &f, QMimeData *data, const QPoint &pos)
{
    QDragEnterEvent enter(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent event(QPointF(pos), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.viewport(), &event);
    return event.isAccepted();
}

} // namespace

void TestTextViewMouse::init()
{
    // This platform has no primary selection: the clipboard stands in for it.
    TextClipboard::overrideSelectionMode(QClipboard::Clipboard);
    QGuiApplication::clipboard()->clear();
}

void TestTextViewMouse::cleanup()
{
    TextClipboard::overrideSelectionMode(std::nullopt);
}

void TestTextViewMouse::clickPutsTheCaret_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("alignment");
    QTest::newRow("unwrapped") << false << int(TextAlignment::Left);
    QTest::newRow("wrapped") << true << int(TextAlignment::Left);
    QTest::newRow("right-aligned") << true << int(TextAlignment::Right);
    QTest::newRow("centred, unwrapped") << false << int(TextAlignment::Center);
}

void TestTextViewMouse::clickPutsTheCaret()
{
    QFETCH(bool, wrap);
    QFETCH(int, alignment);
    TextViewFixture f(kText, wrap);
    f.document.setAlignment(0, 2, TextAlignment(alignment));
    QVERIFY(f.show());
    QSignalSpy interacted(&f.view, &TextView::userInteracted);
    for (const qsizetype offset : {0, 7, 16, 17, 25, 38}) {
        f.click(f.pointBefore(offset));
        QCOMPARE(f.view.selection(), TextSelection::caret(offset));
    }
    QCOMPARE(interacted.count(), 6);
    // Beyond a line's end the caret goes to its end; below the text to the last line.
    const QRect end = f.view.characterRect(15);
    f.click(QPoint(f.viewport()->width() - 2, end.center().y()));
    QCOMPARE(f.view.selection(), TextSelection::caret(16));
    f.click(QPoint(f.pointOf(34).x(), f.viewport()->height() - 2));
    QCOMPARE(f.view.selection(), TextSelection::caret(34));
}

void TestTextViewMouse::doubleAndTripleClick()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    f.doubleClick(f.pointOf(7));
    QCOMPARE(f.view.selection(), (TextSelection{6, 10}));
    QCOMPARE(f.view.selectedText(), u"beta"_qs);
    // A third click soon after selects the line.
    f.click(f.pointOf(7));
    QCOMPARE(f.view.selection(), (TextSelection{0, 16}));
    // Dragging after a double click extends word by word.
    f.click(f.pointOf(19));
    f.mouse(QEvent::MouseButtonDblClick, f.pointOf(19), Qt::LeftButton, Qt::LeftButton);
    f.mouse(QEvent::MouseMove, f.pointOf(36), Qt::NoButton, Qt::LeftButton);
    f.release(f.pointOf(36));
    QCOMPARE(f.view.selection(), (TextSelection{17, 39}));
}

void TestTextViewMouse::dragSelects()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    f.drag(f.pointBefore(2), f.pointBefore(20));
    QCOMPARE(f.view.selection(), (TextSelection{2, 20}));
    // Backwards, and on into a row below the text: it ends at the end.
    f.drag(f.pointBefore(20), f.pointBefore(6));
    QCOMPARE(f.view.selection(), (TextSelection{20, 6}));
    f.click(f.pointBefore(0));
    f.drag(f.pointBefore(6), QPoint(5, f.viewport()->height() + 40));
    QCOMPARE(f.view.selection().anchor, 6);
    QVERIFY(f.view.selection().position >= 34);
}

void TestTextViewMouse::shiftClickExtends()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    f.click(f.pointBefore(6));
    f.click(f.pointBefore(22), Qt::ShiftModifier);
    QCOMPARE(f.view.selection(), (TextSelection{6, 22}));
    f.click(f.pointBefore(2), Qt::ShiftModifier);
    QCOMPARE(f.view.selection(), (TextSelection{6, 2}));
    // A click inside the selection without a drag puts the caret there.
    f.click(f.pointBefore(4));
    QCOMPARE(f.view.selection(), TextSelection::caret(4));
}

void TestTextViewMouse::dragBeyondTheEdgeScrolls()
{
    TextViewFixture f(numberedLines(100), true, {300, 150});
    QVERIFY(f.show());
    f.press(f.pointBefore(8));
    const QPoint below(20, f.viewport()->height() + 30);
    f.mouse(QEvent::MouseMove, below, Qt::NoButton, Qt::LeftButton);
    // The scrolling timer, beside the caret's.
    const auto timersOf = [&f] {
        QList<QAbstractEventDispatcher::TimerInfo> timers =
                QAbstractEventDispatcher::instance()->registeredTimers(&f.view);
        std::sort(timers.begin(), timers.end(),
                  [](const auto &a, const auto &b) { return a.interval < b.interval; });
        return timers;
    };
    const QList<QAbstractEventDispatcher::TimerInfo> timers = timersOf();
    QCOMPARE(timers.size(), 2);
    const int top = f.view.verticalScrollBar()->value();
    const qsizetype reached = f.view.selection().position;
    // Each tick of the timer scrolls on and takes the selection with it.
    QTimerEvent tick(timers.first().timerId);
    QApplication::sendEvent(&f.view, &tick);
    QApplication::sendEvent(&f.view, &tick);
    QVERIFY(f.view.verticalScrollBar()->value() > top);
    QVERIFY(f.view.selection().position > reached);
    QCOMPARE(f.view.selection().anchor, 8);
    f.release(below);
    QCOMPARE(timersOf().size(), 1);
}

void TestTextViewMouse::wheelScrollsByRows_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::newRow("wrapped") << true;
    QTest::newRow("unwrapped") << false;
}

void TestTextViewMouse::wheelScrollsByRows()
{
    QFETCH(bool, wrap);
    TextViewFixture f(numberedLines(100, u"line %1 "_qs.repeated(wrap ? 1 : 30)), wrap, {300, 150});
    QVERIFY(f.show());
    auto wheel = [&](QPoint delta, Qt::KeyboardModifiers modifiers) {
        const QPointF pos(50, 50);
        QWheelEvent event(pos, f.viewport()->mapToGlobal(pos), QPoint(), delta, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.viewport(), &event);
    };
    const qsizetype first = f.view.offsetAt(QPoint(5, 5));
    wheel(QPoint(0, -120), {});
    // One notch is as many rows as the desktop says, and the caret stays where it was.
    const qsizetype after = f.view.offsetAt(QPoint(5, 5));
    QCOMPARE(f.document.lineOfOffset(after) - f.document.lineOfOffset(first),
             QApplication::wheelScrollLines());
    QCOMPARE(f.view.selection(), TextSelection::caret(0));
    wheel(QPoint(0, 120), {});
    QCOMPARE(f.view.offsetAt(QPoint(5, 5)), first);
    // Sideways with Shift, where there is a side to go to.
    wheel(QPoint(0, -120), Qt::ShiftModifier);
    QCOMPARE(f.view.horizontalScrollBar()->value() > 0, !wrap);
    QCOMPARE(f.view.offsetAt(QPoint(5, 5)) == first, wrap);
}

void TestTextViewMouse::rightClickAsksForAMenu()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    QSignalSpy asked(&f.view, &TextView::contextMenuRequested);
    const QPoint pos = f.pointOf(3);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, f.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(f.viewport(), &event);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.first().first().toPoint(), f.viewport()->mapToGlobal(pos));
    QVERIFY(QApplication::activePopupWidget() == nullptr);

    // From the keyboard, at the caret; F10 alone is not for the view.
    f.view.setSelection(TextSelection::caret(3));
    QTest::keyClick(&f.view, Qt::Key_F10);
    QCOMPARE(asked.count(), 1);
    QTest::keyClick(&f.view, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(asked.count(), 2);
    const QRect caret = f.view.caretRect();
    QCOMPARE(asked.last().first().toPoint(), f.viewport()->mapToGlobal(caret.bottomLeft()));
}

void TestTextViewMouse::primarySelectionAndMiddleClick()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    f.doubleClick(f.pointOf(12));
    QCoreApplication::processEvents();
    QCOMPARE(TextClipboard::text(QClipboard::Clipboard), u"gamma"_qs);
    // Pasted where the middle button is released, as one step; the clipboard stays.
    f.click(f.pointBefore(17), {}, Qt::MiddleButton);
    QCOMPARE(f.document.toPlainText(), u"alpha beta gamma\ngammasecond line here\nthird"_qs);
    QCOMPARE(f.view.selection(), TextSelection::caret(22));
    f.view.undo();
    QCOMPARE(f.document.toPlainText(), kText);
    // Keys select into the primary selection too; an empty selection leaves it.
    f.view.setSelection(TextSelection::caret(34));
    QTest::keyClick(&f.view, Qt::Key_End, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    QCOMPARE(TextClipboard::text(QClipboard::Clipboard), u"third"_qs);
    QTest::keyClick(&f.view, Qt::Key_Home);
    QCoreApplication::processEvents();
    QCOMPARE(TextClipboard::text(QClipboard::Clipboard), u"third"_qs);
    // Read-only text takes no paste.
    f.view.setReadOnly(true);
    f.click(f.pointBefore(2), {}, Qt::MiddleButton);
    QCOMPARE(f.document.toPlainText(), kText);
}

void TestTextViewMouse::largePrimarySelectionIsReadWhenAsked()
{
    TextDocument document;
    const QString text = QString(u"0123456789"_qs).repeated(TextSelectionMime::kCopyLimit / 5);
    document.setPlainText(text);
    auto *mime = new TextSelectionMime(&document, 3, text.size() - 3);
    QGuiApplication::clipboard()->setMimeData(mime);
    QCOMPARE(TextClipboard::text(), text.mid(3));
    // Once the text changed the old selection is no more to be had.
    document.insert(0, u"x");
    QCOMPARE(TextClipboard::text(), QString());
    auto *small = new TextSelectionMime(&document, 0, 4);
    QGuiApplication::clipboard()->setMimeData(small);
    document.insert(0, u"y");
    QCOMPARE(TextClipboard::text(), u"x012"_qs);
}

void TestTextViewMouse::textDropsGoWhereTheyFall()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    auto *data = new QMimeData;
    data->setText(u"NEW\r\n"_qs);
    QVERIFY(drop(f, data, f.pointBefore(6)));
    QCOMPARE(f.document.toPlainText(), u"alpha NEW\nbeta gamma\nsecond line here\nthird"_qs);
    QCOMPARE(f.view.selection(), (TextSelection{6, 10}));
    delete data;
    f.view.undo();
    QCOMPARE(f.document.toPlainText(), kText);
    // Read-only text takes no drop.
    f.view.setReadOnly(true);
    QMimeData again;
    again.setText(u"x"_qs);
    QVERIFY(!drop(f, &again, f.pointBefore(6)));
    QCOMPARE(f.document.toPlainText(), kText);
}

void TestTextViewMouse::fileDropsAreLeftToTheWindow()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(u"/tmp/a.txt"_qs)});
    QVERIFY(files.hasText()); // Qt offers links as text: the view must not take them
    QVERIFY(!drop(f, &files, f.pointBefore(3)));
    QCOMPARE(f.document.toPlainText(), kText);
}

QTEST_MAIN(TestTextViewMouse)
#include "tst_textviewmouse.moc"
