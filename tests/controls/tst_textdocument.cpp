#include "common/textmodel.h"
#include "controls/textdocument.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

namespace {

// Every line query answered from the model.
void checkLines(const TextDocument &doc, const TextModel &model)
{
    QCOMPARE(doc.length(), model.text.size());
    const QStringList lines = model.text.split(u'\n');
    QCOMPARE(doc.lineCount(), lines.size());
    qsizetype start = 0;
    for (qsizetype line = 0; line < lines.size(); ++line) {
        QCOMPARE(doc.lineStart(line), start);
        QCOMPARE(doc.lineLength(line), lines[line].size());
        QCOMPARE(doc.lineOfOffset(start), line);
        QCOMPARE(doc.lineOfOffset(start + lines[line].size()), line);
        if (line + 1 < lines.size())
            QCOMPARE(doc.storage().lineEndOf(line), model.ends[size_t(line)]);
        start += lines[line].size() + 1;
    }
    QCOMPARE(doc.lineText(lines.size() - 1), lines.last());
}

const QString kAlphabet = QStringLiteral("ab \n\n\t\u00e9\u20ac\U0001F600x\r");

QString randomText(QRandomGenerator &rng, int maxLength)
{
    QString text;
    const int n = int(rng.bounded(maxLength + 1));
    for (int i = 0; i < n; ++i) {
        qsizetype at = rng.bounded(int(kAlphabet.size()));
        if (kAlphabet[at].isLowSurrogate())
            --at;
        text += kAlphabet[at];
        if (kAlphabet[at].isHighSurrogate())
            text += kAlphabet[at + 1];
    }
    return text;
}

// How the document turns typed text into its own: CR LF, CR and LF are each one break.
QString asTyped(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

class TstTextDocument : public QObject
{
    Q_OBJECT

private slots:
    void mixedLineEndsSurviveEdits();
    void unicodeLineSeparatorsAreCharacters();
    void randomEditsMatchAPlainString();
    void randomUndoRedoReturnsEveryState();
    void typingGroupsByWord();
    void backspaceAndDeleteRunsAreOneStep();
    void cleanPointFollowsUndo();
    void groupAndReplaceAllAreOneStep();
    void mapCharactersKeepsBreaksAndAlignment();
    void alignmentMovesWithLines();
    void alignmentIsNoEdit();
    void highlightsMoveAndSplit();
    void byteSizeCountsEncodingAndLineEnds();
    void largeTextsStayCompact();
};

void TstTextDocument::mixedLineEndsSurviveEdits()
{
    TextDocument doc;
    doc.setPlainText(u"a\nb");
    // Breaks of three kinds, as a file would bring them.
    doc.replace(1, 1, u"\r\n", {}, {});
    doc.insert(0, u"x\r");
    QCOMPARE(doc.toPlainText(), QStringLiteral("x\na\nb"));
    QCOMPARE(doc.storage().lineEndOf(0), LineEnd::LF); // typed breaks take the format's kind
    TextFormat crlf;
    crlf.lineEnd = LineEnd::CRLF;
    doc.setFormat(crlf);
    doc.insert(doc.length(), u"\n");
    QCOMPARE(doc.storage().lineEndOf(2), LineEnd::CRLF);
    QVERIFY(doc.mixedLineEnds());
    doc.remove(1, 1); // join line 0 and 1: line 1's break goes, line 2's stays
    QCOMPARE(doc.toPlainText(), QStringLiteral("xa\nb\n"));
    QCOMPARE(doc.storage().lineEndOf(0), LineEnd::LF);
    QCOMPARE(doc.storage().lineEndOf(1), LineEnd::CRLF);
    doc.undo();
    QCOMPARE(doc.storage().lineEndOf(0), LineEnd::LF);
    QCOMPARE(doc.storage().lineEndOf(1), LineEnd::LF);
    QCOMPARE(doc.storage().lineEndOf(2), LineEnd::CRLF);
}

void TstTextDocument::unicodeLineSeparatorsAreCharacters()
{
    TextDocument doc;
    const QString text = QStringLiteral("a\u2028b\u2029c\uFDD0d\uFDD1e\u0085f\fg\vh");
    doc.setPlainText(text);
    QCOMPARE(doc.lineCount(), 1);
    QCOMPARE(doc.toPlainText(), text);
}

void TstTextDocument::randomEditsMatchAPlainString()
{
    QRandomGenerator rng(20261209);
    for (int round = 0; round < 40; ++round) {
        TextDocument doc;
        TextModel model;
        for (int step = 0; step < 150; ++step) {
            const qsizetype position = rng.bounded(int(model.text.size() + 1));
            const qsizetype length = rng.bounded(int(qMin<qsizetype>(
                    model.text.size() - position + 1, step % 17 == 0 ? 20000 : 12)));
            // Now and then a long stretch, so that blocks split and merge.
            const QString with = step % 23 == 0 ? QString(30000, u'q') + u'\n' + randomText(rng, 9)
                                                : randomText(rng, 10);
            doc.replace(position, length, with, {}, {});
            model.replace(position, length, asTyped(with), doc.format().lineEnd);
            if (step % 10 == 0) {
                TextFormat format = doc.format();
                format.lineEnd = LineEnd(rng.bounded(3));
                doc.setFormat(format);
            }
            QCOMPARE(doc.toPlainText(), model.text);
            QCOMPARE(doc.byteSize(), model.utf8Bytes());
            QVERIFY(doc.isModified());
        }
        checkLines(doc, model);
        QVERIFY(doc.storage().blockCount() <= doc.length() / (TextStorage::kBlockSize / 4) + 2);
    }
}

void TstTextDocument::randomUndoRedoReturnsEveryState()
{
    QRandomGenerator rng(7);
    TextDocument doc;
    doc.reset(TextStorage::fromFileText(u"one\r\ntwo\nthree\rfour"), {}, -1);
    std::vector<TextModel> states{modelOf(doc)};
    std::vector<qint64> bytes{doc.byteSize()};
    qsizetype index = 0;
    qsizetype clean = 0;
    for (int step = 0; step < 3000; ++step) {
        const int action = int(rng.bounded(10));
        if (action < 5) {
            const qsizetype position = rng.bounded(int(doc.length() + 1));
            const qsizetype length =
                    rng.bounded(int(qMin<qsizetype>(doc.length() - position, 6) + 1));
            const quint64 revision = doc.revision();
            if (action == 0) {
                doc.beginUndoGroup({});
                doc.replace(position, length, randomText(rng, 4), {}, {});
                doc.insert(0, randomText(rng, 3));
                doc.endUndoGroup({});
            } else if (action == 1) {
                doc.mapCharacters(position, length,
                                  [](char16_t c) {
                                      return char16_t(c == u'a' ? u'b' : c == u'b' ? u'a' : c);
                                  },
                                  {});
            } else {
                doc.replace(position, length, randomText(rng, 6), {}, {});
            }
            if (doc.revision() == revision)
                continue; // an edit that changed nothing records no step
            const TextModel now = modelOf(doc);
            states.resize(size_t(index + 1));
            bytes.resize(size_t(index + 1));
            if (clean > index)
                clean = -1;
            states.push_back(now);
            bytes.push_back(doc.byteSize());
            ++index;
        } else if (action < 7) {
            QCOMPARE(doc.canUndo(), index > 0);
            if (doc.undo())
                --index;
        } else if (action < 9) {
            QCOMPARE(doc.canRedo(), index + 1 < qsizetype(states.size()));
            if (doc.redo())
                ++index;
        } else {
            doc.setModified(false);
            clean = index;
        }
        const TextModel now = modelOf(doc);
        QCOMPARE(now.text, states[size_t(index)].text);
        QVERIFY(now == states[size_t(index)]);
        QCOMPARE(doc.byteSize(), bytes[size_t(index)]);
        QCOMPARE(doc.isModified(), clean != index);
    }
    checkLines(doc, modelOf(doc));
}

void TstTextDocument::typingGroupsByWord()
{
    TextDocument doc;
    const QString typed = QStringLiteral("hello big world");
    for (qsizetype i = 0; i < typed.size(); ++i)
        doc.replace(i, 0, typed.mid(i, 1), TextSelection::caret(i), TextSelection::caret(i + 1),
                    TextEditKind::Typing);
    QCOMPARE(doc.undo(), TextSelection::caret(10)); // "world"
    QCOMPARE(doc.toPlainText(), QStringLiteral("hello big "));
    QCOMPARE(doc.undo(), TextSelection::caret(6));
    QCOMPARE(doc.toPlainText(), QStringLiteral("hello "));
    QCOMPARE(doc.redo(), TextSelection::caret(10));
    // Typing somewhere else is a step of its own, as is typing after the caret was moved.
    doc.replace(0, 0, u"X", TextSelection::caret(0), TextSelection::caret(1), TextEditKind::Typing);
    doc.replace(1, 0, u"Y", TextSelection::caret(1), TextSelection::caret(2), TextEditKind::Typing);
    doc.breakUndoMerge();
    doc.replace(2, 0, u"Z", TextSelection::caret(2), TextSelection::caret(3), TextEditKind::Typing);
    doc.undo();
    QCOMPARE(doc.toPlainText(), QStringLiteral("XYhello big "));
    doc.undo();
    QCOMPARE(doc.toPlainText(), QStringLiteral("hello big "));
    QVERIFY(doc.canRedo());
}

void TstTextDocument::backspaceAndDeleteRunsAreOneStep()
{
    TextDocument doc;
    doc.setPlainText(u"abcdef");
    for (qsizetype caret = 4; caret > 1; --caret)
        doc.replace(caret - 1, 1, {}, TextSelection::caret(caret), TextSelection::caret(caret - 1),
                    TextEditKind::Backspace);
    QCOMPARE(doc.toPlainText(), QStringLiteral("aef"));
    for (int i = 0; i < 2; ++i)
        doc.replace(1, 1, {}, TextSelection::caret(1), TextSelection::caret(1),
                    TextEditKind::DeleteForward);
    QCOMPARE(doc.toPlainText(), QStringLiteral("a"));
    QCOMPARE(doc.undo(), TextSelection::caret(1));
    QCOMPARE(doc.toPlainText(), QStringLiteral("aef"));
    QCOMPARE(doc.undo(), TextSelection::caret(4)); // the caret where the backspacing began
    QCOMPARE(doc.toPlainText(), QStringLiteral("abcdef"));
    QVERIFY(!doc.canUndo());
}

void TstTextDocument::cleanPointFollowsUndo()
{
    TextDocument doc;
    QSignalSpy modified(&doc, &TextDocument::modificationChanged);
    QSignalSpy undoable(&doc, &TextDocument::undoAvailable);
    doc.insert(0, u"a");
    doc.setModified(false); // saved
    doc.insert(1, u"b");
    QVERIFY(doc.isModified());
    doc.undo();
    QVERIFY(!doc.isModified());
    doc.undo();
    QVERIFY(doc.isModified());
    doc.redo();
    QVERIFY(!doc.isModified());
    // Typing right after a save never joins the saved step.
    doc.replace(1, 0, u"c", TextSelection::caret(1), TextSelection::caret(2), TextEditKind::Typing);
    doc.undo();
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.toPlainText(), QStringLiteral("a"));
    // A new edit after undoing past the save: no state is the saved one any more.
    doc.undo();
    doc.insert(0, u"z");
    doc.undo();
    QVERIFY(doc.isModified());
    QCOMPARE(modified.size(), 9);
    QCOMPARE(modified.last().first().toBool(), true);
    QCOMPARE(undoable.first().first().toBool(), true);
}

void TstTextDocument::groupAndReplaceAllAreOneStep()
{
    TextDocument doc;
    doc.setPlainText(u"cat dog cat\ncat");
    QSignalSpy changes(&doc, &TextDocument::contentsChanged);
    doc.replaceAll({0, 8, 12}, 3, u"lion", TextSelection::range(0, 3), TextSelection::caret(16));
    QCOMPARE(doc.toPlainText(), QStringLiteral("lion dog lion\nlion"));
    QCOMPARE(changes.size(), 1);
    const auto change = changes.first().first().value<TextChange>();
    QCOMPARE(change.position, 0);
    QCOMPARE(change.removed, 15);
    QCOMPARE(change.added, 18);
    QCOMPARE(change.linesRemoved, 1);
    QCOMPARE(change.linesAdded, 1);
    QCOMPARE(doc.undo(), TextSelection::range(0, 3));
    QCOMPARE(doc.toPlainText(), QStringLiteral("cat dog cat\ncat"));
    QCOMPARE(doc.redo(), TextSelection::caret(16));

    doc.beginUndoGroup(TextSelection::caret(0));
    doc.remove(0, 5);
    doc.insert(0, u"pasted ");
    doc.endUndoGroup(TextSelection::caret(7));
    QCOMPARE(doc.toPlainText(), QStringLiteral("pasted dog lion\nlion"));
    doc.undo();
    QCOMPARE(doc.toPlainText(), QStringLiteral("lion dog lion\nlion"));
}

void TstTextDocument::mapCharactersKeepsBreaksAndAlignment()
{
    TextDocument doc;
    doc.reset(TextStorage::fromFileText(u"ab\r\ncd\nef"), {}, -1);
    doc.setAlignment(1, 1, TextAlignment::Center);
    doc.setModified(false);
    const auto upper = [](char16_t c) {
        return char16_t(c >= u'a' && c <= u'z' ? c - 32 : c);
    };
    const TextSelection selection = TextSelection::range(1, 5);
    QVERIFY(doc.mapCharacters(0, doc.length(), upper, selection));
    QCOMPARE(doc.toPlainText(), QStringLiteral("AB\nCD\nEF"));
    QCOMPARE(doc.storage().lineEndOf(0), LineEnd::CRLF);
    QCOMPARE(doc.alignment(1), TextAlignment::Center);
    QVERIFY(!doc.mapCharacters(0, doc.length(), upper, selection));
    QCOMPARE(doc.undo(), selection);
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.alignment(1), TextAlignment::Center);
    QVERIFY(!doc.canUndo());
}

void TstTextDocument::alignmentMovesWithLines()
{
    TextDocument doc;
    doc.setPlainText(u"one\ntwo\nthree");
    doc.setAlignment(1, 1, TextAlignment::Right);
    doc.insert(0, u"zero\n");
    QCOMPARE(doc.alignment(2), TextAlignment::Right);
    QCOMPARE(doc.alignment(1), TextAlignment::Left);
    // A break typed inside a line gives both halves its alignment.
    doc.insert(doc.lineStart(2) + 1, u"\n");
    QCOMPARE(doc.alignment(2), TextAlignment::Right);
    QCOMPARE(doc.alignment(3), TextAlignment::Right);
    QCOMPARE(doc.alignment(4), TextAlignment::Left);
    // Joined lines keep the first line's alignment.
    doc.setAlignment(4, 4, TextAlignment::Center);
    doc.remove(doc.lineEnd(3), 1);
    QCOMPARE(doc.lineText(3), QStringLiteral("wothree"));
    QCOMPARE(doc.alignment(3), TextAlignment::Right);
    doc.remove(doc.lineEnd(0), 1);
    QCOMPARE(doc.alignment(0), TextAlignment::Left);
    QCOMPARE(doc.alignment(2), TextAlignment::Right);
}

void TstTextDocument::alignmentIsNoEdit()
{
    TextDocument doc;
    doc.setPlainText(u"one\ntwo");
    QSignalSpy changes(&doc, &TextDocument::contentsChanged);
    QSignalSpy modified(&doc, &TextDocument::modificationChanged);
    QSignalSpy aligned(&doc, &TextDocument::alignmentChanged);
    const quint64 revision = doc.revision();
    doc.setAlignment(0, 1, TextAlignment::Center);
    QCOMPARE(changes.size(), 0);
    QCOMPARE(modified.size(), 0);
    QCOMPARE(aligned.size(), 1);
    QCOMPARE(doc.revision(), revision);
    QVERIFY(!doc.isModified());
    QVERIFY(!doc.canUndo());
    doc.setAlignment(0, 1, TextAlignment::Center);
    QCOMPARE(aligned.size(), 1);
}

void TstTextDocument::highlightsMoveAndSplit()
{
    TextDocument doc;
    doc.setPlainText(u"0123456789");
    QSignalSpy marks(&doc, &TextDocument::highlightsChanged);
    doc.addHighlight(2, 4); // 2345
    doc.addHighlight(7, 2); // 78
    doc.insert(0, u"ab");   // before: both move
    using H = TextDocument::Highlight;
    QCOMPARE(doc.highlights(), (std::vector<H>{{4, 4}, {9, 2}}));
    doc.insert(6, u"xy"); // inside the first: split, the new text unmarked
    QCOMPARE(doc.highlights(), (std::vector<H>{{4, 2}, {8, 2}, {11, 2}}));
    doc.insert(13, u"!"); // at the end of a mark: not marked
    QCOMPARE(doc.highlights(), (std::vector<H>{{4, 2}, {8, 2}, {11, 2}}));
    doc.remove(5, 4); // across a mark's edges
    QCOMPARE(doc.highlights(), (std::vector<H>{{4, 1}, {5, 1}, {7, 2}}));
    doc.remove(7, 2);
    QCOMPARE(doc.highlights(), (std::vector<H>{{4, 1}, {5, 1}}));
    QVERIFY(marks.size() >= 5);
    doc.setPlainText(u"new");
    QVERIFY(doc.highlights().empty());
}

void TstTextDocument::byteSizeCountsEncodingAndLineEnds()
{
    TextDocument doc;
    doc.reset(TextStorage::fromFileText(u"a\r\nb\u00e9\n\U0001F600"), {}, -1);
    QCOMPARE(doc.byteSize(), 1 + 2 + 1 + 2 + 1 + 4);
    TextFormat format;
    format.encoding = TextEncoding::Utf16LE;
    format.bom = true;
    doc.setFormat(format);
    QCOMPARE(doc.byteSize(), 2 + 2 * (1 + 2 + 2 + 1 + 2));
    format.encoding = TextEncoding::SingleByte;
    format.bom = false;
    doc.setFormat(format);
    QCOMPARE(doc.byteSize(), 1 + 2 + 2 + 1 + 2);
    // An escaped byte is one byte; splitting a pair leaves two lone halves of three each.
    format.encoding = TextEncoding::Utf8;
    doc.setFormat(format);
    doc.insert(0, QString(QChar(ByteEscape::escape(0xFF))));
    QCOMPARE(doc.byteSize(), 1 + 1 + 2 + 1 + 2 + 1 + 4);
    const qint64 before = doc.byteSize();
    doc.insert(doc.length() - 1, u"z");
    QCOMPARE(doc.byteSize(), before + 1 - 4 + 6);
    doc.remove(doc.length() - 2, 1);
    QCOMPARE(doc.byteSize(), before);
}

void TstTextDocument::largeTextsStayCompact()
{
    // Ten thousand lines of ASCII: a byte a character and a few bytes a line.
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("line %1 of the text\n").arg(i);
    TextDocument doc;
    doc.setPlainText(text);
    QVERIFY(doc.storage().bytesUsed() < text.size() * 1 + doc.lineCount() * 8 + 64 * 1024);
    QCOMPARE(doc.lineText(5000), QStringLiteral("line 5000 of the text"));
    // One character outside Latin-1 widens only the block it lands in.
    doc.insert(doc.lineStart(5000), u"\u20ac");
    QVERIFY(doc.storage().bytesUsed() < text.size() * 1 + doc.lineCount() * 8 + 64 * 1024);
}

QTEST_GUILESS_MAIN(TstTextDocument)
#include "tst_textdocument.moc"
