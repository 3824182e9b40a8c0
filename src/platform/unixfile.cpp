#include "unixfile.h"

#include "base/apperror.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

UnixFile::UnixFile(UnixFile &&other) noexcept
    : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

UnixFile &UnixFile::operator=(UnixFile &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

UnixFile::~UnixFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

struct stat UnixFile::status() const
{
    struct stat st
    { };
    if (::fstat(m_fd, &st) != 0)
        fail(errno);
    return st;
}

QByteArray UnixFile::readAll(qsizetype sizeHint) const
{
    QByteArray data(qMax<qsizetype>(sizeHint + 1, 4096), Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == data.size())
            data.resize(data.size() * 2);
        const ssize_t n = ::read(m_fd, data.data() + used, size_t(data.size() - used));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        if (n == 0)
            break;
        used += n;
    }
    data.truncate(used);
    return data;
}

void UnixFile::writeAll(QByteArrayView data, off_t offset) const
{
    const char *p = data.data();
    qsizetype left = data.size();
    while (left > 0) {
        // An injected fault lets half of the bytes through first, as a filling disk does.
        if (const int injected = IoFault::pending(IoFault::Step::Write)) {
            const qsizetype half = left / 2;
            if (half > 0 && ::pwrite(m_fd, p, size_t(half), offset) < 0)
                fail(errno);
            fail(injected);
        }
        const ssize_t n = ::pwrite(m_fd, p, size_t(qMin<qsizetype>(left, 1 << 30)), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        p += n;
        offset += n;
        left -= n;
    }
}

off_t UnixFile::copyFrom(const UnixFile &source) const
{
    constexpr qsizetype kPiece = 1 << 20;
    QByteArray buffer(kPiece, Qt::Uninitialized);
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(source.m_fd, buffer.data(), size_t(kPiece), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        if (n == 0)
            return offset;
        writeAll(QByteArrayView(buffer.constData(), n), offset);
        offset += n;
    }
}

void UnixFile::truncate(off_t size) const
{
    if (const int injected = IoFault::pending(IoFault::Step::Truncate))
        fail(injected);
    if (::ftruncate(m_fd, size) != 0)
        fail(errno);
}

void UnixFile::sync() const
{
    if (const int injected = IoFault::pending(IoFault::Step::Sync))
        fail(injected);
    if (::fsync(m_fd) != 0)
        fail(errno);
}

void UnixFile::close()
{
    const int fd = m_fd;
    m_fd = -1;
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR)
        fail(errno);
}

QByteArray UnixFile::folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

void UnixFile::syncFolder(const QByteArray &folder)
{
    UnixFile dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.isOpen())
        (void)::fsync(dir.fd());
}

QString UnixFile::errorText(int errnum)
{
    return QString::fromLocal8Bit(std::strerror(errnum));
}

void UnixFile::fail(int errnum)
{
    throw AppError(errorText(errnum) + QLatin1Char('.'));
}
