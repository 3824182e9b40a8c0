#include "inplacewriter.h"

#include "base/apperror.h"
#include "filemetadata.h"
#include "safetycopy.h"
#include "unixfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>

namespace {

[[noreturn]] void putBack(const UnixFile &file, SafetyCopy &copy, const QString &reason)
{
    try {
        copy.restore(file);
    } catch (const AppError &) {
        // The copy and its note stay, for the user and for the next start.
        throw AppError(reason
                       + QStringLiteral("\rIts old content could not be put back; it is kept in "
                                        "%1.")
                                 .arg(QFile::decodeName(copy.path())));
    }
    copy.discard();
    throw AppError(reason + QStringLiteral("\rIts old content has been put back."));
}

// Writing clears the set-user-ID and set-group-ID bits; the owner may set them again.
QStringList keepMode(const UnixFile &file, const std::optional<FileMetadata> &before)
{
    if (!before)
        return {};
    std::optional<FileMetadata> now = FileMetadata::ofFile(file);
    if (now && now->mode != before->mode && ::fchmod(file.fd(), before->mode) == 0)
        now = FileMetadata::ofFile(file);
    return now ? before->lostIn(*now) : QStringList();
}

} // namespace

AtomicFileWriter::Result InPlaceWriter::write(const QByteArray &path,
                                              const AtomicFileWriter::Producer &produce)
{
    const int injected = IoFault::pending(IoFault::Step::OpenInPlace);
    // Read as well: the old content is copied from the very inode that is then written.
    UnixFile file(injected ? -1 : ::open(path.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY));
    if (!file.isOpen())
        UnixFile::fail(injected ? injected : errno);
    const std::optional<FileMetadata> before = FileMetadata::ofFile(file);
    SafetyCopy copy = SafetyCopy::make(path, file);
    try {
        off_t offset = 0;
        produce([&](QByteArrayView piece) {
            file.writeAll(piece, offset);
            offset += off_t(piece.size());
        });
        file.truncate(offset);
        file.sync();
    } catch (const AppError &error) {
        putBack(file, copy, error.message());
    } catch (const std::exception &error) {
        putBack(file, copy, QString::fromLocal8Bit(error.what()));
    }
    copy.discard();
    return {true, keepMode(file, before)};
}
