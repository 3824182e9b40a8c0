// Prints a long text into a PDF file at the printer's full resolution and reports the time the
// printing took, the pages printed and whether the PDF holds them all (read back with the
// poppler tools). The report gives the median of the runs.
//
//   bench_print [lines] [runs]        defaults: 150000 lines, 3 runs

#include "controls/textdocument.h"
#include "controls/ui/pagedtextprinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString &path)
{
    const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("(^|\\n)Pages: +(\\d+)\\n"))
                    .match(run(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(2).toInt() : -1;
}

QString lastPageText(const QString &path, int pages)
{
    const QString page = QString::number(pages);
    return run(QStringLiteral("pdftotext"), {"-f", page, "-l", page, path, "-"});
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::max(1, atoi(argv[1])) : 150000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;

    QString text;
    for (int i = 1; i <= lines; ++i)
        text += QStringLiteral("Line %1 of the text to print, long enough to look like prose.\n")
                        .arg(i);
    TextDocument doc;
    doc.setPlainText(text);

    QTemporaryDir dir;
    std::vector<qint64> times;
    for (int i = 0; i < runs; ++i) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("bench.pdf")));
        QElapsedTimer timer;
        timer.start();
        PagedTextPrinter paged(doc, QFont(), 96);
        const int pages = paged.print(&printer) ? paged.pageCount() : 0;
        times.push_back(timer.elapsed());
        const int inFile = pdfPages(printer.outputFileName());
        const QString lastLine = QStringLiteral("Line %1 of").arg(lines);
        const bool complete = lastPageText(printer.outputFileName(), inFile).contains(lastLine);
        std::printf("run %d: %lld ms, %d pages printed at %d dpi, %d in the PDF, last line %s\n",
                    i + 1, static_cast<long long>(times.back()), pages, printer.resolution(),
                    inFile, complete ? "on the last page" : "MISSING");
    }
    std::sort(times.begin(), times.end());
    std::printf("%d lines: median %lld ms over %d runs\n", lines,
                static_cast<long long>(times[times.size() / 2]), runs);
    return 0;
}
