#include "atomicfilewriter.h"

#include "app/apperror.h"
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

QByteArray directoryOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

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

// Gives the new file the target's permissions, and its owner where the system lets us.
void copyMetadata(const UnixFile &file, const Target &target)
{
    if (!target.exists) {
        if (::fchmod(file.fd(), newFileMode()) != 0)
            UnixFile::fail(errno);
        return;
    }
    if (::fchown(file.fd(), target.st.st_uid, target.st.st_gid) != 0)
        (void)::fchown(file.fd(), uid_t(-1), target.st.st_gid);
    if (::fchmod(file.fd(), target.st.st_mode & 07777) != 0)
        UnixFile::fail(errno);
}

void syncDirectory(const QByteArray &dir)
{
    // The rename is done; a folder that cannot be flushed changes nothing for the caller.
    UnixFile folder(::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen())
        (void)::fsync(folder.fd());
}

void replaceByRename(const Target &target, UnixFile &file, const QByteArray &tempPath,
                     const AtomicFileWriter::Producer &produce)
{
    try {
        copyMetadata(file, target);
        off_t offset = 0;
        produce([&](QByteArrayView piece) {
            file.writeAll(piece, offset);
            offset += off_t(piece.size());
        });
        file.sync();
        file.close();
        if (const int injected = IoFault::pending(IoFault::Step::Rename))
            UnixFile::fail(injected);
        if (::rename(tempPath.constData(), target.path.constData()) != 0)
            UnixFile::fail(errno);
    } catch (...) {
        ::unlink(tempPath.constData());
        throw;
    }
    syncDirectory(directoryOf(target.path));
}

// Makes room for the new size beyond the old end, so that running out of space fails before
// a single old byte is overwritten.
void reserve(const UnixFile &file, off_t oldSize, off_t newSize)
{
    if (newSize <= oldSize)
        return;
    if (const int injected = IoFault::pending(IoFault::Step::Reserve))
        UnixFile::fail(injected);
    if (::fallocate(file.fd(), 0, oldSize, newSize - oldSize) == 0)
        return;
    if (errno != EOPNOTSUPP)
        UnixFile::fail(errno);
    try {
        file.writeAll(QByteArray(qsizetype(newSize - oldSize), '\0'), oldSize);
        file.sync();
    } catch (...) {
        (void)::ftruncate(file.fd(), oldSize);
        throw;
    }
}

void writeInPlace(const Target &target, const AtomicFileWriter::Producer &produce,
                  const AppError &createError)
{
    const int injected = IoFault::pending(IoFault::Step::OpenInPlace);
    UnixFile file(injected ? -1 : ::open(target.path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!file.isOpen())
        throw createError;
    // All of the content first: its size must be reserved before an old byte is touched.
    QByteArray data;
    produce([&data](QByteArrayView piece) { data.append(piece); });
    const struct stat st = file.status();
    if (st.st_nlink > 1)
        throw AppError(
                createError.message()
                + QStringLiteral(" Writing the file in place would also change its other links."));
    reserve(file, st.st_size, off_t(data.size()));
    file.writeAll(data);
    if (::ftruncate(file.fd(), off_t(data.size())) != 0)
        UnixFile::fail(errno);
    file.sync();
    file.close();
}

bool folderMissing(int errnum)
{
    return errnum == ENOENT || errnum == ENOTDIR || errnum == ELOOP || errnum == ENAMETOOLONG;
}

} // namespace

void AtomicFileWriter::write(const QString &path, const Producer &produce)
{
    const Target target = inspect(path);
    QByteArray tempPath = directoryOf(target.path) + "/.leafstack-save-XXXXXX";
    int injected = IoFault::pending(IoFault::Step::CreateTemp);
    UnixFile file(injected ? -1 : ::mkostemp(tempPath.data(), O_CLOEXEC));
    if (file.isOpen()) {
        replaceByRename(target, file, tempPath, produce);
        return;
    }
    const int errnum = injected ? injected : errno;
    const AppError createError(UnixFile::errorText(errnum) + QLatin1Char('.'));
    if (!target.exists || folderMissing(errnum))
        throw createError;
    writeInPlace(target, produce, createError);
}

void AtomicFileWriter::write(const QString &path, const QByteArray &data)
{
    write(path, [&data](const Sink &sink) { sink(data); });
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
        current = link.startsWith('/') ? link : directoryOf(current) + '/' + link;
    }
    UnixFile::fail(ELOOP);
}
