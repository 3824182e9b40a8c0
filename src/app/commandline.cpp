#include "commandline.h"

#include <QDir>

QString CommandLine::joinedFileName(const QStringList &arguments)
{
    return arguments.join(QLatin1Char(' '));
}

QString CommandLine::fileToOpen(const QStringList &arguments, const QString &workingDirectory)
{
    const QString name = joinedFileName(arguments);
    if (name.isEmpty())
        return name;
    return QDir(workingDirectory).absoluteFilePath(name);
}
