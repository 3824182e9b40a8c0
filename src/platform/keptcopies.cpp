#include "keptcopies.h"

#include "saverecord.h"
#include "savetemporaries.h"
#include "unixfile.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <unistd.h>

namespace {

bool sameContent(const QByteArray &a, const QByteArray &b)
{
    UnixFile first(::open(a.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    UnixFile second(::open(b.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat sa
    {
    }, sb{};
    if (!first.isOpen() || !second.isOpen() || ::fstat(first.fd(), &sa) != 0
        || ::fstat(second.fd(), &sb) != 0 || !S_ISREG(sa.st_mode) || sa.st_size != sb.st_size)
        return false;
    constexpr size_t kPiece = 1 << 20;
    QByteArray x(kPiece, Qt::Uninitialized), y(kPiece, Qt::Uninitialized);
    for (off_t offset = 0; offset < sa.st_size;) {
        const ssize_t n = ::pread(first.fd(), x.data(), kPiece, offset);
        if (n <= 0 || ::pread(second.fd(), y.data(), size_t(n), offset) != n
            || std::memcmp(x.constData(), y.constData(), size_t(n)) != 0)
            return false;
        offset += n;
    }
    return true;
}

// One note: nothing when it was tidied away or belongs to a running save.
std::optional<KeptCopies::Leftover> look(const QByteArray &notePath)
{
    UnixFile note(::open(notePath.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (!note.isOpen() || ::flock(note.fd(), LOCK_EX | LOCK_NB) != 0)
        return std::nullopt;
    std::optional<SaveRecord> record;
    try {
        record = SaveRecord::fromBytes(note.readAll(4096));
    } catch (...) {
        return std::nullopt;
    }
    struct stat st
    { };
    // Cut short (the write had not begun), nothing left to recover, or nothing lost.
    if (!record || ::stat(record->copy.constData(), &st) != 0
        || sameContent(record->target, record->copy)) {
        if (record)
            ::unlink(record->copy.constData());
        ::unlink(notePath.constData());
        return std::nullopt;
    }
    return KeptCopies::Leftover{QFile::decodeName(record->target), QFile::decodeName(record->copy)};
}

} // namespace

QList<KeptCopies::Leftover> KeptCopies::check()
{
    const QByteArray folder = SaveRecord::folder();
    QList<Leftover> leftovers;
    QList<QByteArray> notes;
    if (DIR *dir = ::opendir(folder.constData())) {
        const size_t prefixLength = std::strlen(SaveRecord::notePrefix);
        while (const dirent *entry = ::readdir(dir)) {
            if (std::strncmp(entry->d_name, SaveRecord::notePrefix, prefixLength) == 0)
                notes << folder + '/' + entry->d_name;
        }
        ::closedir(dir);
    }
    std::sort(notes.begin(), notes.end());
    for (const QByteArray &note : std::as_const(notes)) {
        if (const std::optional<Leftover> leftover = look(note))
            leftovers << *leftover;
    }
    SaveTemporaries::removeStale(folder, SaveRecord::copyPrefix, [](const QByteArray &copy) {
        return !SaveRecord::namesCopy(copy);
    });
    return leftovers;
}

QString KeptCopies::message(const QList<Leftover> &leftovers)
{
    if (leftovers.isEmpty())
        return QString();
    QString text = QStringLiteral("Leafstack was stopped while it wrote these files in place. "
                                  "Their old content is kept:");
    for (const Leftover &leftover : leftovers)
        text += QStringLiteral("\r%1: in %2").arg(leftover.file, leftover.copy);
    text += QStringLiteral("\rLook at each file, and remove the copy once you no longer need "
                           "it; until then Leafstack names it at every start.");
    return text;
}
