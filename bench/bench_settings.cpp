// Reading and saving a large settings file: the time to load the store (read and parse), to
// flush one changed value when no other process has written, and to flush one changed value
// after another process has replaced the file (one more read of it). Prints each run and the
// medians.
//
//     bench/bench_settings [VALUES] [RUNS] [COPY]    (defaults: 500000 values, 7 runs)
//
// With COPY the generated file is also copied there, for bench_startup to start with.

#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QString kRoot = QStringLiteral("Software\\Orvanel\\Leafstack");

// Half the values in one section, the rest in sections of fifty, besides the program's own.
void writeFile(const QString &path, int values)
{
    SettingsStore store(path);
    store.writeString(kRoot + QStringLiteral("\\Main Form"), QStringLiteral("NormPos"),
                      QStringLiteral("50,60,750,560"));
    const QString text = QStringLiteral(
            "/home/someone/Documents/Some folder/another folder/a file name of some length %1.txt");
    for (int i = 0; i < values / 2; ++i)
        store.writeString(kRoot + QStringLiteral("\\Big"), QStringLiteral("Value%1").arg(i),
                          text.arg(i));
    for (int i = values / 2; i < values; ++i)
        store.writeString(kRoot + QStringLiteral("\\Small %1").arg(i / 50),
                          QStringLiteral("Value%1").arg(i), text.arg(i));
    store.flush();
}

double ms(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int values = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500'000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Leafstack.reg"));
    writeFile(path, values);
    if (argc > 3 && !QFile::copy(path, QString::fromLocal8Bit(argv[3])))
        std::fprintf(stderr, "bench_settings: cannot copy the file to %s\n", argv[3]);
    // The machine is shared: say how busy it was.
    QFile load(QStringLiteral("/proc/loadavg"));
    const QByteArray busy = load.open(QIODevice::ReadOnly) ? load.readLine().trimmed() : "?";
    std::printf("settings file: %d values, %.1f MB; load average %s\n", values,
                double(QFileInfo(path).size()) / 1e6, busy.constData());

    std::vector<double> loads, ownFlushes, mergedFlushes;
    for (int run = 1; run <= runs; ++run) {
        std::unique_ptr<SettingsStore> store;
        loads.push_back(ms([&] { store = std::make_unique<SettingsStore>(path); }));
        store->writeString(kRoot + QStringLiteral("\\Main Form"), QStringLiteral("ShowCmd"),
                           QString::number(run));
        ownFlushes.push_back(ms([&] { store->flush(); }));
        SettingsStore other(path);
        other.writeString(kRoot + QStringLiteral("\\Edit Form"), QStringLiteral("ShowCmd"),
                          QString::number(run));
        other.flush();
        store->writeString(kRoot + QStringLiteral("\\Main Form"), QStringLiteral("Visible"),
                           QString::number(run % 2));
        mergedFlushes.push_back(ms([&] { store->flush(); }));
        std::printf("run %d: load %.0f ms, flush %.0f ms, flush after another writer %.0f ms\n",
                    run, loads.back(), ownFlushes.back(), mergedFlushes.back());
    }
    std::printf("medians of %d runs: load %.0f ms, flush of one value %.0f ms, flush of one "
                "value after another writer %.0f ms\n",
                runs, median(loads), median(ownFlushes), median(mergedFlushes));
    return 0;
}
