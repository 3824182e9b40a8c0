#include "memorybudget.h"

#include <QFile>

#include <sys/resource.h>
#include <unistd.h>

namespace {

std::optional<qint64> & override()
{
    static std::optional<qint64> bytes;
    return bytes;
}

QByteArray readSmallFile(const char *path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(4096).trimmed();
}

// The value of a "Name:   123 kB" line of /proc/meminfo, in bytes.
qint64 memInfo(const QByteArray &name)
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.startsWith(name + ':'))
            continue;
        bool ok = false;
        const qint64 kb = line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? kb * 1024 : -1;
    }
    return -1;
}

// The room under this process's cgroup (v2) limit, or -1 without one.
qint64 cgroupRoom()
{
    const QByteArray self = readSmallFile("/proc/self/cgroup");
    const qsizetype colon = self.indexOf("::");
    if (colon < 0)
        return -1;
    const QByteArray base = "/sys/fs/cgroup" + self.mid(colon + 2).split('\n').value(0);
    bool ok = false;
    const qint64 max = readSmallFile((base + "/memory.max").constData()).toLongLong(&ok);
    if (!ok)
        return -1; // "max" or no such file
    const qint64 current = readSmallFile((base + "/memory.current").constData()).toLongLong(&ok);
    return ok ? qMax<qint64>(0, max - current) : -1;
}

// The room under RLIMIT_AS, or -1 without a limit.
qint64 addressSpaceRoom()
{
    struct rlimit limit
    { };
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -1;
    const QList<QByteArray> statm = readSmallFile("/proc/self/statm").split(' ');
    bool ok = false;
    const qint64 pages = statm.value(0).toLongLong(&ok);
    if (!ok)
        return -1;
    return qMax<qint64>(0, qint64(limit.rlim_cur) - pages * ::sysconf(_SC_PAGESIZE));
}

} // namespace

qint64 MemoryBudget::available()
{
    if (override())
        return *override();
    qint64 least = -1;
    for (qint64 room : {cgroupRoom(), addressSpaceRoom(), memInfo("MemAvailable")}) {
        if (room >= 0 && (least < 0 || room < least))
            least = room;
    }
    return least;
}

void MemoryBudget::setAvailableForTests(std::optional<qint64> bytes)
{
    override() = bytes;
}
