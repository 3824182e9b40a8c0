#include "controls/linesegments.h"
#include "controls/longlineindex.h"
#include "controls/textdocument.h"

#include <QRandomGenerator>
#include <QTest>

// The segments a view cuts long lines into, and the index of long lines that turns scroll
// units into lines, checked against counting every line of the text.
class TestLongLineIndex : public QObject
{
    Q_OBJECT

private slots:
    void segmentsCoverTheLine_data();
    void segmentsCoverTheLine();
    void indexFollowsEdits();
};

void TestLongLineIndex::segmentsCoverTheLine_data()
{
    QTest::addColumn<QString>("line");
    const qsizetype size = LineSegments::kSize;
    QTest::newRow("short") << QString(size, u'x');
    QTest::newRow("one unit over") << QString(size + 1, u'x');
    QTest::newRow("words") << QString(u"lorem ipsum "_qs).repeated(3 * size / 12 + 5);
    QString pairs;
    while (pairs.size() < 3 * size)
        pairs += u"\U0001F600"_qs;
    QTest::newRow("surrogate pairs") << pairs;
    QString marks;
    while (marks.size() < 3 * size)
        marks += u"e\u0301\u0302"_qs;
    QTest::newRow("combining marks") << marks;
}

void TestLongLineIndex::segmentsCoverTheLine()
{
    QFETCH(QString, line);
    TextDocument document;
    document.setPlainText(u"first\n"_qs + line + u"\nlast"_qs);
    const LineSegments segments(document, 1);
    QCOMPARE(segments.lineLength(), line.size());
    QCOMPARE(segments.count(), LineSegments::countFor(line.size()));
    qsizetype previous = 0;
    for (qsizetype k = 0; k < segments.count(); ++k) {
        const qsizetype start = segments.start(k);
        QCOMPARE(start, previous);
        QVERIFY(segments.end(k) > start);
        QVERIFY(segments.end(k) - start <= LineSegments::kSize + LineSegments::kSlack);
        // No cut splits a pair or leaves a mark without its base.
        if (start > 0) {
            QVERIFY(!(line[start].isLowSurrogate() && line[start - 1].isHighSurrogate()));
            QVERIFY(!line[start].isMark());
        }
        for (qsizetype local : {start, segments.end(k) - 1})
            QCOMPARE(segments.segmentOf(local), k);
        previous = segments.end(k);
    }
    QCOMPARE(previous, line.size());
    QCOMPARE(segments.segmentOf(line.size()), segments.count() - 1);
}

void TestLongLineIndex::indexFollowsEdits()
{
    TextDocument document;
    LongLineIndex index;
    QObject::connect(&document, &TextDocument::contentsChanged, &document,
                     [&](const TextChange &change) { index.update(document.storage(), change); });
    const qsizetype size = LineSegments::kSize;
    document.setPlainText(QString(3 * size, u'a') + u"\nb\n"_qs + QString(size + 7, u'c'));
    index.reset(document.storage());
    QRandomGenerator random(7);
    qsizetype longestEver = 0;
    for (int round = 0; round < 300; ++round) {
        const qsizetype length = document.length();
        const qsizetype at = random.bounded(int(length + 1));
        const qsizetype removed = qMin<qsizetype>(length - at, random.bounded(3 * int(size)));
        QString inserted;
        switch (random.bounded(4)) {
        case 0:
            inserted = QString(random.bounded(2 * int(size)), u'z');
            break;
        case 1:
            inserted = u"\n"_qs.repeated(random.bounded(1, 4));
            break;
        case 2:
            inserted = QString(random.bounded(100), u'y') + u'\n' + QString(size, u'w');
            break;
        default:
            break;
        }
        document.replace(at, removed, inserted, {}, {});

        // Every line's units, counted the slow way.
        qsizetype unit = 0;
        qsizetype longest = 0;
        for (qsizetype line = 0; line < document.lineCount(); ++line) {
            const qsizetype segments = LineSegments::countFor(document.lineLength(line));
            longest = qMax(longest, document.lineLength(line));
            QCOMPARE(index.unitOf(line, 0), unit);
            for (qsizetype k = 0; k < segments; ++k) {
                const auto [l, s] = index.lineOfUnit(unit + k);
                QCOMPARE(l, line);
                QCOMPARE(s, k);
            }
            unit += segments;
        }
        QCOMPARE(index.unitCount(document.lineCount()), unit);
        longestEver = qMax(longestEver, longest);
        // Between resets the longest line only grows: it bounds the text's width.
        QVERIFY(index.longestLine() >= longest);
        QVERIFY(index.longestLine() <= longestEver);
    }
    index.reset(document.storage());
    qsizetype longest = 0;
    for (qsizetype line = 0; line < document.lineCount(); ++line)
        longest = qMax(longest, document.lineLength(line));
    QCOMPARE(index.longestLine(), longest);
}

QTEST_GUILESS_MAIN(TestLongLineIndex)
#include "tst_longlineindex.moc"
