#include "recoveryfolder.h"

#include "platform/statefolder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace RecoveryFolder {

QString path()
{
    return StateFolder::path() + QStringLiteral("/recovery");
}

bool make(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    // Unsaved text is the user's alone.
    return ::chmod(QFile::encodeName(folder).constData(), 0700) == 0;
}

} // namespace RecoveryFolder
