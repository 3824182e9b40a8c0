#pragma once

#include <QString>

// Parts of a Linux path. The only separator is '/'; ':' and '\' are ordinary characters, and
// names are never case-folded.
class FilePath
{
public:
    // Everything up to and including the last '/' ("/home/a/" for "/home/a/b.txt"); empty when
    // the path holds no '/'.
    static QString directoryPart(const QString &path);

    // Everything after the last '/' ("b.txt" for "/home/a/b.txt").
    static QString fileNamePart(const QString &path);

    // The extension of the file-name part with its dot (".txt"), or empty. A leading dot
    // does not start an extension: ".profile" has none, ".profile.txt" has ".txt".
    static QString extension(const QString &path);

    // The automatic backup's name: the extension replaced by ".BAK", or ".BAK" appended when
    // there is none ("a.txt" -> "a.BAK", "README" -> "README.BAK", ".profile" -> ".profile.BAK").
    static QString backupName(const QString &path);
};
