// Times Replace All and Find Next on large texts in a document, without a view. Prints the
// median of five runs.
#include "benchtext.h"
#include "controls/textdocument.h"
#include "workspace/searchtarget.h"
#include "workspace/workspacesearch.h"

#include <QElapsedTimer>
#include <QList>

#include <cstdio>
#include <functional>

namespace {

using BenchText::makeText;
using BenchText::report;

constexpr int runs = 5;

class DocumentTarget : public SearchTarget
{
public:
    explicit DocumentTarget(const QString &text) { m_doc.setPlainText(text); }

    const TextStorage &text() const override { return m_doc.storage(); }
    qsizetype selectionStart() const override { return m_selStart; }
    qsizetype selectionLength() const override { return m_selLength; }
    void setSelection(qsizetype start, qsizetype length) override
    {
        m_selStart = start;
        m_selLength = length;
    }
    void replaceRange(qsizetype start, qsizetype length, const QString &text) override
    {
        m_doc.replace(start, length, text, {}, {});
    }
    void replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                            const QString &text) override
    {
        m_doc.replaceAll(starts, length, text, {}, {});
    }
    void markFound(qsizetype, qsizetype) override { }

    QString content() const { return m_doc.toPlainText(); }
    qsizetype textLength() const { return m_doc.length(); }

private:
    TextDocument m_doc;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
};

void benchReplaceAll(SearchOptions options, const char *what)
{
    const QString text = makeText(10 << 20, 17, u"needle"_qs);
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        DocumentTarget target(text);
        WorkspaceSearch search(target);
        QElapsedTimer timer;
        timer.start();
        search.Replace(u"needle"_qs, u"thread"_qs, options | SearchOption::ReplaceAll);
        times.append(timer.nsecsElapsed() / 1e6);
        if (target.content().count(u"thread"_qs) != text.count(u"needle"_qs))
            std::printf("  wrong result\n");
    }
    report(what, times);
}

void benchFindAtEnd(SearchOptions options, const char *what)
{
    QString text = makeText(100 << 20, 1, QString());
    text += u" needle"_qs;
    DocumentTarget target(text);
    WorkspaceSearch search(target);
    QList<double> first, again;
    for (int run = 0; run < runs; ++run) {
        for (QList<double> *times : {&first, &again}) {
            target.setSelection(0, 0);
            QElapsedTimer timer;
            timer.start();
            const bool found = search.Find(u"needle"_qs, options | SearchOption::Down).isEmpty();
            times->append(timer.nsecsElapsed() / 1e6);
            if (!found || target.selectionStart() != target.textLength() - 6)
                std::printf("  wrong result\n");
        }
    }
    report((QByteArray(what) + ", first").constData(), first);
    report((QByteArray(what) + ", again").constData(), again);
}

} // namespace

int main()
{
    std::printf("Replace All, 10 MB text, 100,000+ occurrences (target < 1000 ms)\n");
    const int occurrences = int(makeText(10 << 20, 17, u"needle"_qs).count(u"needle"_qs));
    std::printf("  (%d occurrences)\n", occurrences);
    benchReplaceAll(SearchOption::MatchCase, "match case");
    benchReplaceAll(SearchOptions(), "ignoring case");
    benchReplaceAll(SearchOption::WholeWord, "whole word, ignoring case");

    std::printf(
            "Find Next from the start to a hit at the end of a 100 MB text (target < 500 ms)\n");
    benchFindAtEnd(SearchOption::MatchCase, "match case");
    benchFindAtEnd(SearchOptions(), "ignoring case");
    benchFindAtEnd(SearchOption::WholeWord, "whole word, ignoring case");
    benchFindAtEnd(SearchOption::WholeWord | SearchOption::MatchCase, "whole word, match case");
    return 0;
}
