#include "statefolder.h"

#include "base/apperror.h"
#include "unixfile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>

QString StateFolder::path()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Orvanel/Leafstack");
}

QByteArray StateFolder::ensure(const QString &name)
{
    const QByteArray folder = QFile::encodeName(path() + QLatin1Char('/') + name);
    // Each level in turn, so that every folder made here is private.
    for (qsizetype slash = folder.indexOf('/', 1);; slash = folder.indexOf('/', slash + 1)) {
        const QByteArray level = slash < 0 ? folder : folder.left(slash);
        if (::mkdir(level.constData(), 0700) != 0 && errno != EEXIST)
            throw AppError(QFile::decodeName(level) + QStringLiteral(": ")
                           + UnixFile::errorText(errno) + QLatin1Char('.'));
        if (slash < 0)
            break;
    }
    struct stat st
    { };
    if (::stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw AppError(QFile::decodeName(folder) + QStringLiteral(": ")
                       + UnixFile::errorText(ENOTDIR) + QLatin1Char('.'));
    return folder;
}
