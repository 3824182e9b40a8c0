// What keeping unsaved edits safe costs, against the whole copy a journal of edits replaces:
// in a 100 MB text, a keystroke's record written and synced, a paste of 1 MB, an edit of every
// line (a case change of all text), beside writing a whole copy of the text and syncing it.
// Medians of five runs; the journals go to the folder given as the first argument (default:
// the temp folder).
#include "benchfolder.h"
#include "controls/textdocument.h"
#include "workspace/recoveryjournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kRuns = 5;

// Changes a unit in about one of fifteen, and every run undoes the run before.
char16_t swapA(char16_t c)
{
    return c == u'a' ? u'A' : c == u'A' ? u'a' : c;
}

QString makeText(qsizetype size)
{
    const QString line = QStringLiteral("The quick brown fox jumps over the lazy dog, again %1\n");
    QString text;
    text.reserve(size + 128);
    for (int i = 0; text.size() < size; ++i)
        text += line.arg(i);
    return text;
}

double medianMs(const std::function<void()> &prepare, const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(BenchFolder::templateFor(argc, argv));
    if (!dir.isValid())
        qFatal("cannot create a folder for the journals");
    const QString text = makeText(100 * 1024 * 1024);
    TextDocument document;
    document.setPlainText(text);
    RecoveryJournal journal(dir.path(), &document);
    journal.setBase({dir.filePath(QStringLiteral("base.txt")), {}});
    // The first edit starts the journal; what follows is what each later edit costs.
    document.insert(0, QStringLiteral("x"));
    journal.flush();

    std::printf("Recovery journal on a %.0f MB text, ms, median of %d runs\n",
                double(text.size()) / (1024 * 1024), kRuns);
    qsizetype caret = document.length() / 2;
    const double key = medianMs([] {},
                                [&] {
                                    document.insert(caret++, QStringLiteral("a"));
                                    journal.flush();
                                });
    std::printf("%-40s %10.2f\n", "a keystroke, written and synced", key);
    const QString pasted = makeText(1024 * 1024);
    const double paste = medianMs([] {},
                                  [&] {
                                      document.insert(caret, pasted);
                                      journal.flush();
                                  });
    std::printf("%-40s %10.2f\n", "a 1 MB paste, written and synced", paste);
    std::vector<double> edits, records;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        document.mapCharacters(0, document.length(), swapA, TextSelection{});
        edits.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.start();
        journal.flush();
        records.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(edits.begin(), edits.end());
    std::sort(records.begin(), records.end());
    std::printf("%-40s %10.2f\n", "a case change of the whole text", edits[kRuns / 2]);
    std::printf("%-40s %10.2f\n", "  its journal record, written and synced", records[kRuns / 2]);
    const QString copyPath = dir.filePath(QStringLiteral("copy"));
    const double copy =
            medianMs([] {},
                     [&] {
                         QFile out(copyPath);
                         if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
                             qFatal("cannot write the copy");
                         const QString all = document.toPlainText();
                         out.write(reinterpret_cast<const char *>(all.utf16()), all.size() * 2);
                         out.flush();
                         ::fsync(out.handle());
                     });
    std::printf("%-40s %10.2f\n", "a whole copy of the text, synced", copy);
    std::printf("A keystroke costs %.4f of a whole copy\n", key / copy);
    return 0;
}
