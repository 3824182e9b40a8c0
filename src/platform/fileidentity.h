#pragma once

#include <QString>

// What tells one file from another on disk, and one version of a file from the next: its
// device and inode, its size and its modification time to the nanosecond.
struct FileIdentity
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds since the epoch

    // The file path names now, after its symbolic links.
    static FileIdentity of(const QString &path);

    // The same file, whatever path reaches it.
    bool sameFile(const FileIdentity &other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
    // The same file, unchanged since.
    bool operator==(const FileIdentity &) const = default;
};
