#pragma once

#include <QString>

// Keeps a file's current content under a second name without ever replacing an existing file.
class FileBackup
{
public:
    // Makes backupPath hold what path (after its symbolic links) holds now; path itself stays
    // as it is. Does nothing when path is missing or no regular file, or when backupPath
    // exists. Any other failure leaves no partial backup behind. Returns whether a backup
    // was made.
    static bool make(const QString &path, const QString &backupPath);
};
