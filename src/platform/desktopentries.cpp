#include "desktopentries.h"

#include "privateprofile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace DesktopEntries {

namespace {

const QString kQuoted = QStringLiteral("\"`$\\");

// The escapes of a desktop entry's string values.
QString unescapeValue(const QString &value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case '\\':
            out += QLatin1Char('\\');
            break;
        default:
            out += c + QString(next);
        }
    }
    return out;
}

// The first argument of an Exec command line: blanks separate arguments, double quotes hold
// blanks, and inside them a backslash takes the next of " ` $ \ literally.
QString firstArgument(const QString &exec)
{
    QString argument;
    bool started = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size() && kQuoted.contains(exec.at(i + 1)))
                argument += exec.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                argument += c;
        } else if (c.isSpace()) {
            if (started)
                break;
        } else {
            started = true;
            if (c == QLatin1Char('"'))
                quoted = true;
            else
                argument += c;
        }
    }
    return argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

} // namespace

QString configHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString userEntriesFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            .filePath(QStringLiteral("applications"));
}

QString find(const QString &id)
{
    return findIn(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation), id);
}

QString findInstalled(const QString &id)
{
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    folders.removeAll(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return findIn(folders, id);
}

QString findIn(const QStringList &folders, const QString &id)
{
    for (const QString &folder : folders) {
        const QString file = QDir(folder).filePath(QStringLiteral("applications/") + id);
        if (QFileInfo(file).isFile())
            return file;
    }
    return {};
}

QString execProgram(const QString &execValue)
{
    return firstArgument(unescapeValue(execValue));
}

QString programOf(const QString &entryFile)
{
    const QString exec = PrivateProfile::readString(entryFile, QStringLiteral("Desktop Entry"),
                                                    QStringLiteral("Exec"), QString());
    const QString program = execProgram(exec);
    if (program.isEmpty())
        return {};
    if (program.contains(QLatin1Char('/')))
        return QFileInfo(program).isFile() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

QString execValueFor(const QString &program)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (kQuoted.contains(c))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted += QStringLiteral("\" %f");
    // The string escapes come on top of the quoting.
    return quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
            .replace(QLatin1Char('\t'), QStringLiteral("\\t"))
            .replace(QLatin1Char('\r'), QStringLiteral("\\r"));
}

} // namespace DesktopEntries
