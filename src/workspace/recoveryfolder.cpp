#include "recoveryfolder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace RecoveryFolder {

QString path()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Orvanel/Leafstack/recovery");
}

bool make(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    // Unsaved text is the user's alone.
    return ::chmod(QFile::encodeName(folder).constData(), 0700) == 0;
}

} // namespace RecoveryFolder
