#include "filebackup.h"

#include "app/apperror.h"
#include "atomicfilewriter.h"
#include "unixfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool sameDirectory(const QByteArray &a, const QByteArray &b)
{
    auto dirOf = [](const QByteArray &p) {
        const qsizetype slash = p.lastIndexOf('/');
        return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : p.left(slash);
    };
    struct stat sa
    {
    }, sb{};
    return ::stat(dirOf(a).constData(), &sa) == 0 && ::stat(dirOf(b).constData(), &sb) == 0
            && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// A copy made with O_EXCL, for file systems without hard links and for a link's target in
// another folder (which a later in-place write could reach through a hard link).
bool copyExclusive(const QByteArray &source, const QByteArray &backup, const struct stat &st)
{
    UnixFile in(::open(source.constData(), O_RDONLY | O_CLOEXEC));
    if (!in.isOpen())
        return false;
    UnixFile out(::open(backup.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        st.st_mode & 07777));
    if (!out.isOpen())
        return false;
    try {
        out.writeAll(in.readAll(qsizetype(st.st_size)));
        if (::fchown(out.fd(), st.st_uid, st.st_gid) != 0)
            (void)::fchown(out.fd(), uid_t(-1), st.st_gid);
        (void)::fchmod(out.fd(), st.st_mode & 07777);
        out.sync();
        out.close();
        return true;
    } catch (const AppError &) {
        ::unlink(backup.constData());
        return false;
    }
}

} // namespace

bool FileBackup::make(const QString &path, const QString &backupPath)
{
    QByteArray source;
    try {
        source = AtomicFileWriter::resolveLinks(QFile::encodeName(path));
    } catch (const AppError &) {
        return false;
    }
    const QByteArray backup = QFile::encodeName(backupPath);
    struct stat st
    {
    }, existing{};
    if (::stat(source.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (::lstat(backup.constData(), &existing) == 0)
        return false;
    if (sameDirectory(source, backup)) {
        if (::link(source.constData(), backup.constData()) == 0)
            return true;
        if (errno == EEXIST || errno == ENOENT)
            return false;
    }
    return copyExclusive(source, backup, st);
}
