#include "textviewfixture.h"

#include "controls/ui/textviewaccessible.h"

#include <QAccessible>

// What a screen reader reads of a text view through Qt's accessibility interfaces, and the
// events that tell it of changes.
class TestTextViewAccessible : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void roleAndState();
    void textCaretAndSelection();
    void textByBoundary_data();
    void textByBoundary();
    void geometry();
    void editing();
    void eventsFollowChanges();
};

namespace {

const QString kText = u"alpha beta gamma\nsecond line here\nthird"_qs;

QAccessibleTextInterface *textOf(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->textInterface() : nullptr;
}

// What the view announced, as a reader would have heard it.
struct Heard
{
    QAccessible::Event type = QAccessible::InvalidEvent;
    int position = -1;
    int start = -1;
    int end = -1;
    QString inserted;
    QString removed;
};
QList<Heard> g_heard;

void listen(QAccessibleEvent *event)
{
    Heard heard;
    heard.type = event->type();
    switch (event->type()) {
    case QAccessible::TextCaretMoved:
        heard.position = static_cast<QAccessibleTextCursorEvent *>(event)->cursorPosition();
        break;
    case QAccessible::TextSelectionChanged: {
        auto *e = static_cast<QAccessibleTextSelectionEvent *>(event);
        heard.position = e->cursorPosition();
        heard.start = e->selectionStart();
        heard.end = e->selectionEnd();
        break;
    }
    case QAccessible::TextInserted: {
        auto *e = static_cast<QAccessibleTextInsertEvent *>(event);
        heard.start = e->changePosition();
        heard.inserted = e->textInserted();
        break;
    }
    case QAccessible::TextRemoved: {
        auto *e = static_cast<QAccessibleTextRemoveEvent *>(event);
        heard.start = e->changePosition();
        heard.removed = e->textRemoved();
        break;
    }
    case QAccessible::TextUpdated: {
        auto *e = static_cast<QAccessibleTextUpdateEvent *>(event);
        heard.start = e->changePosition();
        heard.inserted = e->textInserted();
        heard.removed = e->textRemoved();
        break;
    }
    default:
        break;
    }
    g_heard.append(heard);
}

Heard lastHeard(QAccessible::Event type)
{
    for (auto it = g_heard.rbegin(); it != g_heard.rend(); ++it) {
        if (it->type == type)
            return *it;
    }
    return Heard();
}

} // namespace

void TestTextViewAccessible::initTestCase()
{
    TextViewAccessible::setListener(listen);
}

void TestTextViewAccessible::init()
{
    g_heard.clear();
}

void TestTextViewAccessible::roleAndState()
{
    TextViewFixture f(kText);
    f.view.setAccessibleName(u"Text"_qs);
    QVERIFY(f.show());
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&f.view);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QCOMPARE(iface->text(QAccessible::Name), u"Text"_qs);
    QCOMPARE(iface->text(QAccessible::Value), kText);
    QVERIFY(iface->editableTextInterface());
    QAccessible::State state = iface->state();
    QVERIFY(state.focusable && state.focused && state.multiLine && state.editable);
    QVERIFY(!state.readOnly);
    f.view.setReadOnly(true);
    state = iface->state();
    QVERIFY(state.readOnly && !state.editable);
}

void TestTextViewAccessible::textCaretAndSelection()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    QAccessibleTextInterface *text = textOf(&f.view);
    QVERIFY(text);
    QCOMPARE(text->characterCount(), kText.size());
    QCOMPARE(text->text(0, text->characterCount()), kText);
    QCOMPARE(text->text(6, 10), u"beta"_qs);
    QCOMPARE(text->selectionCount(), 0);
    f.view.setSelection(TextSelection{20, 17});
    QCOMPARE(text->cursorPosition(), 17);
    QCOMPARE(text->selectionCount(), 1);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(start, 17);
    QCOMPARE(end, 20);
    // A reader can set them too.
    text->setSelection(0, 6, 10);
    QCOMPARE(f.view.selectedText(), u"beta"_qs);
    text->setCursorPosition(34);
    QCOMPARE(f.view.selection(), TextSelection::caret(34));
    QCOMPARE(text->selectionCount(), 0);
}

void TestTextViewAccessible::textByBoundary_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("boundary");
    QTest::addColumn<QString>("at");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("char") << false << 7 << int(QAccessible::CharBoundary) << u"e"_qs << u"b"_qs
                          << u"t"_qs;
    QTest::newRow("char at a break")
            << false << 16 << int(QAccessible::CharBoundary) << u"\n"_qs << u"a"_qs << u"s"_qs;
    QTest::newRow("word") << false << 7 << int(QAccessible::WordBoundary) << u"beta"_qs << u" "_qs
                          << u" "_qs;
    QTest::newRow("line") << false << 20 << int(QAccessible::LineBoundary)
                          << u"second line here\n"_qs << u"alpha beta gamma\n"_qs << u"third"_qs;
    QTest::newRow("wrapped row") << true << 3 << int(QAccessible::LineBoundary) << u"alpha "_qs
                                 << QString() << u"beta "_qs;
    QTest::newRow("paragraph, wrapped")
            << true << 8 << int(QAccessible::ParagraphBoundary) << u"alpha beta gamma\n"_qs
            << QString() << u"second line here\n"_qs;
}

void TestTextViewAccessible::textByBoundary()
{
    QFETCH(bool, wrap);
    QFETCH(int, offset);
    QFETCH(int, boundary);
    QFETCH(QString, at);
    QFETCH(QString, before);
    QFETCH(QString, after);
    // Narrow enough that wrapped rows hold one word each.
    TextViewFixture f(kText, wrap, {wrap ? 90 : 420, 240});
    QVERIFY(f.show());
    QAccessibleTextInterface *text = textOf(&f.view);
    const auto type = QAccessible::TextBoundaryType(boundary);
    int start = -1;
    int end = -1;
    const QString found = text->textAtOffset(offset, type, &start, &end);
    QCOMPARE(found, at);
    QCOMPARE(text->text(start, end), at);
    QVERIFY(start <= offset && offset < end);
    QCOMPARE(text->textBeforeOffset(offset, type, &start, &end), before);
    QCOMPARE(text->textAfterOffset(offset, type, &start, &end), after);
}

void TestTextViewAccessible::geometry()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    QAccessibleTextInterface *text = textOf(&f.view);
    const QRect first = text->characterRect(0);
    const QRect next = text->characterRect(1);
    const QRect below = text->characterRect(17);
    QVERIFY(!first.isEmpty());
    QCOMPARE(next.top(), first.top());
    QVERIFY(next.left() >= first.right());
    QVERIFY(below.top() > first.top());
    for (const int offset : {0, 5, 18, 36})
        QCOMPARE(text->offsetAtPoint(text->characterRect(offset).center()), offset);
    // The rectangles are the screen's, as readers expect.
    QCOMPARE(first.topLeft(), f.viewport()->mapToGlobal(f.view.characterRect(0).topLeft()));
}

void TestTextViewAccessible::editing()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    QAccessibleEditableTextInterface *edit =
            QAccessible::queryAccessibleInterface(&f.view)->editableTextInterface();
    edit->insertText(0, u">> "_qs);
    edit->deleteText(3, 9);
    edit->replaceText(0, 2, u"<<"_qs);
    QCOMPARE(f.document.toPlainText(), u"<< beta gamma\nsecond line here\nthird"_qs);
    f.view.setReadOnly(true);
    edit->insertText(0, u"no"_qs);
    QCOMPARE(f.document.toPlainText(), u"<< beta gamma\nsecond line here\nthird"_qs);
}

void TestTextViewAccessible::eventsFollowChanges()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    g_heard.clear();
    f.view.setSelection(TextSelection::caret(6));
    QCOMPARE(lastHeard(QAccessible::TextCaretMoved).position, 6);
    QTest::keyClicks(&f.view, u"x"_qs);
    Heard heard = lastHeard(QAccessible::TextInserted);
    QCOMPARE(heard.start, 6);
    QCOMPARE(heard.inserted, u"x"_qs);
    QCOMPARE(lastHeard(QAccessible::TextCaretMoved).position, 7);
    QTest::keyClick(&f.view, Qt::Key_Backspace);
    heard = lastHeard(QAccessible::TextRemoved);
    QCOMPARE(heard.start, 6);
    QCOMPARE(heard.removed.size(), 1);
    QTest::keyClick(&f.view, Qt::Key_Right, Qt::ShiftModifier);
    heard = lastHeard(QAccessible::TextSelectionChanged);
    QCOMPARE(heard.start, 6);
    QCOMPARE(heard.end, 7);
    QCOMPARE(heard.position, 7);
    f.view.replaceSelection(u"BB"_qs);
    heard = lastHeard(QAccessible::TextUpdated);
    QCOMPARE(heard.start, 6);
    QCOMPARE(heard.inserted, u"BB"_qs);
    QCOMPARE(heard.removed.size(), 1);
    // A new text is announced whole.
    f.document.setPlainText(u"new"_qs);
    QCOMPARE(lastHeard(QAccessible::TextUpdated).inserted, u"new"_qs);
    g_heard.clear();
    f.view.setReadOnly(true);
    QCOMPARE(g_heard.size(), 1);
    QCOMPARE(g_heard.first().type, QAccessible::StateChanged);
}

QTEST_MAIN(TestTextViewAccessible)
#include "tst_textviewaccessible.moc"
