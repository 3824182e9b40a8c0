// What the text view costs where files are big: a 5 MB single line from document to first
// paint and per keystroke at its start, middle and end, with word wrap on and off; a
// keystroke in a 100 MB file of 1.2 million lines; and the paint of a screenful, laid out
// afresh and from the layout cache. Prints the median of several runs in milliseconds.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "benchtext.h"

#include "controls/textdocument.h"
#include "controls/ui/textview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>

#include <functional>

namespace {

constexpr int kRuns = 7;

double elapsedMs(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return double(timer.nsecsElapsed()) / 1e6;
}

QString singleLine(qsizetype size)
{
    return QString(u"lorem ipsum dolor sit amet, consectetur "_qs)
            .repeated(size / 40 + 1)
            .left(size);
}

QString manyLines(qsizetype size, qsizetype lines)
{
    const qsizetype perLine = size / lines;
    const QString line =
            QString(u"editor buffer window text "_qs).repeated(perLine / 27 + 1).left(perLine - 1)
            + u'\n';
    return line.repeated(lines);
}

void prepare(TextView &view)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    view.setTextFont(font);
    view.resize(1000, 800);
}

// A key typed as the window system would deliver it, with what follows it before the next
// one: the repaint and the deferred scroll bar update.
void typeKey(TextView &view, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&view, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&view, &release);
    view.viewport()->repaint();
    QCoreApplication::processEvents();
}

void benchLongLine(bool wrap)
{
    std::printf("5 MB on one line, word wrap %s\n", wrap ? "on" : "off");
    const QString text = singleLine(5 * 1024 * 1024);
    QList<double> load, shown, start, middle, end;
    for (int run = 0; run < kRuns; ++run) {
        TextDocument document;
        load.append(elapsedMs([&] { document.setPlainText(text); }));
        TextView view(&document);
        prepare(view);
        view.setWordWrap(wrap);
        shown.append(elapsedMs([&] {
            view.show();
            view.viewport()->repaint();
            QCoreApplication::processEvents();
        }));
        for (auto [times, at] :
             {std::pair{&start, qsizetype(0)}, std::pair{&middle, document.length() / 2},
              std::pair{&end, qsizetype(-1)}}) {
            view.setSelection(TextSelection::caret(at < 0 ? document.length() : at));
            view.viewport()->repaint();
            QCoreApplication::processEvents();
            times->append(elapsedMs([&] { typeKey(view, u'x'); }));
        }
        if (run == 0)
            std::printf("  laid out %lld units of %lld\n", qint64(view.laidOutUnits()),
                        qint64(document.length()));
    }
    BenchText::report("document from text (not the view)", load);
    BenchText::report("view shown and painted", shown);
    BenchText::report("keystroke at the start", start);
    BenchText::report("keystroke in the middle", middle);
    BenchText::report("keystroke at the end", end);
}

void benchBigFile()
{
    std::printf("100 MB in 1.2 million lines\n");
    TextDocument document;
    {
        const QString text = manyLines(100 * 1000 * 1000, 1200 * 1000);
        document.setPlainText(text);
    }
    for (bool wrap : {true, false}) {
        TextView view(&document);
        prepare(view);
        view.setWordWrap(wrap);
        QList<double> shown, keys, fresh, cached, far;
        shown.append(elapsedMs([&] {
            view.show();
            view.viewport()->repaint();
            QCoreApplication::processEvents();
        }));
        view.setSelection(TextSelection::caret(document.lineStart(600 * 1000) + 10));
        view.viewport()->repaint();
        for (int run = 0; run < kRuns; ++run) {
            keys.append(elapsedMs([&] { typeKey(view, u'x'); }));
            // A screenful never laid out before, then the same again from the cache.
            const qsizetype line = 100 * 1000 + run * 1000;
            view.setSelection(TextSelection::caret(document.lineStart(line)));
            fresh.append(elapsedMs([&] { view.viewport()->repaint(); }));
            cached.append(elapsedMs([&] { view.viewport()->repaint(); }));
            far.append(elapsedMs([&] {
                view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 3
                                                   + run * 997);
                view.viewport()->repaint();
            }));
        }
        std::printf(" word wrap %s\n", wrap ? "on" : "off");
        BenchText::report("view shown and painted", shown);
        BenchText::report("keystroke in the middle", keys);
        BenchText::report("paint of a new screenful", fresh);
        BenchText::report("paint of the same screenful again", cached);
        BenchText::report("scroll bar jump and paint", far);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchLongLine(false);
    benchLongLine(true);
    benchBigFile();
    return 0;
}
