#include "textviewfixture.h"

#include "controls/linesegments.h"
#include "controls/ui/textclipboard.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBoundaryFinder>
#include <QTextCharFormat>

// The text view's keyboard, editing, clipboard and input methods, and how little of a long
// line it lays out.
class TestTextView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void standardKeys_data();
    void standardKeys();
    void verticalMovesKeepTheColumn();
    void pageKeysMoveByAScreen();
    void movesStepOverWholeCharacters_data();
    void movesStepOverWholeCharacters();
    void deletingTakesWholeCharacters();
    void typingUndoesAsOneStep();
    void editingKeys();
    void overwriteMode();
    void windowShortcutsAndTheView();
    void readOnlyRefusesEdits();
    void pasteFromEmptyClipboard();
    void pasteIsOneStepWithTheFilesBreaks();
    void inputMethodPreeditAndCommit();
    void resetPutsTheCaretAtTheTop();
    void longLineIsLaidOutOnlyWhereSeen_data();
    void longLineIsLaidOutOnlyWhereSeen();
    void longLineSegmentsJoinUp();
    void aScreenOfLongLinesIsLaidOutOnce_data();
    void aScreenOfLongLinesIsLaidOutOnce();
};

namespace {

// Lines 0..2 start at 0, 17 and 34; the text ends at 39.
const QString kText = u"alpha beta gamma\nsecond line here\nthird"_qs;

bool sendKey(QWidget *widget, QKeySequence::StandardKey key)
{
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    if (bindings.isEmpty())
        return false;
    QTest::keySequence(widget, bindings.first());
    return true;
}

void sendInputMethod(QWidget *widget, const QString &preedit, const QString &commit,
                     int replaceFrom = 0, int replaceLength = 0)
{
    QList<QInputMethodEvent::Attribute> attributes;
    attributes.append({QInputMethodEvent::Cursor, int(preedit.size()), 1, QVariant()});
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    attributes.append({QInputMethodEvent::TextFormat, 0, int(preedit.size()), underline});
    QInputMethodEvent event(preedit, attributes);
    if (!commit.isEmpty() || replaceLength > 0)
        event.setCommitString(commit, replaceFrom, replaceLength);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void TestTextView::initTestCase()
{
    // Primary selections would go to the one clipboard of this platform.
    TextClipboard::overrideSelectionMode(std::nullopt);
}

void TestTextView::standardKeys_data()
{
    using K = QKeySequence;
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::newRow("next char") << int(K::MoveToNextChar) << 0 << 1 << 1;
    QTest::newRow("next char over a break") << int(K::MoveToNextChar) << 16 << 17 << 17;
    QTest::newRow("next char at the end") << int(K::MoveToNextChar) << 39 << 39 << 39;
    QTest::newRow("previous char") << int(K::MoveToPreviousChar) << 5 << 4 << 4;
    QTest::newRow("previous char over a break") << int(K::MoveToPreviousChar) << 17 << 16 << 16;
    QTest::newRow("next word") << int(K::MoveToNextWord) << 0 << 6 << 6;
    QTest::newRow("next word from inside one") << int(K::MoveToNextWord) << 7 << 11 << 11;
    QTest::newRow("next word at a line end") << int(K::MoveToNextWord) << 16 << 17 << 17;
    QTest::newRow("previous word") << int(K::MoveToPreviousWord) << 8 << 6 << 6;
    QTest::newRow("previous word from a start") << int(K::MoveToPreviousWord) << 6 << 0 << 0;
    QTest::newRow("previous word at a line start") << int(K::MoveToPreviousWord) << 17 << 16 << 16;
    QTest::newRow("next line") << int(K::MoveToNextLine) << 3 << 20 << 20;
    QTest::newRow("next line to a shorter one") << int(K::MoveToNextLine) << 30 << 39 << 39;
    QTest::newRow("next line on the last") << int(K::MoveToNextLine) << 36 << 36 << 36;
    QTest::newRow("previous line") << int(K::MoveToPreviousLine) << 20 << 3 << 3;
    QTest::newRow("previous line on the first") << int(K::MoveToPreviousLine) << 3 << 3 << 3;
    QTest::newRow("start of line") << int(K::MoveToStartOfLine) << 25 << 17 << 17;
    QTest::newRow("end of line") << int(K::MoveToEndOfLine) << 20 << 33 << 33;
    QTest::newRow("start of block") << int(K::MoveToStartOfBlock) << 25 << 17 << 17;
    QTest::newRow("end of block") << int(K::MoveToEndOfBlock) << 20 << 33 << 33;
    QTest::newRow("start of document") << int(K::MoveToStartOfDocument) << 25 << 0 << 0;
    QTest::newRow("end of document") << int(K::MoveToEndOfDocument) << 3 << 39 << 39;
    QTest::newRow("select next char") << int(K::SelectNextChar) << 0 << 0 << 1;
    QTest::newRow("select previous char") << int(K::SelectPreviousChar) << 5 << 5 << 4;
    QTest::newRow("select next word") << int(K::SelectNextWord) << 0 << 0 << 6;
    QTest::newRow("select previous word") << int(K::SelectPreviousWord) << 8 << 8 << 6;
    QTest::newRow("select next line") << int(K::SelectNextLine) << 3 << 3 << 20;
    QTest::newRow("select previous line") << int(K::SelectPreviousLine) << 20 << 20 << 3;
    QTest::newRow("select start of line") << int(K::SelectStartOfLine) << 25 << 25 << 17;
    QTest::newRow("select end of line") << int(K::SelectEndOfLine) << 20 << 20 << 33;
    QTest::newRow("select start of block") << int(K::SelectStartOfBlock) << 25 << 25 << 17;
    QTest::newRow("select end of block") << int(K::SelectEndOfBlock) << 20 << 20 << 33;
    QTest::newRow("select start of document") << int(K::SelectStartOfDocument) << 25 << 25 << 0;
    QTest::newRow("select end of document") << int(K::SelectEndOfDocument) << 3 << 3 << 39;
    QTest::newRow("select all") << int(K::SelectAll) << 25 << 0 << 39;
}

void TestTextView::standardKeys()
{
    QFETCH(int, key);
    QFETCH(int, from);
    QFETCH(int, anchor);
    QFETCH(int, position);
    TextViewFixture f(kText);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::caret(from));
    if (!sendKey(&f.view, QKeySequence::StandardKey(key)))
        QSKIP("The platform has no key for this");
    QCOMPARE(f.view.selection(), (TextSelection{anchor, position}));
    QCOMPARE(f.document.toPlainText(), kText);
}

void TestTextView::verticalMovesKeepTheColumn()
{
    TextViewFixture f(u"a long first line\nab\nanother long line"_qs);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::caret(12));
    QTest::keyClick(&f.view, Qt::Key_Down);
    QCOMPARE(f.view.selection().position, 20); // the end of "ab"
    QTest::keyClick(&f.view, Qt::Key_Down);
    QCOMPARE(f.view.selection().position, 21 + 12);
    QTest::keyClick(&f.view, Qt::Key_Up);
    QTest::keyClick(&f.view, Qt::Key_Up);
    QCOMPARE(f.view.selection().position, 12);
    // A move sideways sets a new column.
    QTest::keyClick(&f.view, Qt::Key_Left);
    QTest::keyClick(&f.view, Qt::Key_Down);
    QTest::keyClick(&f.view, Qt::Key_Down);
    QCOMPARE(f.view.selection().position, 21 + 11);
}

void TestTextView::pageKeysMoveByAScreen()
{
    TextViewFixture f(numberedLines(60), false, {300, 150});
    QVERIFY(f.show());
    const int rowStep = 8; // "line NN\n"
    QTest::keyClick(&f.view, Qt::Key_PageDown);
    const qsizetype afterOne = f.view.selection().position;
    QVERIFY(afterOne > 2 * rowStep);
    QCOMPARE(afterOne % rowStep, 0);
    const int page = int(afterOne / rowStep);
    // The caret stays in view, as far down the screen as before.
    QVERIFY(!f.view.caretRect().isEmpty());
    QCOMPARE(f.view.verticalScrollBar()->value(), page);
    QTest::keyClick(&f.view, Qt::Key_PageDown, Qt::ShiftModifier);
    QCOMPARE(f.view.selection(), (TextSelection{afterOne, 2 * page * rowStep}));
    QTest::keyClick(&f.view, Qt::Key_PageUp);
    QTest::keyClick(&f.view, Qt::Key_PageUp);
    QCOMPARE(f.view.selection().position, 0);
    QCOMPARE(f.view.verticalScrollBar()->value(), 0);
}

void TestTextView::movesStepOverWholeCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wrap");
    const QString text =
            u"a\U0001F600b e\u0301x \U0001F44D\U0001F3FDz q\u0308\u0323 \U0001F600\U0001F600"_qs;
    QTest::newRow("unwrapped") << text << false;
    QTest::newRow("wrapped") << text << true;
}

void TestTextView::movesStepOverWholeCharacters()
{
    QFETCH(QString, text);
    QFETCH(bool, wrap);
    TextViewFixture f(text, wrap);
    QVERIFY(f.show());
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    std::vector<qsizetype> stops{0};
    while (graphemes.toNextBoundary() > 0)
        stops.push_back(graphemes.position());

    // Right visits every character boundary once, in order; Left comes back the same way.
    std::vector<qsizetype> seen{f.view.selection().position};
    for (size_t i = 1; i < stops.size() + 2; ++i) {
        QTest::keyClick(&f.view, Qt::Key_Right);
        if (f.view.selection().position != seen.back())
            seen.push_back(f.view.selection().position);
    }
    QCOMPARE(seen, stops);
    for (auto stop = stops.rbegin() + 1; stop != stops.rend(); ++stop) {
        QTest::keyClick(&f.view, Qt::Key_Left);
        QCOMPARE(f.view.selection().position, *stop);
    }
    // Word moves land on character boundaries too.
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(&f.view, Qt::Key_Right, Qt::ControlModifier);
        graphemes.setPosition(f.view.selection().position);
        QVERIFY(graphemes.isAtBoundary());
    }
    QCOMPARE(f.view.selection().position, text.size());
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(&f.view, Qt::Key_Left, Qt::ControlModifier);
        graphemes.setPosition(f.view.selection().position);
        QVERIFY(graphemes.isAtBoundary());
    }
    QCOMPARE(f.view.selection().position, 0);
}

void TestTextView::deletingTakesWholeCharacters()
{
    TextViewFixture f(u"a\U0001F600be\u0301x"_qs);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::caret(3)); // after the pair
    QTest::keyClick(&f.view, Qt::Key_Backspace);
    QCOMPARE(f.document.toPlainText(), u"abe\u0301x"_qs);
    QTest::keyClick(&f.view, Qt::Key_Right);
    QCOMPARE(f.view.selection().position, 2);
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QCOMPARE(f.document.toPlainText(), u"abx"_qs);
    // Each key is an undo step of its own kind, and undo brings the caret back.
    f.document.undo();
    QCOMPARE(f.document.toPlainText(), u"abe\u0301x"_qs);
    f.view.undo();
    QCOMPARE(f.document.toPlainText(), u"a\U0001F600be\u0301x"_qs);
    QCOMPARE(f.view.selection(), TextSelection::caret(3));
}

void TestTextView::typingUndoesAsOneStep()
{
    TextViewFixture f(u"one two"_qs);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::caret(4));
    QTest::keyClicks(&f.view, u"and"_qs);
    QCOMPARE(f.document.toPlainText(), u"one andtwo"_qs);
    QVERIFY(f.document.isModified());
    // Moving the caret ends the typed run: what follows is a step of its own.
    QTest::keyClick(&f.view, Qt::Key_End);
    QTest::keyClicks(&f.view, u"!"_qs);
    QTest::keyClick(&f.view, QKeySequence::keyBindings(QKeySequence::Undo).first()[0].key(),
                    QKeySequence::keyBindings(QKeySequence::Undo).first()[0].keyboardModifiers());
    QCOMPARE(f.document.toPlainText(), u"one andtwo"_qs);
    QCOMPARE(f.view.selection(), TextSelection::caret(10));
    f.view.undo();
    QCOMPARE(f.document.toPlainText(), u"one two"_qs);
    QCOMPARE(f.view.selection(), TextSelection::caret(4));
    QVERIFY(!f.document.isModified());
    f.view.redo();
    QCOMPARE(f.document.toPlainText(), u"one andtwo"_qs);
    QCOMPARE(f.view.selection(), TextSelection::caret(7));
}

void TestTextView::editingKeys()
{
    TextFormat crlf;
    crlf.lineEnd = LineEnd::CRLF;
    TextViewFixture f{QString()};
    f.document.setPlainText(u"ab cd"_qs, crlf);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::caret(2));
    QTest::keyClick(&f.view, Qt::Key_Tab);
    QTest::keyClick(&f.view, Qt::Key_Return);
    QCOMPARE(f.document.toPlainText(), u"ab\t\n cd"_qs);
    QCOMPARE(f.document.storage().lineEndOf(0), LineEnd::CRLF);
    QVERIFY(f.view.hasFocus()); // Tab was text, not a move to the next widget
    f.view.setSelection(TextSelection::caret(f.document.length()));
    if (sendKey(&f.view, QKeySequence::DeleteStartOfWord))
        QCOMPARE(f.document.toPlainText(), u"ab\t\n "_qs);
    f.view.selectAll();
    QTest::keyClick(&f.view, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), f.document.toPlainText());
    f.view.setSelection(TextSelection::range(0, 2));
    QTest::keyClick(&f.view, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"ab"_qs);
    QTest::keyClick(&f.view, Qt::Key_End);
    QTest::keyClick(&f.view, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(f.document.toPlainText().first(3), u"\tab"_qs);
}

void TestTextView::overwriteMode()
{
    TextViewFixture f(u"abcd\nef"_qs);
    QVERIFY(f.show());
    QSignalSpy toggled(&f.view, &TextView::overwriteModeChanged);
    QTest::keyClick(&f.view, Qt::Key_Insert);
    QVERIFY(f.view.overwriteMode());
    QCOMPARE(toggled.count(), 1);
    QTest::keyClicks(&f.view, u"XY"_qs);
    QCOMPARE(f.document.toPlainText(), u"XYcd\nef"_qs);
    // At the end of a line nothing is left to replace: the break stays.
    f.view.setSelection(TextSelection::caret(4));
    QTest::keyClicks(&f.view, u"Z"_qs);
    QCOMPARE(f.document.toPlainText(), u"XYcdZ\nef"_qs);
    QTest::keyClick(&f.view, Qt::Key_Insert);
    QVERIFY(!f.view.overwriteMode());
    QCOMPARE(toggled.count(), 2);
}

void TestTextView::windowShortcutsAndTheView()
{
    TextDocument document;
    document.setPlainText(kText);
    QWidget window;
    auto *view = new TextView(&document, &window);
    view->resize(300, 200);
    int menu = 0;
    int stamp = 0;
    int copyAction = 0;
    auto addAction = [&window](const QKeySequence &keys, int *count) {
        auto *action = new QAction(&window);
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, &window, [count] { ++*count; });
        window.addAction(action);
    };
    addAction(QKeySequence(Qt::ALT | Qt::Key_F), &menu);
    addAction(QKeySequence(Qt::Key_F5), &stamp);
    addAction(QKeySequence(Qt::CTRL | Qt::Key_C), &copyAction);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(view, Qt::Key_F5);
    QCOMPARE(menu, 1);
    QCOMPARE(stamp, 1);
    QCOMPARE(document.toPlainText(), kText);
    // The view's own keys are its own, whatever the window binds to them.
    view->setSelection(TextSelection::range(0, 5));
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copyAction, 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"alpha"_qs);
    QTest::keyClicks(view, u"A"_qs);
    QCOMPARE(document.toPlainText(), u"A"_qs + kText.mid(5));
}

void TestTextView::readOnlyRefusesEdits()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    QGuiApplication::clipboard()->setText(u"pasted"_qs);
    f.view.setReadOnly(true);
    QTest::keyClicks(&f.view, u"xy"_qs);
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QTest::keyClick(&f.view, Qt::Key_Return);
    f.view.paste();
    f.view.replaceSelection(u"q"_qs);
    QCOMPARE(f.document.toPlainText(), kText);
    QVERIFY(!f.view.inputMethodQuery(Qt::ImEnabled).toBool());
    // Moving and selecting still work.
    QTest::keyClick(&f.view, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(f.view.selection(), (TextSelection{0, 1}));
    f.view.setReadOnly(false);
    QTest::keyClicks(&f.view, u"z"_qs);
    QCOMPARE(f.document.toPlainText(), u"z"_qs + kText.mid(1));
}

void TestTextView::pasteFromEmptyClipboard()
{
    TextViewFixture f(kText);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::range(0, 5));
    QGuiApplication::clipboard()->clear();
    f.view.paste();
    QTest::keyClick(&f.view, Qt::Key_Insert, Qt::ShiftModifier);
    auto *other = new QMimeData;
    other->setData(u"application/x-other"_qs, "bytes");
    QGuiApplication::clipboard()->setMimeData(other);
    f.view.paste();
    QCOMPARE(f.document.toPlainText(), kText);
    QCOMPARE(f.view.selection(), TextSelection::range(0, 5));
    QVERIFY(!f.document.isModified());
    QVERIFY(!f.document.canUndo());
}

void TestTextView::pasteIsOneStepWithTheFilesBreaks()
{
    TextFormat cr;
    cr.lineEnd = LineEnd::CR;
    TextViewFixture f{QString()};
    f.document.setPlainText(u"[]"_qs, cr);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::caret(1));
    QGuiApplication::clipboard()->setText(u"x\r\ny\nz"_qs);
    f.view.paste();
    QCOMPARE(f.document.toPlainText(), u"[x\ny\nz]"_qs);
    QCOMPARE(f.document.storage().lineEndOf(0), LineEnd::CR);
    QCOMPARE(f.document.storage().lineEndOf(1), LineEnd::CR);
    QCOMPARE(f.view.selection(), TextSelection::caret(6));
    f.view.undo();
    QCOMPARE(f.document.toPlainText(), u"[]"_qs);
    QVERIFY(!f.document.canUndo());
}

void TestTextView::inputMethodPreeditAndCommit()
{
    TextViewFixture f(u"ab\ncd"_qs);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::caret(1));
    const QRect before = f.view.caretRect();
    sendInputMethod(&f.view, u"ni"_qs, QString());
    // Composed text shows (the caret moved on past it) but is not in the document.
    QCOMPARE(f.document.toPlainText(), u"ab\ncd"_qs);
    QVERIFY(!f.document.isModified());
    QVERIFY(f.view.caretRect().left() > before.left());
    QCOMPARE(f.view.inputMethodQuery(Qt::ImSurroundingText).toString(), u"ab"_qs);
    QCOMPARE(f.view.inputMethodQuery(Qt::ImCursorPosition).toInt(), 1);
    QVERIFY(f.view.inputMethodQuery(Qt::ImEnabled).toBool());
    const QRectF imRect = f.view.inputMethodQuery(Qt::ImCursorRectangle).toRectF();
    QVERIFY(f.view.rect().contains(imRect.center().toPoint()));

    sendInputMethod(&f.view, QString(), u"\u4F60\u597D"_qs);
    QCOMPARE(f.document.toPlainText(), u"a\u4F60\u597Db\ncd"_qs);
    QCOMPARE(f.view.selection(), TextSelection::caret(3));
    // A commit that replaces what is before the caret.
    sendInputMethod(&f.view, QString(), u"X"_qs, -2, 2);
    QCOMPARE(f.document.toPlainText(), u"aXb\ncd"_qs);
    f.view.undo();
    QCOMPARE(f.document.toPlainText(), u"a\u4F60\u597Db\ncd"_qs);
    f.view.undo();
    QCOMPARE(f.document.toPlainText(), u"ab\ncd"_qs);

    f.view.setReadOnly(true);
    sendInputMethod(&f.view, QString(), u"no"_qs);
    QCOMPARE(f.document.toPlainText(), u"ab\ncd"_qs);
}

void TestTextView::resetPutsTheCaretAtTheTop()
{
    TextViewFixture f(numberedLines(200));
    QVERIFY(f.show());
    QSignalSpy moved(&f.view, &TextView::selectionChanged);
    f.view.setSelection(TextSelection::range(1000, 5));
    QVERIFY(f.view.verticalScrollBar()->value() > 0);
    f.document.setPlainText(u"new\ntext"_qs);
    QCOMPARE(f.view.selection(), TextSelection::caret(0));
    QCOMPARE(f.view.verticalScrollBar()->value(), 0);
    QCOMPARE(f.view.verticalScrollBar()->maximum(), 0);
    QVERIFY(moved.count() >= 2);
    QVERIFY(!f.view.caretRect().isEmpty());
}

void TestTextView::longLineIsLaidOutOnlyWhereSeen_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::newRow("unwrapped") << false;
    QTest::newRow("wrapped") << true;
}

void TestTextView::longLineIsLaidOutOnlyWhereSeen()
{
    QFETCH(bool, wrap);
    const qsizetype size = 5 * 1024 * 1024;
    const QString text = QString(u"lorem ipsum dolor sit amet "_qs).repeated(size / 27 + 1);
    TextViewFixture f(text, wrap);
    QVERIFY(f.show());
    // What a screen shows, a few segments at most.
    constexpr qint64 kScreenful = 64 * 1024;
    QVERIFY2(f.view.laidOutUnits() < kScreenful,
             qPrintable(QString::number(f.view.laidOutUnits())));
    for (const qsizetype at : {qsizetype(0), text.size() / 2, qsizetype(-1)}) {
        const qint64 before = f.view.laidOutUnits();
        const qsizetype caret = at < 0 ? f.document.length() : at;
        f.view.setSelection(TextSelection::caret(caret));
        QTest::keyClicks(&f.view, u"Q"_qs);
        QCOMPARE(f.document.at(caret), u'Q');
        QCOMPARE(f.view.selection().position, caret + 1);
        QVERIFY(!f.view.caretRect().isEmpty());
        f.view.viewport()->repaint();
        QVERIFY(f.view.laidOutUnits() - before < kScreenful);
    }
    QCOMPARE(f.document.length(), text.size() + 3);
    QCOMPARE(f.document.lineCount(), 1);
    // The end can be reached by the scroll bar or the keys alike.
    QTest::keyClick(&f.view, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    if (wrap)
        QCOMPARE(f.view.verticalScrollBar()->value(), f.view.verticalScrollBar()->maximum());
    else
        QVERIFY(f.view.horizontalScrollBar()->value() > 0);
    QVERIFY(!f.view.caretRect().isEmpty());
}

void TestTextView::longLineSegmentsJoinUp()
{
    // A proportional font, so that the width of a segment is not its length times a constant.
    const QString text = QString(u"Lorem ipsum, dolor sit amet; WWW iii "_qs).repeated(2000);
    TextViewFixture f(text);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    f.view.setTextFont(font);
    QVERIFY(f.show());
    const LineSegments segments(f.document, 0);
    QVERIFY(segments.count() > 8);
    QScrollBar *bar = f.view.horizontalScrollBar();
    for (const qsizetype k : {qsizetype(1), segments.count() / 2, segments.count() - 1}) {
        const qsizetype cut = segments.start(k);
        f.view.setSelection(TextSelection::caret(cut));
        QVERIFY(!f.view.caretRect().isEmpty());
        const QRect before = f.view.characterRect(cut - 1);
        const QRect after = f.view.characterRect(cut);
        QVERIFY(!before.isEmpty() && !after.isEmpty());
        QVERIFY2(qAbs(after.left() - (before.right() + 1)) <= 1,
                 qPrintable(u"%1 %2"_qs.arg(before.right()).arg(after.left())));
        // Scrolling moves the text by as much as the bar, over the cut and back.
        for (const int step : {40, -80, 40}) {
            const int x = f.view.characterRect(cut).left();
            const int value = bar->value();
            bar->setValue(value + step);
            const int moved = x - f.view.characterRect(cut).left();
            QVERIFY2(qAbs(moved - (bar->value() - value)) <= 1, qPrintable(QString::number(moved)));
        }
    }
    // The end of the line can be scrolled to and typed at.
    QTest::keyClick(&f.view, Qt::Key_End);
    QVERIFY(!f.view.caretRect().isEmpty());
    QTest::keyClicks(&f.view, u"!"_qs);
    QCOMPARE(f.document.at(f.document.length() - 1), u'!');
    QVERIFY(!f.view.caretRect().isEmpty());
    QTest::keyClick(&f.view, Qt::Key_Home);
    QCOMPARE(bar->value(), 0);
}

void TestTextView::aScreenOfLongLinesIsLaidOutOnce_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::newRow("unwrapped") << false;
    QTest::newRow("wrapped") << true;
}

void TestTextView::aScreenOfLongLinesIsLaidOutOnce()
{
    QFETCH(bool, wrap);
    const QString line = QString(u"abc def "_qs).repeated(3 * LineSegments::kSize / 8);
    // Tall enough that the segments on screen outgrow the cache's usual budget.
    TextViewFixture f(QStringList(160, line).join(u'\n'), wrap, {420, 1800});
    QVERIFY(f.show());
    f.viewport()->repaint();
    const qint64 once = f.view.laidOutUnits();
    f.viewport()->repaint();
    QCOMPARE(f.view.laidOutUnits(), once);
    // A row scrolled in costs that row, whichever end it comes in at.
    QScrollBar *bar = f.view.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    f.viewport()->repaint();
    for (const int step : {1, -2}) {
        const qint64 before = f.view.laidOutUnits();
        bar->setValue(bar->value() + step);
        f.viewport()->repaint();
        QVERIFY2(f.view.laidOutUnits() - before <= 3 * LineSegments::kSize,
                 qPrintable(QString::number(f.view.laidOutUnits() - before)));
    }
}

QTEST_MAIN(TestTextView)
#include "tst_textview.moc"
