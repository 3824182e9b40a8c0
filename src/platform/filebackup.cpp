#include "filebackup.h"

#include "atomicfilewriter.h"
#include "base/apperror.h"
#include "savetemporaries.h"
#include "unixfile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The old content with the file's owner and mode; a copy, never a second link, since a file
// with other links is written in place and would change the backup with it.
void fill(const UnixFile &out, const UnixFile &in, const struct stat &st)
{
    out.copyFrom(in);
    if (::fchown(out.fd(), st.st_uid, st.st_gid) != 0)
        (void)::fchown(out.fd(), uid_t(-1), st.st_gid);
    (void)::fchmod(out.fd(), st.st_mode & 07777);
    out.sync();
}

// Gives the whole copy the backup's name unless that name is taken.
bool nameWithoutReplacing(const QByteArray &temp, const QByteArray &backup)
{
    if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, backup.constData(), RENAME_NOREPLACE)
        == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the no-replace rename: a new link fails on an existing name too.
    if (::link(temp.constData(), backup.constData()) != 0)
        return false;
    ::unlink(temp.constData());
    return true;
}

// Where no temporary file can be made: written straight under the backup name, O_EXCL.
bool copyExclusive(const UnixFile &in, const QByteArray &backup, const struct stat &st)
{
    UnixFile out(::open(backup.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        st.st_mode & 07777));
    if (!out.isOpen())
        return false;
    try {
        fill(out, in, st);
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
    UnixFile in(::open(source.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!in.isOpen())
        return false;
    // Whole under a temporary name first: a crash must not leave a partial backup that every
    // later save would keep.
    SaveTemporaries::Created temp =
            SaveTemporaries::create(UnixFile::folderOf(backup), SaveTemporaries::newContentPrefix);
    if (!temp.file.isOpen())
        return copyExclusive(in, backup, st);
    bool made = false;
    try {
        fill(temp.file, in, st);
        made = nameWithoutReplacing(temp.path, backup);
    } catch (const AppError &) { }
    if (!made)
        ::unlink(temp.path.constData());
    else
        UnixFile::syncFolder(UnixFile::folderOf(backup));
    return made;
}
