#include "common/plainsearch.h"
#include "controls/textdocument.h"
#include "workspace/searchbuf.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// "down", "up", plus "whole" and "case" in any order.
SearchOptions optionsOf(const QString &words)
{
    SearchOptions options;
    const QStringList list = words.split(u' ', Qt::SkipEmptyParts);
    if (list.contains(u"down"_qs))
        options |= SearchOption::Down;
    if (list.contains(u"whole"_qs))
        options |= SearchOption::WholeWord;
    if (list.contains(u"case"_qs))
        options |= SearchOption::MatchCase;
    return options;
}

} // namespace

class TestSearchBuf : public QObject
{
    Q_OBJECT

private slots:
    void search_data();
    void search();
    void occurrence_data();
    void occurrence();
    void agreesWithPlainSearch();
    void documentSearchAgreesAcrossWindows();
};

void TestSearchBuf::search_data()
{
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("hit");

    // Direction and the selection.
    QTest::newRow("down continues after the hit")
            << u"abcabc"_qs << 0 << 3 << u"abc"_qs << u"down"_qs << 3;
    QTest::newRow("down never finds the same hit twice")
            << u"abcabc"_qs << 3 << 3 << u"abc"_qs << u"down"_qs << -1;
    QTest::newRow("down from inside a hit")
            << u"abcabc"_qs << 1 << 0 << u"abc"_qs << u"down"_qs << 3;
    QTest::newRow("down, hit ends at the text's end")
            << u"xxabc"_qs << 0 << 0 << u"abc"_qs << u"down"_qs << 2;
    QTest::newRow("down, caret at the end") << u"abc"_qs << 3 << 0 << u"abc"_qs << u"down"_qs << -1;
    QTest::newRow("down, selection past the end")
            << u"abc"_qs << 2 << 5 << u"a"_qs << u"down"_qs << -1;
    QTest::newRow("up continues before the hit")
            << u"abcabc"_qs << 3 << 3 << u"abc"_qs << u"up"_qs << 0;
    QTest::newRow("up, caret 3 tries position 0 only")
            << u"xbcabc"_qs << 3 << 0 << u"abc"_qs << u"up"_qs << -1;
    QTest::newRow("up, caret 3 finds position 0")
            << u"abcabc"_qs << 3 << 0 << u"abc"_qs << u"up"_qs << 0;
    QTest::newRow("up, caret too near the start")
            << u"abcabc"_qs << 2 << 0 << u"abc"_qs << u"up"_qs << -1;
    QTest::newRow("up, hit ending at the caret")
            << u"ab ab ab"_qs << 8 << 0 << u"ab"_qs << u"up"_qs << 6;
    QTest::newRow("overlapping, down") << u"aaaa"_qs << 0 << 2 << u"aa"_qs << u"down"_qs << 2;
    QTest::newRow("overlapping, up") << u"aaaa"_qs << 4 << 0 << u"aa"_qs << u"up"_qs << 2;

    // Nothing to search or nothing to find.
    QTest::newRow("empty text, down") << u"abc"_qs << 0 << 0 << QString() << u"down"_qs << -1;
    QTest::newRow("empty text, up") << u"abc"_qs << 3 << 0 << QString() << u"up"_qs << -1;
    QTest::newRow("empty buffer") << QString() << 0 << 0 << u"a"_qs << u"down"_qs << -1;
    QTest::newRow("text longer than the buffer")
            << u"ab"_qs << 0 << 0 << u"abc"_qs << u"down"_qs << -1;

    // Case.
    QTest::newRow("ignoring case") << u"xxABCxx"_qs << 0 << 0 << u"abc"_qs << u"down"_qs << 2;
    QTest::newRow("match case skips other case")
            << u"ABC abc"_qs << 0 << 0 << u"abc"_qs << u"down case"_qs << 4;
    QTest::newRow("match case, up") << u"abc ABC"_qs << 7 << 0 << u"abc"_qs << u"up case"_qs << 0;
    QTest::newRow("match case, none") << u"ABC"_qs << 0 << 0 << u"abc"_qs << u"down case"_qs << -1;
    QTest::newRow("accented capital")
            << u"une \u00C9COLE"_qs << 0 << 0 << u"\u00E9cole"_qs << u"down"_qs << 4;
    QTest::newRow("accented, match case")
            << u"une \u00C9COLE"_qs << 0 << 0 << u"\u00E9cole"_qs << u"down case"_qs << -1;
    QTest::newRow("Cyrillic") << u"\u041F\u0420\u0418\u0412\u0415\u0422"_qs << 6 << 0
                              << u"\u043F\u0440\u0438"_qs << u"up"_qs << 0;
    QTest::newRow("dotless i upper-cases to I")
            << u"k\u0131sa"_qs << 0 << 0 << u"KISA"_qs << u"down"_qs << 0;
    QTest::newRow("sharp s stays one character")
            << u"Stra\u00DFe strasse"_qs << 0 << 0 << u"STRASSE"_qs << u"down"_qs << 7;
    QTest::newRow("supplementary letter")
            << u"x\U00010428y"_qs << 0 << 0 << u"\U00010400"_qs << u"down"_qs << 1;
    QTest::newRow("supplementary, match case")
            << u"x\U00010428y"_qs << 0 << 0 << u"\U00010400"_qs << u"down case"_qs << -1;
    QTest::newRow("after an emoji") << u"\U0001F600abc"_qs << 4 << 0 << u"AB"_qs << u"up"_qs << 2;

    // Whole word.
    QTest::newRow("whole, down, caret inside a word")
            << u"abc abc"_qs << 1 << 0 << u"abc"_qs << u"down whole"_qs << 4;
    QTest::newRow("whole, down, caret at a word's start")
            << u"abc abc"_qs << 0 << 0 << u"abc"_qs << u"down whole"_qs << 4;
    QTest::newRow("whole, down, caret on a blank")
            << u"x abc"_qs << 1 << 0 << u"abc"_qs << u"down whole"_qs << 2;
    QTest::newRow("whole, down, tail of a word")
            << u"abcd"_qs << 0 << 0 << u"cd"_qs << u"down whole"_qs << -1;
    QTest::newRow("whole, down, head of a word")
            << u"x abcd"_qs << 0 << 0 << u"ab"_qs << u"down whole"_qs << -1;
    QTest::newRow("whole, down, hit at the end")
            << u"x abc"_qs << 0 << 0 << u"abc"_qs << u"down whole"_qs << 2;
    QTest::newRow("whole, down, longer word first")
            << u"abcx abc"_qs << 0 << 0 << u"abc"_qs << u"down whole"_qs << 5;
    QTest::newRow("whole, up, word then more")
            << u" abc"_qs << 4 << 0 << u"ab"_qs << u"up whole"_qs << -1;
    QTest::newRow("whole, up, across a blank")
            << u"ab cd"_qs << 5 << 0 << u"ab"_qs << u"up whole"_qs << 0;
    QTest::newRow("whole, up, whole text")
            << u"abc"_qs << 3 << 0 << u"abc"_qs << u"up whole"_qs << 0;
    QTest::newRow("whole, up, skips tail")
            << u"ab xab"_qs << 6 << 0 << u"ab"_qs << u"up whole"_qs << 0;
    QTest::newRow("whole, punctuation ends words")
            << u"(x) x.y"_qs << 2 << 0 << u"x"_qs << u"down whole"_qs << 4;
    QTest::newRow("whole, underscore ends words")
            << u"a_b"_qs << 0 << 0 << u"b"_qs << u"down whole"_qs << 2;
    QTest::newRow("whole, accent ends a word")
            << u"x caf\u00E9"_qs << 0 << 0 << u"caf"_qs << u"down whole"_qs << 2;
    QTest::newRow("whole, accent starts a word")
            << u"\u00E9abc"_qs << 0 << 0 << u"abc"_qs << u"down whole"_qs << 1;
    QTest::newRow("whole, accented word")
            << u"na\u00EFve na\u00EFve"_qs << 0 << 0 << u"NA\u00CFVE"_qs << u"down whole"_qs << 6;
    QTest::newRow("whole, up, accent before")
            << u"x \u00FCber"_qs << 6 << 0 << u"ber"_qs << u"up whole"_qs << 3;
    QTest::newRow("whole, digits are word characters")
            << u"a1 a"_qs << 0 << 0 << u"a"_qs << u"down whole"_qs << 3;
    QTest::newRow("whole, match case")
            << u"x ABC abc"_qs << 0 << 0 << u"abc"_qs << u"down whole case"_qs << 6;
}

void TestSearchBuf::search()
{
    QFETCH(QString, buffer);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, text);
    QFETCH(QString, options);
    QFETCH(int, hit);
    QCOMPARE(SearchBuf(buffer, selStart, selLength, text, optionsOf(options)), qsizetype(hit));
}

void TestSearchBuf::occurrence_data()
{
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("options");
    QTest::addColumn<bool>("expected");

    QTest::newRow("same case") << u"abc"_qs << 0 << u"abc"_qs << QString() << true;
    QTest::newRow("other case") << u"ABC"_qs << 0 << u"abc"_qs << QString() << true;
    QTest::newRow("other case, match case") << u"ABC"_qs << 0 << u"abc"_qs << u"case"_qs << false;
    QTest::newRow("different text") << u"abd"_qs << 0 << u"abc"_qs << QString() << false;
    QTest::newRow("part of a word") << u"xabc"_qs << 1 << u"abc"_qs << QString() << true;
    QTest::newRow("part of a word, whole word")
            << u"xabc"_qs << 1 << u"abc"_qs << u"whole"_qs << false;
    QTest::newRow("head of a word, whole word")
            << u"abcx"_qs << 0 << u"abc"_qs << u"whole"_qs << false;
    QTest::newRow("between delimiters, whole word")
            << u"(abc)"_qs << 1 << u"abc"_qs << u"whole"_qs << true;
    QTest::newRow("after an accent, whole word")
            << u"\u00E0abc"_qs << 1 << u"abc"_qs << u"whole"_qs << true;
    QTest::newRow("running past the end") << u"ab"_qs << 1 << u"bc"_qs << QString() << false;
    QTest::newRow("empty text") << u"ab"_qs << 0 << QString() << QString() << false;
}

void TestSearchBuf::occurrence()
{
    QFETCH(QString, buffer);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(QString, options);
    QFETCH(bool, expected);
    QCOMPARE(IsOccurrenceAt(buffer, position, text, optionsOf(options)), expected);
}

// The quick paths (Qt's own search for match case, the first-character test otherwise) must
// give exactly the hits of the plain candidate-by-candidate search.
void TestSearchBuf::agreesWithPlainSearch()
{
    const QString alphabet = u"aAbB ._\u00E9\u00C9\u0131I1\U00010428\U00010400"_qs;
    QRandomGenerator random(20261208);
    const auto randomText = [&](int maxLength) {
        QString s;
        const int n = random.bounded(maxLength + 1);
        for (int i = 0; i < n; ++i)
            s += alphabet[random.bounded(alphabet.size())];
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        // Long enough now and then for the eight-at-a-time scan.
        const QString buffer = randomText(round % 4 == 0 ? 60 : 14);
        QString text = randomText(3);
        if (!buffer.isEmpty() && random.bounded(2)) {
            const int from = random.bounded(buffer.size());
            text = buffer.mid(from, 1 + random.bounded(3));
        }
        const int selStart = random.bounded(buffer.size() + 2);
        const int selLength = random.bounded(3);
        const SearchOptions options = SearchOptions::fromInt(random.bounded(0x1000))
                & (SearchOption::Down | SearchOption::MatchCase | SearchOption::WholeWord);
        const qsizetype hit = SearchBuf(buffer, selStart, selLength, text, options);
        const qsizetype expected = PlainSearch::search(buffer, selStart, selLength, text, options);
        if (hit != expected)
            qWarning() << buffer << selStart << selLength << text << options.toInt();
        QCOMPARE(hit, expected);
        if (hit >= 0)
            QVERIFY(IsOccurrenceAt(buffer, hit, text, options));
    }
}

// A document is read a window at a time: hits, words and surrogate pairs that straddle the
// windows' edges are found as in one flat string.
void TestSearchBuf::documentSearchAgreesAcrossWindows()
{
    const QString alphabet = u"aAb \u00E9\u00C9\U00010428\U00010400\n"_qs;
    QRandomGenerator random(99);
    QString flat;
    while (flat.size() < 300000)
        flat += alphabet[random.bounded(alphabet.size())];
    TextDocument doc;
    doc.setPlainText(flat);
    const qsizetype edge = 1 << 16;
    for (int round = 0; round < 400; ++round) {
        const qsizetype around = edge * (1 + random.bounded(3)) + random.bounded(9) - 4;
        const QString text = flat.mid(around - random.bounded(3), 1 + random.bounded(4));
        // Starts just before, on and after an edge, and far from the hit, either way.
        const qsizetype selStart =
                round % 2 ? around - random.bounded(12) : random.bounded(int(flat.size()));
        const SearchOptions options = SearchOptions::fromInt(random.bounded(0x1000))
                & (SearchOption::Down | SearchOption::MatchCase | SearchOption::WholeWord);
        const qsizetype hit = SearchBuf(doc.storage(), selStart, 0, text, options);
        QCOMPARE(hit, SearchBuf(flat, selStart, 0, text, options));
        if (hit >= 0)
            QVERIFY(IsOccurrenceAt(doc.storage(), hit, text, options));
    }
}

QTEST_GUILESS_MAIN(TestSearchBuf)
#include "tst_searchbuf.moc"
