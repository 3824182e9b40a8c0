#include "commandline.h"

#include <QDir>
#include <QFileInfo>

namespace CommandLine {

namespace {

// A line number: decimal digits only, small enough to hold.
bool lineNumber(const QString &text, qsizetype &line)
{
    if (text.isEmpty() || text.size() > 12)
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    line = text.toLongLong();
    return true;
}

} // namespace

bool existsOnDisk(const QString &path)
{
    // A link that points nowhere is there too: saving writes through it.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

Parsed parse(const QStringList &arguments, const QString &workingDirectory, const Exists &exists)
{
    Parsed parsed;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options
                   && (argument == QLatin1String("-h") || argument == QLatin1String("--help"))) {
            return {Parsed::Kind::Help, {}, {}};
        } else if (options
                   && (argument == QLatin1String("-v") || argument == QLatin1String("--version"))) {
            return {Parsed::Kind::Version, {}, {}};
        } else if (options && argument.startsWith(QLatin1String("--"))
                   && !exists(QDir(workingDirectory).absoluteFilePath(argument))) {
            return {Parsed::Kind::Error,
                    {},
                    QStringLiteral("Unknown option '%1'; a file name that begins with dashes goes "
                                   "after \"--\".")
                            .arg(argument)};
        } else if (!argument.isEmpty()) {
            parsed.names.append(argument);
        }
    }
    return parsed;
}

QString joinedFileName(const QStringList &names)
{
    return names.join(QLatin1Char(' '));
}

QList<FileRequest> filesToOpen(const QStringList &names, const QString &workingDirectory,
                               const Exists &exists)
{
    const QDir folder(workingDirectory);
    const auto absolute = [&folder](const QString &name) {
        return folder.absoluteFilePath(name);
    };
    if (names.size() > 1 && exists(absolute(joinedFileName(names))))
        return {{absolute(joinedFileName(names)), 0}};

    QList<FileRequest> files;
    qsizetype pendingLine = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names.at(i);
        qsizetype line = 0;
        if (i + 1 < names.size() && name.startsWith(u'+') && lineNumber(name.mid(1), line)
            && !exists(absolute(name))) {
            pendingLine = line;
            continue;
        }
        FileRequest request{absolute(name), pendingLine};
        pendingLine = 0;
        const qsizetype colon = name.lastIndexOf(u':');
        if (colon > 0 && lineNumber(name.mid(colon + 1), line) && !exists(request.path)
            && exists(absolute(name.left(colon))))
            request = {absolute(name.left(colon)), line};
        files.append(request);
    }
    return files;
}

QString helpText(const QString &program)
{
    return QStringLiteral(
                   "Usage: %1 [options] [file...]\n"
                   "Leafstack, a plain-text editor: each file opens in a Workspace of its own.\n"
                   "\n"
                   "Options:\n"
                   "  -h, --help     Displays help on commandline options.\n"
                   "  -v, --version  Displays version information.\n"
                   "  --             Ends the options: every argument after it names a file.\n"
                   "\n"
                   "Arguments:\n"
                   "  file           A file to open. A name that does not exist yet opens an\n"
                   "                 empty Workspace that is saved under that name. FILE:LINE\n"
                   "                 and +LINE FILE put the caret on that line.\n")
            .arg(program);
}

QString versionText(const QString &version)
{
    return QStringLiteral("Leafstack %1\n").arg(version);
}

QString errorText(const QString &program, const QString &error)
{
    return QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, error);
}

} // namespace CommandLine
