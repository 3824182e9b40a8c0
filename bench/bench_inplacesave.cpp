// Time and peak memory of saving a 100 MB text: replaced by rename, and written in place (a
// file with a second hard link) with its old content copied aside first. The memory is the
// growth of the peak resident size over the resident size before the save, so it counts
// everything the save holds at once. The files go to the folder given as the first argument
// (default: the temp folder).
#include "benchfolder.h"
#include "controls/textdocument.h"
#include "workspace/textfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr double kMB = 1024.0 * 1024.0;

// A field of /proc/self/status, in KiB.
long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Starts the peak resident size anew from the present one.
bool resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

QString makeText(qsizetype size)
{
    QString text;
    text.reserve(size + 100);
    for (int line = 0; text.size() < size; ++line)
        text += QStringLiteral("line %1 of the benchmark text, caf\u00e9 \u20ac\n").arg(line);
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir(BenchFolder::templateFor(argc, argv));
    if (!dir.isValid())
        qFatal("cannot create a folder for the files");
    TextDocument text;
    text.setPlainText(makeText(100 * 1024 * 1024));
    const QString file = dir.filePath(QStringLiteral("big.txt"));
    TextFile::save(file, text.storage(), TextFormat());
    const double mb = double(QFileInfo(file).size()) / kMB;
    std::printf("Saving a %.0f MB text over a %.0f MB file, files in %s\n", mb, mb,
                qPrintable(dir.path()));
    std::printf("%-28s %8s %8s %14s\n", "route", "seconds", "MB/s", "peak growth MB");
    bool ok = true;
    for (const bool linked : {false, true}) {
        if (linked
            && ::link(QFile::encodeName(file).constData(),
                      QFile::encodeName(dir.filePath(QStringLiteral("second-name.txt")))
                              .constData())
                    != 0)
            qFatal("cannot make a second link");
        if (!resetPeak())
            qFatal("cannot reset the peak resident size");
        const long before = statusKiB("VmRSS:");
        QElapsedTimer timer;
        timer.start();
        TextFile::save(file, text.storage(), TextFormat());
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        const double growth = double(statusKiB("VmHWM:") - before) / 1024.0;
        std::printf("%-28s %8.2f %8.0f %14.1f\n",
                    linked ? "in place, old content aside" : "replaced by rename", seconds,
                    mb / seconds, growth);
        ok = ok && growth <= 32;
    }
    std::printf("Target: a save grows the peak memory by at most 32 MB: %s\n",
                ok ? "met" : "NOT met");
    return ok ? 0 : 1;
}
