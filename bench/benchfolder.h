#pragma once

// Where the benchmarks that write files put them.

#include <QDir>
#include <QString>

namespace BenchFolder {

// The template of a temporary folder under the folder given as the first argument (a tmpfs
// folder such as /dev/shm shows our own cost), else under the temp folder.
inline QString templateFor(int argc, char **argv)
{
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    return parent + QStringLiteral("/bench-XXXXXX");
}

} // namespace BenchFolder
