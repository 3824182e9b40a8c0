#include "savetemporaries.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void removeIfStale(const QByteArray &path)
{
    UnixFile file(
            ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    // Locked: its save is running. Any other failure: we cannot tell, so it stays.
    if (!file.isOpen() || ::flock(file.fd(), LOCK_EX | LOCK_NB) != 0)
        return;
    struct stat opened
    {
    }, named{};
    if (::fstat(file.fd(), &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_nlink == 0
        || ::lstat(path.constData(), &named) != 0 || !sameFile(opened, named))
        return;
    ::unlink(path.constData());
}

} // namespace

SaveTemporaries::Created SaveTemporaries::create(const QByteArray &folder, const char *prefix,
                                                 std::optional<IoFault::Step> step)
{
    Created made;
    for (int attempt = 0; attempt < 100; ++attempt) {
        made.path = folder + '/' + prefix + "XXXXXX";
        if (const int injected = step ? IoFault::pending(*step) : 0) {
            made.errnum = injected;
            return made;
        }
        made.file = UnixFile(::mkostemp(made.path.data(), O_CLOEXEC));
        if (!made.file.isOpen()) {
            made.errnum = errno;
            return made;
        }
        // Waits only while another instance's clean-up looks at the brand-new file; if that
        // took it away before we held the lock, make another.
        (void)::flock(made.file.fd(), LOCK_EX);
        struct stat st
        { };
        if (::fstat(made.file.fd(), &st) == 0 && st.st_nlink > 0)
            return made;
    }
    made.file = UnixFile();
    made.errnum = EEXIST;
    return made;
}

void SaveTemporaries::removeStale(const QByteArray &folder, const char *prefix,
                                  const std::function<bool(const QByteArray &)> &mayRemove)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const size_t prefixLength = std::strlen(prefix);
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix, prefixLength) != 0)
            continue;
        const QByteArray path = folder + '/' + entry->d_name;
        if (!mayRemove || mayRemove(path))
            removeIfStale(path);
    }
    ::closedir(dir);
}
