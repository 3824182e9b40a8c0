// Times Replace All and Find Next through the Workspace's real view (offscreen): the search
// reading the document a window at a time, the one edit Replace All makes, the view shown
// after it, and its undo. Prints the median of five runs.
#include "benchtext.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "workspace/ui/viewsearchtarget.h"
#include "workspace/workspacesearch.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>
#include <limits>

namespace {

using BenchText::makeText;
using BenchText::report;

constexpr int runs = 5;

double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// A shown view over its document, as a Workspace has them.
struct Control
{
    Control()
    {
        edit.resize(800, 600);
        edit.show();
    }
    void load(const QString &text)
    {
        doc.setPlainText(text);
        QApplication::processEvents();
    }

    TextDocument doc;
    TextView edit{&doc};
    ViewSearchTarget target{&edit};
    WorkspaceSearch search{target};
};

void benchReplaceAll(SearchOptions options, const char *what)
{
    const QString text = makeText(10 << 20, 17, u"needle"_qs);
    Control control;
    QList<double> replace, shown, undo;
    for (int run = 0; run < runs; ++run) {
        control.load(text);
        control.edit.setSelection(0, 0);
        replace.append(millisecondsOf([&]() {
            control.search.Replace(u"needle"_qs, u"thread"_qs, options | SearchOption::ReplaceAll);
        }));
        shown.append(millisecondsOf([]() { QApplication::processEvents(); }));
        const QString result = control.doc.toPlainText();
        if (result.count(u"thread"_qs) != text.count(u"needle"_qs) || result.size() != text.size())
            std::printf("  wrong result\n");
        undo.append(millisecondsOf([&]() {
            control.edit.undo();
            QApplication::processEvents();
        }));
        if (control.doc.toPlainText() != text)
            std::printf("  undo did not restore the text\n");
    }
    report((QByteArray(what) + ", Replace All (search, edit)").constData(), replace);
    report((QByteArray(what) + ", then shown").constData(), shown);
    report((QByteArray(what) + ", undo").constData(), undo);
}

void benchFindAtEnd(Control &control, SearchOptions options, const char *what)
{
    QList<double> first, again;
    for (int run = 0; run < runs; ++run) {
        for (QList<double> *times : {&first, &again}) {
            control.edit.setSelection(0, 0);
            bool found = false;
            times->append(millisecondsOf([&]() {
                found = control.search.Find(u"needle"_qs, options | SearchOption::Down).isEmpty();
            }));
            if (!found || control.edit.selectionStart() != control.doc.length() - 6)
                std::printf("  wrong result\n");
        }
    }
    report((QByteArray(what) + ", first").constData(), first);
    report((QByteArray(what) + ", again").constData(), again);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::printf("Replace All through the view, 10 MB text, 100,000+ occurrences "
                "(target < 250 ms)\n");
    const int occurrences = int(makeText(10 << 20, 17, u"needle"_qs).count(u"needle"_qs));
    std::printf("  (%d occurrences)\n", occurrences);
    benchReplaceAll(SearchOption::MatchCase, "match case");
    benchReplaceAll(SearchOptions(), "ignoring case");
    benchReplaceAll(SearchOption::WholeWord, "whole word, ignoring case");

    std::printf("Find Next through the view from the start to a hit at the end of a 100 MB "
                "text (target < 500 ms)\n");
    Control control;
    {
        QString text = makeText(100 << 20, 1, QString());
        text += u" needle"_qs;
        const double loading = millisecondsOf([&]() { control.load(text); });
        std::printf("  (loading took %.0f ms)\n", loading);
    }
    benchFindAtEnd(control, SearchOption::MatchCase, "match case");
    benchFindAtEnd(control, SearchOptions(), "ignoring case");
    benchFindAtEnd(control, SearchOption::WholeWord, "whole word, ignoring case");
    return 0;
}
