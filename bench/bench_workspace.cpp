// Opens big files in a Workspace of the real frame (offscreen) and reports the time until the
// Workspace is shown and idle, the peak memory, and the cost of one typed character with every
// status update. Each measurement runs in a fresh process; the report gives medians of the runs.
//
//   bench_workspace [runs]            generate the files, run everything, print the report
//   bench_workspace --one FILE KEYS   one run on FILE typing KEYS characters (used by the above)
//
// LEAFSTACK_BENCH_NOWRAP=1 types with word wrap off.

#include "app/ui/tfrmmain.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "workspace/ui/tfrmedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void settle()
{
    // Idle: nothing left in the queue, paints included.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int runOne(const QString &path, int keys)
{
    TfrmMain frame;
    frame.show();
    settle();
    QElapsedTimer clock;
    clock.start();
    TfrmEdit *edit = frame.OpenFile(path);
    if (!edit)
        return 1;
    bool finished = !edit->loading();
    QObject::connect(edit, &TfrmEdit::loadFinished, &frame, [&finished]() { finished = true; });
    // Shown: the Workspace is on screen and the frame takes events again (progress showing).
    settle();
    const qint64 shownAt = clock.elapsed();
    const long peakAtShown = peakKiB();
    // The longest time the frame could not take an event while the text went in.
    QElapsedTimer sinceTick;
    sinceTick.start();
    qint64 stall = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, &frame,
                     [&]() { stall = std::max(stall, sinceTick.restart()); });
    ticker.start();
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    settle();
    stall = std::max(stall, sinceTick.elapsed());
    ticker.stop();
    const qint64 idleAt = clock.elapsed();
    std::fprintf(stderr, "shown %lld ms (peak %ld KiB at shown), idle %lld ms\n",
                 static_cast<long long>(shownAt), peakAtShown, static_cast<long long>(idleAt));

    TextView *control = edit->view();
    if (qEnvironmentVariableIsSet("LEAFSTACK_BENCH_NOWRAP"))
        control->setWordWrap(false);
    control->setSelection(edit->document()->length() / 2, 0);
    QWidget *target = control;
    target->setFocus();
    settle();
    std::vector<double> costs;
    for (int i = 0; i < keys; ++i) {
        QElapsedTimer key;
        key.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
        settle();
        costs.push_back(key.nsecsElapsed() / 1000.0);
    }
    std::sort(costs.begin(), costs.end());
    std::printf("%lld %lld %lld %ld %.1f %.1f\n", static_cast<long long>(shownAt),
                static_cast<long long>(stall), static_cast<long long>(idleAt), peakKiB(),
                costs[costs.size() / 2], costs.back());
    edit->closeWithoutQuery();
    return 0;
}

void writeFile(const QString &path, qint64 bytes, bool singleLine)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const QByteArray line = singleLine ? QByteArray("The quick brown fox jumps over the lazy dog; ")
                                       : QByteArray("The quick brown fox jumps over the lazy dog, "
                                                    "line after line of plain text.\n");
    QByteArray block;
    while (block.size() < (1 << 20))
        block += line;
    for (qint64 written = 0; written < bytes; written += block.size())
        file.write(block.left(int(std::min<qint64>(block.size(), bytes - written))));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int runAll(const QString &program, int runs)
{
    QTemporaryDir dir;
    struct Case
    {
        const char *name;
        qint64 bytes;
        bool singleLine;
        int keys; // a keystroke in one huge line costs seconds: fewer of them
    };
    const Case cases[] = {{"100 MB, many lines", 100LL << 20, false, 200},
                          {"10 MB, many lines", 10LL << 20, false, 200},
                          {"5 MB, one line", 5LL << 20, true, 5}};
    std::printf("%-20s %10s %10s %10s %10s %12s %12s   (medians of %d runs)\n", "file", "shown ms",
                "stall ms", "idle ms", "peak MiB", "key med us", "key worst us", runs);
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name).replace(u' ', u'_'));
        writeFile(path, c.bytes, c.singleLine);
        std::vector<double> columns[6];
        for (int run = 0; run < runs; ++run) {
            QProcess child;
            // The frame reads and writes its settings: keep them away from the user's.
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                               dir.filePath(QStringLiteral("config")));
            child.setProcessEnvironment(environment);
            child.start(program, {QStringLiteral("--one"), path, QString::number(c.keys)});
            child.waitForFinished(-1);
            const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
            if (parts.size() != 6)
                qFatal("run failed: %s", child.readAllStandardError().constData());
            for (int i = 0; i < 6; ++i)
                columns[i].push_back(parts[i].toDouble());
        }
        std::printf("%-20s %10.0f %10.0f %10.0f %10.0f %12.1f %12.1f\n", c.name, median(columns[0]),
                    median(columns[1]), median(columns[2]), median(columns[3]) / 1024,
                    median(columns[4]), median(columns[5]));
        QFile::remove(path);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Journals and notes away from the user's own: none of an earlier run may ask at start.
    QTemporaryDir state;
    if (!qEnvironmentVariableIsSet("LEAFSTACK_BENCH_STATE"))
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    qputenv("LEAFSTACK_BENCH_STATE", "1");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("--one"))
        return runOne(args[2], std::max(1, args[3].toInt()));
    bool numeric = true;
    const int runs = args.size() == 2 ? args[1].toInt(&numeric) : 5;
    if (args.size() > 2 || !numeric || runs < 1) {
        std::fprintf(stderr, "usage: bench_workspace [runs] | --one FILE KEYS\n");
        return 2;
    }
    return runAll(args[0], runs);
}
