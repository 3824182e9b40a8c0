#include "textfile.h"

#include "app/apperror.h"
#include "platform/atomicfilewriter.h"
#include "platform/filebackup.h"
#include "platform/filepath.h"
#include "platform/unixfile.h"
#include "textdecoder.h"
#include "textencoder.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>

namespace {

QByteArray readWholeFile(const QString &path)
{
    // O_NONBLOCK: opening a named pipe must not hang the program before it is refused.
    UnixFile file(::open(QFile::encodeName(path).constData(),
                         O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.isOpen())
        UnixFile::fail(errno);
    const struct stat st = file.status();
    if (S_ISDIR(st.st_mode))
        throw AppError(QStringLiteral("It is a folder."));
    if (!S_ISREG(st.st_mode))
        throw AppError(QStringLiteral("It is not a regular file."));
    return file.readAll(qsizetype(st.st_size));
}

} // namespace

LoadedText TextFile::load(const QString &path)
{
    try {
        return TextDecoder::decode(readWholeFile(path));
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("Cannot open file %1\r%2").arg(path, error.message()));
    }
}

QString TextFile::save(const QString &path, const QString &text, const TextFormat &format)
{
    AtomicFileWriter::Result result;
    try {
        result = AtomicFileWriter::write(path, [&](const AtomicFileWriter::Sink &sink) {
            TextEncoder::encode(text, format, sink);
        });
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("Cannot create file %1\r%2").arg(path, error.message()));
    }
    if (result.notKept.isEmpty())
        return QString();
    QString what = result.notKept.join(QStringLiteral(", "));
    if (result.notKept.size() > 1)
        what.replace(what.lastIndexOf(QStringLiteral(", ")), 2, QStringLiteral(" and "));
    return QStringLiteral("%1 was saved, but it could not keep its %2.").arg(path, what);
}

bool TextFile::makeBackup(const QString &path)
{
    return FileBackup::make(path, FilePath::backupName(path));
}

qsizetype TextFile::findUnencodable(const QString &text, TextEncoding encoding)
{
    return TextEncoder::findUnencodable(text, encoding);
}
