#include "atomicfilewriter.h"

#include "base/apperror.h"
#include "filemetadata.h"
#include "inplacewriter.h"
#include "saverecord.h"
#include "savetemporaries.h"
#include "unixfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct Target
{
    QByteArray path;
    bool exists = false;
    struct stat st
    { };
};

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

Target inspect(const QString &path)
{
    Target target;
    target.path = AtomicFileWriter::resolveLinks(QFile::encodeName(path));
    if (::stat(target.path.constData(), &target.st) == 0) {
        target.exists = true;
        if (S_ISDIR(target.st.st_mode))
            UnixFile::fail(EISDIR);
        if (!S_ISREG(target.st.st_mode))
            throw AppError(QStringLiteral("It is not a regular file."));
        // Replacing by rename needs only the folder's permission; a read-only file stays so.
        if (::faccessat(AT_FDCWD, target.path.constData(), W_OK, AT_EACCESS) != 0)
            UnixFile::fail(errno);
    } else if (errno != ENOENT) {
        UnixFile::fail(errno);
    }
    return target;
}

// Leftovers of crashed saves: new content never renamed, and old content whose in-place write
// never began (an old copy that a note names is kept for the user).
void removeStaleTemporaries(const QByteArray &folder)
{
    SaveTemporaries::removeStale(folder, SaveTemporaries::newContentPrefix);
    SaveTemporaries::removeStale(
            folder, SaveTemporaries::oldContentPrefix,
            [](const QByteArray &copy) { return !SaveRecord::namesCopy(copy); });
}

// Gives the new file what the target carries; false when it cannot carry all of it.
bool takeOver(const UnixFile &file, const Target &target)
{
    if (!target.exists) {
        if (::fchmod(file.fd(), newFileMode()) != 0)
            UnixFile::fail(errno);
        return true;
    }
    const std::optional<FileMetadata> metadata = FileMetadata::ofPath(target.path);
    return metadata && metadata->applyTo(file);
}

void replaceByRename(const Target &target, const UnixFile &file, const QByteArray &tempPath,
                     const AtomicFileWriter::Producer &produce)
{
    try {
        off_t offset = 0;
        produce([&](QByteArrayView piece) {
            file.writeAll(piece, offset);
            offset += off_t(piece.size());
        });
        file.sync();
        if (const int injected = IoFault::pending(IoFault::Step::Rename))
            UnixFile::fail(injected);
        // Still open and locked, so no clean-up of another instance takes it meanwhile.
        if (::rename(tempPath.constData(), target.path.constData()) != 0)
            UnixFile::fail(errno);
    } catch (...) {
        ::unlink(tempPath.constData());
        throw;
    }
    UnixFile::syncFolder(UnixFile::folderOf(target.path));
}

bool folderMissing(int errnum)
{
    return errnum == ENOENT || errnum == ENOTDIR || errnum == ELOOP || errnum == ENAMETOOLONG;
}

} // namespace

AtomicFileWriter::Result AtomicFileWriter::write(const QString &path, const Producer &produce)
{
    const Target target = inspect(path);
    const QByteArray folder = UnixFile::folderOf(target.path);
    removeStaleTemporaries(folder);
    // A new inode would leave the other links with the old text.
    if (target.exists && target.st.st_nlink > 1)
        return InPlaceWriter::write(target.path, produce);
    SaveTemporaries::Created temp = SaveTemporaries::create(
            folder, SaveTemporaries::newContentPrefix, IoFault::Step::CreateTemp);
    if (!temp.file.isOpen()) {
        if (!target.exists || folderMissing(temp.errnum))
            UnixFile::fail(temp.errnum);
        return InPlaceWriter::write(target.path, produce);
    }
    bool carried = false;
    try {
        carried = takeOver(temp.file, target);
    } catch (...) {
        ::unlink(temp.path.constData());
        throw;
    }
    if (!carried) {
        // Another user's file, or a group we are not in: keep the file and write it in place.
        ::unlink(temp.path.constData());
        temp.file = UnixFile();
        return InPlaceWriter::write(target.path, produce);
    }
    replaceByRename(target, temp.file, temp.path, produce);
    return {};
}

AtomicFileWriter::Result AtomicFileWriter::write(const QString &path, const QByteArray &data)
{
    return write(path, [&data](const Sink &sink) { sink(data); });
}

QByteArray AtomicFileWriter::resolveLinks(const QByteArray &path)
{
    QByteArray current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st
        { };
        if (::lstat(current.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray link(qMax<qsizetype>(st.st_size, 255) + 1, Qt::Uninitialized);
        const ssize_t n = ::readlink(current.constData(), link.data(), size_t(link.size()));
        if (n < 0)
            UnixFile::fail(errno);
        if (n == link.size())
            UnixFile::fail(ENAMETOOLONG);
        link.truncate(n);
        current = link.startsWith('/') ? link : UnixFile::folderOf(current) + '/' + link;
    }
    UnixFile::fail(ELOOP);
}
