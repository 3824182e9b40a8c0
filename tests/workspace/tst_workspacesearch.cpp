#include "controls/textdocument.h"
#include "workspace/searchtarget.h"
#include "workspace/workspacesearch.h"

#include <QTest>

#include <algorithm>

Q_DECLARE_METATYPE(SearchOptions)

namespace {

// A document with a selection, counting the undo steps the search makes.
class FakeTarget : public SearchTarget
{
public:
    explicit FakeTarget(const QString &text, qsizetype selStart = 0, qsizetype selLength = 0)
        : m_selStart(selStart)
        , m_selLength(selLength)
    {
        m_doc.setPlainText(text);
    }

    const TextStorage &text() const override { return m_doc.storage(); }
    qsizetype selectionStart() const override { return m_selStart; }
    qsizetype selectionLength() const override { return m_selLength; }
    void setSelection(qsizetype start, qsizetype length) override
    {
        QVERIFY(start >= 0 && length >= 0 && start + length <= m_doc.length());
        m_selStart = start;
        m_selLength = length;
    }
    void replaceRange(qsizetype start, qsizetype length, const QString &text) override
    {
        QVERIFY(start >= 0 && length >= 0 && start + length <= m_doc.length());
        m_doc.replace(start, length, text, {}, {});
        ++m_undoSteps;
    }
    void replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                            const QString &text) override
    {
        [&] {
            QVERIFY(!starts.isEmpty());
            QVERIFY(std::is_sorted(starts.begin(), starts.end()));
            for (qsizetype i = 1; i < starts.size(); ++i)
                QVERIFY(starts[i] >= starts[i - 1] + length);
            QVERIFY(starts.last() + length <= m_doc.length());
        }();
        m_doc.replaceAll(starts, length, text, {}, {});
        ++m_undoSteps;
    }
    void markFound(qsizetype start, qsizetype length) override { m_marks.append({start, length}); }

    QString plainText() const { return m_doc.toPlainText(); }

    TextDocument m_doc;
    qsizetype m_selStart;
    qsizetype m_selLength;
    int m_undoSteps = 0;
    QList<QPair<qsizetype, qsizetype>> m_marks;
};

using Selection = QPair<qsizetype, qsizetype>;

Selection selectionOf(const FakeTarget &target)
{
    return {target.m_selStart, target.m_selLength};
}

constexpr SearchOptions down = SearchOption::Down;

} // namespace

class TestWorkspaceSearch : public QObject
{
    Q_OBJECT

private slots:
    void findNextWalksThroughTheHits();
    void emptyFindTextNeverMatches();
    void replace_data();
    void replace();
    void replaceAllIsOneUndoStep();
    void replaceThenReplaceAll();
};

void TestWorkspaceSearch::findNextWalksThroughTheHits()
{
    FakeTarget target(u"one two one two"_qs);
    WorkspaceSearch search(target);
    QCOMPARE(search.Find(u"TWO"_qs, down), QString());
    QCOMPARE(selectionOf(target), Selection(4, 3));
    QCOMPARE(search.Find(u"TWO"_qs, down), QString());
    QCOMPARE(selectionOf(target), Selection(12, 3));
    QCOMPARE(search.Find(u"TWO"_qs, down), u"Cannot find \"TWO\"."_qs);
    QCOMPARE(selectionOf(target), Selection(12, 3));
    QCOMPARE(search.Find(u"two"_qs, SearchOptions()), QString());
    QCOMPARE(selectionOf(target), Selection(4, 3));
    QCOMPARE(search.Find(u"TWO"_qs, SearchOption::MatchCase), u"Cannot find \"TWO\"."_qs);
    // Every hit stays marked; a failed search marks nothing.
    QCOMPARE(target.m_marks, (QList<Selection>{{4, 3}, {12, 3}, {4, 3}}));
    QCOMPARE(target.m_undoSteps, 0);
}

void TestWorkspaceSearch::emptyFindTextNeverMatches()
{
    FakeTarget target(u"abc"_qs, 1, 0);
    WorkspaceSearch search(target);
    QCOMPARE(search.Find(QString(), down), u"Cannot find \"\"."_qs);
    QCOMPARE(search.Replace(QString(), u"x"_qs, down | SearchOption::Replace),
             u"Cannot find \"\"."_qs);
    QCOMPARE(search.Replace(QString(), u"x"_qs, down | SearchOption::ReplaceAll), QString());
    QCOMPARE(target.plainText(), u"abc"_qs);
    QCOMPARE(selectionOf(target), Selection(1, 0));
    QVERIFY(target.m_marks.isEmpty());

    FakeTarget empty{QString()};
    WorkspaceSearch inEmpty(empty);
    QCOMPARE(inEmpty.Find(u"a"_qs, down), u"Cannot find \"a\"."_qs);
}

void TestWorkspaceSearch::replace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QString>("replaceText");
    QTest::addColumn<SearchOptions>("options");
    QTest::addColumn<QString>("result");
    QTest::addColumn<Selection>("selection");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("undoSteps");

    const SearchOptions one = down | SearchOption::Replace;
    const SearchOptions all = down | SearchOption::ReplaceAll;
    const SearchOptions matchCase = SearchOption::MatchCase;
    const SearchOptions whole = SearchOption::WholeWord;
    const QString none;
    const QString cannotFind = u"Cannot find \"abc\"."_qs;

    QTest::newRow("replace the hit, select the next")
            << u"abc abc"_qs << 0 << 3 << u"abc"_qs << u"x"_qs << one << u"x abc"_qs
            << Selection(2, 3) << none << 1;
    QTest::newRow("no hit selected: only select one")
            << u"abc abc"_qs << 0 << 0 << u"abc"_qs << u"x"_qs << one << u"abc abc"_qs
            << Selection(0, 3) << none << 0;
    QTest::newRow("selection in other case") << u"ABC abc"_qs << 0 << 3 << u"abc"_qs << u"x"_qs
                                             << one << u"x abc"_qs << Selection(2, 3) << none << 1;
    QTest::newRow("match case: other case stays")
            << u"ABC abc"_qs << 0 << 3 << u"abc"_qs << u"x"_qs << (one | matchCase) << u"ABC abc"_qs
            << Selection(4, 3) << none << 0;
    QTest::newRow("whole word: part of a word stays")
            << u"xabc abc"_qs << 1 << 3 << u"abc"_qs << u"y"_qs << (one | whole) << u"xabc abc"_qs
            << Selection(5, 3) << none << 0;
    QTest::newRow("last hit replaced: message")
            << u"abc"_qs << 0 << 3 << u"abc"_qs << u"xyz"_qs << one << u"xyz"_qs << Selection(3, 0)
            << cannotFind << 1;
    QTest::newRow("text emptied: message") << u"abc"_qs << 0 << 3 << u"abc"_qs << QString() << one
                                           << QString() << Selection(0, 0) << cannotFind << 1;
    QTest::newRow("replacement holds the find text")
            << u"abc abc"_qs << 0 << 3 << u"abc"_qs << u"abcabc"_qs << one << u"abcabc abc"_qs
            << Selection(7, 3) << none << 1;

    QTest::newRow("all") << u"abc, abc; ABC"_qs << 0 << 0 << u"abc"_qs << u"xy"_qs << all
                         << u"xy, xy; xy"_qs << Selection(10, 0) << none << 1;
    QTest::newRow("all from the caret on") << u"abc abc abc"_qs << 4 << 0 << u"abc"_qs << u"x"_qs
                                           << all << u"abc x x"_qs << Selection(7, 0) << none << 1;
    QTest::newRow("all, selected hit first") << u"abc abc"_qs << 4 << 3 << u"abc"_qs << u"x"_qs
                                             << all << u"abc x"_qs << Selection(5, 0) << none << 1;
    QTest::newRow("all, replacement holds the find text")
            << u"aaa"_qs << 0 << 0 << u"a"_qs << u"aa"_qs << all << u"aaaaaa"_qs << Selection(6, 0)
            << none << 1;
    QTest::newRow("all, overlapping hits") << u"aaaaa"_qs << 0 << 0 << u"aa"_qs << u"b"_qs << all
                                           << u"bba"_qs << Selection(2, 0) << none << 1;
    QTest::newRow("all, deleting") << u"abab"_qs << 0 << 0 << u"ab"_qs << QString() << all
                                   << QString() << Selection(0, 0) << none << 1;
    QTest::newRow("all, match case")
            << u"abc ABC abc"_qs << 0 << 0 << u"abc"_qs << u"x"_qs << (all | matchCase)
            << u"x ABC x"_qs << Selection(7, 0) << none << 1;
    // A whole-word search starts after the word the caret stands in.
    QTest::newRow("all, whole word")
            << u"cat concat cat. cat"_qs << 0 << 0 << u"cat"_qs << u"dog"_qs << (all | whole)
            << u"cat concat dog. dog"_qs << Selection(19, 0) << none << 1;
    QTest::newRow("all, whole word, selected word")
            << u"cat concat cat"_qs << 0 << 3 << u"cat"_qs << u"dog"_qs << (all | whole)
            << u"dog concat dog"_qs << Selection(14, 0) << none << 1;
    QTest::newRow("all, non-ASCII letters")
            << u"\u00C4rger \u00E4rger \u00E4rgern"_qs << 0 << 5 << u"\u00E4rger"_qs << u"x"_qs
            << all << u"x x xn"_qs << Selection(5, 0) << none << 1;
    // Removing the low half found after a high surrogate lets the next unit pair up with it.
    const auto units = [](std::initializer_list<char16_t> list) {
        QString text;
        for (char16_t c : list)
            text += QChar(c);
        return text;
    };
    QTest::newRow("all, a surrogate pairing up anew")
            << units({0xD801, 0xDC00, 0xDC28}) << 0 << 0 << units({0xDC00}) << QString() << all
            << units({0xD801}) << Selection(1, 0) << none << 1;
    QTest::newRow("all, no hit: nothing changes, no message")
            << u"xyz"_qs << 1 << 1 << u"abc"_qs << u"x"_qs << all << u"xyz"_qs << Selection(1, 1)
            << none << 0;
    QTest::newRow("all, even when the options say up")
            << u"abc abc"_qs << 0 << 0 << u"abc"_qs << u"x"_qs
            << SearchOptions(SearchOption::ReplaceAll) << u"x x"_qs << Selection(3, 0) << none << 1;
}

void TestWorkspaceSearch::replace()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, findText);
    QFETCH(QString, replaceText);
    QFETCH(SearchOptions, options);
    QFETCH(QString, result);
    QFETCH(Selection, selection);
    QFETCH(QString, message);
    QFETCH(int, undoSteps);

    FakeTarget target(text, selStart, selLength);
    WorkspaceSearch search(target);
    QCOMPARE(search.Replace(findText, replaceText, options), message);
    QCOMPARE(target.plainText(), result);
    QCOMPARE(selectionOf(target), selection);
    QCOMPARE(target.m_undoSteps, undoSteps);
}

// Hits on both sides of the windows the search reads the document in, replaced in one step.
void TestWorkspaceSearch::replaceAllIsOneUndoStep()
{
    QString text;
    for (int i = 0; i < 30000; ++i)
        text += QStringLiteral("ab cat %1 Cat\n").arg(i % 7);
    FakeTarget target(text);
    WorkspaceSearch search(target);
    QCOMPARE(search.Replace(u"cat"_qs, u"dog"_qs, down | SearchOption::ReplaceAll), QString());
    QString expected = text;
    expected.replace(u"cat"_qs, u"dog"_qs, Qt::CaseInsensitive);
    QCOMPARE(target.plainText(), expected);
    QCOMPARE(target.m_undoSteps, 1);
    QVERIFY(target.m_doc.undo());
    QCOMPARE(target.plainText(), text);
}

void TestWorkspaceSearch::replaceThenReplaceAll()
{
    FakeTarget target(u"abc abc abc abc"_qs);
    WorkspaceSearch search(target);
    const SearchOptions one = down | SearchOption::Replace;
    QCOMPARE(search.Replace(u"abc"_qs, u"x"_qs, one), QString());
    QCOMPARE(target.plainText(), u"abc abc abc abc"_qs);
    QCOMPARE(search.Replace(u"abc"_qs, u"x"_qs, one), QString());
    QCOMPARE(target.plainText(), u"x abc abc abc"_qs);
    QCOMPARE(selectionOf(target), Selection(2, 3));
    QCOMPARE(search.Replace(u"abc"_qs, u"x"_qs, down | SearchOption::ReplaceAll), QString());
    QCOMPARE(target.plainText(), u"x x x x"_qs);
    QCOMPARE(target.m_undoSteps, 2);
    QCOMPARE(search.Find(u"abc"_qs, down), u"Cannot find \"abc\"."_qs);
}

QTEST_GUILESS_MAIN(TestWorkspaceSearch)
#include "tst_workspacesearch.moc"
