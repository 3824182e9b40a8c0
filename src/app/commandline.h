#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The program's command line. Only -h/--help and -v/--version are options, and "--" ends them;
// every other argument names a file, even one that begins with a dash, so the toolkit never
// reads a file name as one of its own options.
//
// Which files open: when the arguments joined by blanks name an existing file, that one file
// (a name with blanks split by the shell is put back together). Otherwise each argument is a
// file of its own; "FILE:LINE" names FILE at that line when FILE exists and the whole argument
// does not, and "+LINE FILE" puts the caret of the next file on that line.
namespace CommandLine {

struct Parsed
{
    enum class Kind { Files, Help, Version, Error };
    Kind kind = Kind::Files;
    QStringList names; // the file arguments, in order
    QString error;     // for Error: what was wrong
};

struct FileRequest
{
    QString path;       // absolute
    qsizetype line = 0; // the caret's line, from 1; 0 when none was asked for

    bool operator==(const FileRequest &) const = default;
};

using Exists = std::function<bool(const QString &path)>;
// Whether something of that name is on the file system.
bool existsOnDisk(const QString &path);

// An argument starting with "--" that is no option and names nothing on disk is an error, so
// that a mistyped option does not become a new file.
Parsed parse(const QStringList &arguments, const QString &workingDirectory,
             const Exists &exists = existsOnDisk);

// The arguments joined by single blanks; no blank is added at the end: on Linux it would name
// another file.
QString joinedFileName(const QStringList &names);

// What to open for the file arguments, each made absolute against workingDirectory.
QList<FileRequest> filesToOpen(const QStringList &names, const QString &workingDirectory,
                               const Exists &exists = existsOnDisk);

// What --help and --version print, and the line that follows an error.
QString helpText(const QString &program);
QString versionText(const QString &version);
QString errorText(const QString &program, const QString &error);

} // namespace CommandLine
