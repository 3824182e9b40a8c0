#include "safetycopy.h"

#include "base/apperror.h"
#include "saverecord.h"
#include "savetemporaries.h"
#include "statefolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray absolutePath(const QByteArray &path)
{
    return path.startsWith('/') ? path : QFile::encodeName(QDir::currentPath()) + '/' + path;
}

bool noRoom(int errnum)
{
    return errnum == ENOSPC || errnum == EDQUOT;
}

// The file's own folder takes no copy (refused for good, or no room): the state folder may.
bool stateFolderMayTakeIt(int errnum)
{
    return errnum == EACCES || errnum == EPERM || errnum == EROFS || noRoom(errnum);
}

[[noreturn]] void failIn(const QByteArray &folder, int errnum)
{
    throw AppError(QFile::decodeName(folder) + QStringLiteral(": ") + UnixFile::errorText(errnum)
                   + QLatin1Char('.'));
}

// A new file for the copy with room for all of it, so that a full disk stops the save before
// it begins; errnum says why there is none.
SaveTemporaries::Created createWithRoom(const QByteArray &folder, const char *prefix, off_t size)
{
    SaveTemporaries::Created made =
            SaveTemporaries::create(folder, prefix, IoFault::Step::CreateCopy);
    if (!made.file.isOpen() || size == 0)
        return made;
    const int injected = IoFault::pending(IoFault::Step::Reserve);
    if (injected || (::fallocate(made.file.fd(), 0, 0, size) != 0 && errno != EOPNOTSUPP)) {
        made.errnum = injected ? injected : errno;
        ::unlink(made.path.constData());
        made.file = UnixFile();
    }
    return made;
}

SaveTemporaries::Created createInStateFolder(int besideErrnum, off_t size)
{
    // Where the disk is full, that is the reason to give, whatever the state folder says.
    QByteArray state;
    try {
        state = StateFolder::ensure(QLatin1String(SaveRecord::folderName));
    } catch (const AppError &) {
        if (noRoom(besideErrnum))
            UnixFile::fail(besideErrnum);
        throw;
    }
    SaveTemporaries::Created made = createWithRoom(state, SaveRecord::copyPrefix, size);
    if (!made.file.isOpen() && noRoom(besideErrnum))
        UnixFile::fail(besideErrnum);
    if (!made.file.isOpen())
        failIn(state, made.errnum);
    return made;
}

} // namespace

SafetyCopy SafetyCopy::make(const QByteArray &path, const UnixFile &target)
{
    const QByteArray absolute = absolutePath(path);
    const off_t size = target.status().st_size;
    SaveTemporaries::Created made =
            createWithRoom(UnixFile::folderOf(absolute), SaveTemporaries::oldContentPrefix, size);
    if (!made.file.isOpen()) {
        if (!stateFolderMayTakeIt(made.errnum))
            UnixFile::fail(made.errnum);
        made = createInStateFolder(made.errnum, size);
    }
    SafetyCopy kept;
    kept.m_copy = std::move(made.file);
    kept.m_copyPath = made.path;
    try {
        // A file that shrank meanwhile must not leave reserved zeros at the copy's end.
        const off_t copied = kept.m_copy.copyFrom(target);
        if (copied != size && ::ftruncate(kept.m_copy.fd(), copied) != 0)
            UnixFile::fail(errno);
        kept.m_copy.sync();
        UnixFile::syncFolder(UnixFile::folderOf(kept.m_copyPath));
        kept.writeNote(absolute);
    } catch (...) {
        kept.discard();
        throw;
    }
    return kept;
}

void SafetyCopy::writeNote(const QByteArray &target)
{
    const QByteArray state = StateFolder::ensure(QLatin1String(SaveRecord::folderName));
    SaveTemporaries::Created made =
            SaveTemporaries::create(state, SaveRecord::notePrefix, IoFault::Step::CreateRecord);
    if (!made.file.isOpen())
        failIn(state, made.errnum);
    m_note = std::move(made.file);
    m_notePath = made.path;
    m_note.writeAll(SaveRecord{target, m_copyPath}.toBytes());
    m_note.sync();
    UnixFile::syncFolder(state);
}

void SafetyCopy::restore(const UnixFile &target) const
{
    const off_t size = target.copyFrom(m_copy);
    target.truncate(size);
    target.sync();
}

void SafetyCopy::discard()
{
    // The copy goes first: a note whose copy is gone says only that nothing is left to recover.
    if (!m_copyPath.isEmpty())
        ::unlink(m_copyPath.constData());
    if (!m_notePath.isEmpty())
        ::unlink(m_notePath.constData());
    m_copyPath.clear();
    m_notePath.clear();
    m_copy = UnixFile();
    m_note = UnixFile();
}
