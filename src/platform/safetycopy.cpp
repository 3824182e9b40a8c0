#include "safetycopy.h"

#include "app/apperror.h"
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

// The folder refuses new files, for good: the state folder may take the copy instead.
bool takesNoFiles(int errnum)
{
    return errnum == EACCES || errnum == EPERM || errnum == EROFS;
}

[[noreturn]] void failIn(const QByteArray &folder, int errnum)
{
    throw AppError(QFile::decodeName(folder) + QStringLiteral(": ") + UnixFile::errorText(errnum)
                   + QLatin1Char('.'));
}

// Room for the whole copy first, so that a full disk stops the save before it begins.
void reserve(const UnixFile &copy, off_t size)
{
    if (size == 0)
        return;
    if (const int injected = IoFault::pending(IoFault::Step::Reserve))
        UnixFile::fail(injected);
    if (::fallocate(copy.fd(), 0, 0, size) != 0 && errno != EOPNOTSUPP)
        UnixFile::fail(errno);
}

} // namespace

SafetyCopy SafetyCopy::make(const QByteArray &path, const UnixFile &target)
{
    const QByteArray absolute = absolutePath(path);
    SaveTemporaries::Created made =
            SaveTemporaries::create(UnixFile::folderOf(absolute), SaveTemporaries::oldContentPrefix,
                                    IoFault::Step::CreateCopy);
    if (!made.file.isOpen()) {
        if (!takesNoFiles(made.errnum))
            UnixFile::fail(made.errnum);
        const QByteArray state = StateFolder::ensure(QLatin1String(SaveRecord::folderName));
        made = SaveTemporaries::create(state, SaveRecord::copyPrefix, IoFault::Step::CreateCopy);
        if (!made.file.isOpen())
            failIn(state, made.errnum);
    }
    SafetyCopy kept;
    kept.m_copy = std::move(made.file);
    kept.m_copyPath = made.path;
    try {
        const off_t size = target.status().st_size;
        reserve(kept.m_copy, size);
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
