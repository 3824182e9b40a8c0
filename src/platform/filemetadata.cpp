#include "filemetadata.h"

#include "iofault.h"

#include <cerrno>
#include <sys/xattr.h>

namespace {

using Attributes = QList<std::pair<QByteArray, QByteArray>>;

// Calls read(buffer, size) until the buffer was big enough (a value may grow meanwhile).
template<typename Read>
std::optional<QByteArray> readSized(Read read)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return std::nullopt;
        QByteArray buffer(qsizetype(size), Qt::Uninitialized);
        const ssize_t got = read(buffer.data(), size_t(buffer.size()));
        if (got >= 0) {
            buffer.truncate(got);
            return buffer;
        }
        if (errno != ERANGE)
            return std::nullopt;
    }
    return std::nullopt;
}

// list(buffer, size) and get(name, buffer, size) are the path or descriptor calls.
template<typename List, typename Get>
std::optional<Attributes> readAttributes(List list, Get get)
{
    const std::optional<QByteArray> names = readSized(list);
    if (!names)
        return errno == ENOTSUP ? std::optional<Attributes>(Attributes()) : std::nullopt;
    Attributes attributes;
    for (const QByteArray &name : names->split('\0')) {
        if (name.isEmpty() || name.startsWith("security."))
            continue;
        const std::optional<QByteArray> value =
                readSized([&](char *buffer, size_t size) { return get(name, buffer, size); });
        if (!value && errno == ENODATA) // removed meanwhile
            continue;
        if (!value)
            return std::nullopt;
        attributes.append({name, *value});
    }
    return attributes;
}

FileMetadata fromStat(const struct stat &st, Attributes attributes)
{
    FileMetadata metadata;
    metadata.owner = st.st_uid;
    metadata.group = st.st_gid;
    metadata.mode = st.st_mode & 07777;
    metadata.attributes = std::move(attributes);
    return metadata;
}

} // namespace

std::optional<FileMetadata> FileMetadata::ofPath(const QByteArray &path)
{
    struct stat st
    { };
    if (::stat(path.constData(), &st) != 0)
        return std::nullopt;
    const char *p = path.constData();
    const auto attributes =
            readAttributes([p](char *buffer, size_t size) { return ::listxattr(p, buffer, size); },
                           [p](const QByteArray &name, char *buffer, size_t size) {
                               return ::getxattr(p, name.constData(), buffer, size);
                           });
    if (!attributes)
        return std::nullopt;
    return fromStat(st, *attributes);
}

std::optional<FileMetadata> FileMetadata::ofFile(const UnixFile &file)
{
    struct stat st
    { };
    if (::fstat(file.fd(), &st) != 0)
        return std::nullopt;
    const int fd = file.fd();
    const auto attributes = readAttributes(
            [fd](char *buffer, size_t size) { return ::flistxattr(fd, buffer, size); },
            [fd](const QByteArray &name, char *buffer, size_t size) {
                return ::fgetxattr(fd, name.constData(), buffer, size);
            });
    if (!attributes)
        return std::nullopt;
    return fromStat(st, *attributes);
}

bool FileMetadata::applyTo(const UnixFile &file) const
{
    if (IoFault::pending(IoFault::Step::Attributes))
        return false;
    const struct stat st = file.status();
    if ((st.st_uid != owner || st.st_gid != group) && ::fchown(file.fd(), owner, group) != 0)
        return false;
    // While the new file is still writable by its owner, which attributes need.
    for (const auto &[name, value] : attributes) {
        if (::fsetxattr(file.fd(), name.constData(), value.constData(), size_t(value.size()), 0)
            != 0)
            return false;
    }
    // After the owner: changing that clears the set-user-ID and set-group-ID bits.
    if (::fchmod(file.fd(), mode) != 0)
        return false;
    // The system may drop what it lets no one but the owner set, without a word.
    const std::optional<FileMetadata> now = ofFile(file);
    return now && lostIn(*now).isEmpty();
}

QStringList FileMetadata::lostIn(const FileMetadata &other) const
{
    QStringList lost;
    if (other.owner != owner)
        lost << QStringLiteral("owner");
    if (other.group != group)
        lost << QStringLiteral("group");
    if (other.mode != mode)
        lost << QStringLiteral("permissions");
    for (const auto &attribute : attributes) {
        if (!other.attributes.contains(attribute)) {
            lost << QStringLiteral("extended attributes");
            break;
        }
    }
    return lost;
}
