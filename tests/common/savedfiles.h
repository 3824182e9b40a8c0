#pragma once

#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/stat.h>

// What the tests of saving look at besides the saved file itself.
namespace SavedFiles {

// Our own hidden files (".leafstack-...") anywhere under folder.
inline QStringList leftoversIn(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QStringList() << QStringLiteral(".leafstack*"),
                    QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

// Points XDG_STATE_HOME at dir, which the ordinary user may write in too.
inline bool useStateFolder(const QTemporaryDir &dir)
{
    if (!dir.isValid() || ::chmod(QFile::encodeName(dir.path()).constData(), 0777) != 0)
        return false;
    qputenv("XDG_STATE_HOME", QFile::encodeName(dir.path()));
    return true;
}

} // namespace SavedFiles
