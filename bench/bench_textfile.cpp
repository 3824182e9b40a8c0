// Load and save throughput of the text-file module on generated files, beside the floors of
// this machine: reading the same bytes and decoding them as UTF-8, and writing them to a new
// file and flushing it to disk (a save that survives a crash cannot beat that). Prints the
// median of five runs, and how far one save raises the process's peak memory. The files go to the
// folder given as the first argument (default: the temp folder); a tmpfs folder such as /dev/shm
// shows the module's own cost.
#include "benchfolder.h"
#include "workspace/textfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kRuns = 5;
constexpr double kMB = 1024.0 * 1024.0;

// Lines of 60 to 100 characters; one in 40 has a few non-ASCII characters.
QByteArray generateLines(qsizetype size, const char *lineEnd)
{
    static const char *const words[] = {"lorem",  "ipsum", "dolor", "sit",    "amet",
                                        "editor", "leaf",  "stack", "buffer", "window",
                                        "save",   "file",  "text",  "line",   "byte"};
    QRandomGenerator random(42);
    QByteArray out;
    out.reserve(size + 256);
    while (out.size() < size) {
        const int length = random.bounded(60, 101);
        QByteArray line;
        if (random.bounded(40) == 0)
            line += "caf\xC3\xA9 \xE2\x82\xAC ";
        while (line.size() < length)
            line += QByteArray(words[random.bounded(15)]) + ' ';
        out += line.left(length) + lineEnd;
    }
    return out;
}

QByteArray generateSingleLine(qsizetype size)
{
    QByteArray out = generateLines(size, " ");
    out.replace('\n', ' ');
    return out;
}

double medianSeconds(const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

QString floorDecode(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QStringDecoder decoder(QStringConverter::Utf8);
    return decoder.decode(file.readAll());
}

void floorWrite(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || ::fsync(file.handle()) != 0)
        qFatal("cannot write %s", qPrintable(path));
}

struct Result
{
    double floor = 0, load = 0, writeFloor = 0, save = 0, saveGrowth = 0;
};

// A value of /proc/self/status in MiB ("VmRSS", "VmHWM").
double statusMiB(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(QByteArray(name) + ':'))
            return line.mid(qstrlen(name) + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// How far the process's peak memory rises above what it holds now while run() works.
double peakGrowthMiB(const std::function<void()> &run)
{
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (!reset.open(QIODevice::WriteOnly) || reset.write("5") != 1)
        return -1;
    reset.close();
    const double before = statusMiB("VmRSS");
    run();
    return statusMiB("VmHWM") - before;
}

Result measure(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    const double mb = double(bytes.size()) / kMB;
    floorDecode(path); // page cache warm for both readers
    Result result;
    qsizetype sink = 0;
    result.floor = mb / medianSeconds([&] { sink += floorDecode(path).size(); });
    // Both readers' results are dropped inside the timing, so both pay for freeing them.
    result.load = mb / medianSeconds([&] { sink += TextFile::load(path).storage.length(); });
    const DecodedText loaded = TextFile::load(path);
    const QString target = path + QStringLiteral(".saved");
    result.writeFloor = mb / medianSeconds([&] { floorWrite(target, bytes); });
    result.saveGrowth =
            peakGrowthMiB([&] { TextFile::save(target, loaded.storage, loaded.format); });
    result.save =
            mb / medianSeconds([&] { TextFile::save(target, loaded.storage, loaded.format); });
    QFile saved(target);
    if (!saved.open(QIODevice::ReadOnly) || saved.readAll() != bytes || sink < 0)
        qFatal("%s did not come back byte for byte", qPrintable(path));
    QFile::remove(target);
    QFile::remove(path);
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir(BenchFolder::templateFor(argc, argv));
    if (!dir.isValid())
        qFatal("cannot create a folder for the files");
    struct Case
    {
        const char *name;
        QByteArray bytes;
    };
    const qsizetype mb10 = 10 * 1024 * 1024, mb100 = 100 * 1024 * 1024;
    std::printf("Text file load and save, MB/s, median of %d runs, files in %s\n", kRuns,
                qPrintable(dir.path()));
    std::printf("%-18s %8s %10s %8s %8s %11s %8s %8s %9s\n", "file", "size MB", "read floor",
                "load", "load/fl", "write floor", "save", "save/fl", "save +MiB");
    bool ok = true;
    for (const Case &c : {Case{"10 MB, LF", generateLines(mb10, "\n")},
                          Case{"100 MB, LF", generateLines(mb100, "\n")},
                          Case{"100 MB, CRLF", generateLines(mb100, "\r\n")},
                          Case{"5 MB single line", generateSingleLine(5 * 1024 * 1024)}}) {
        const Result r = measure(dir.filePath(QStringLiteral("bench.txt")), c.bytes);
        std::printf("%-18s %8.1f %10.0f %8.0f %8.2f %11.0f %8.0f %8.2f %9.1f\n", c.name,
                    double(c.bytes.size()) / kMB, r.floor, r.load, r.load / r.floor, r.writeFloor,
                    r.save, r.save / r.writeFloor, r.saveGrowth);
        if (c.bytes.size() >= mb100)
            ok = ok && r.load >= 0.5 * r.floor && r.save >= 200;
    }
    std::printf("Targets for the 100 MB files: load >= half the floor, save >= 200 MB/s: %s\n",
                ok ? "met" : "NOT met");
    return ok ? 0 : 1;
}
