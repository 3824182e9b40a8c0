#pragma once

#include "unixfile.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>
#include <utility>

// What a file carries besides its bytes and a file that replaces it must carry too: owner,
// group, permission bits and extended attributes (user attributes and access lists; the
// security labels excepted, which the system gives each new file itself).
class FileMetadata
{
public:
    // Of the file at path (links followed), or of an open file; nothing when it cannot be read
    // whole.
    static std::optional<FileMetadata> ofPath(const QByteArray &path);
    static std::optional<FileMetadata> ofFile(const UnixFile &file);

    // Gives file all of this; false when the system refused a part (another user's file, a
    // group the user is not in, an attribute the file system cannot hold).
    bool applyTo(const UnixFile &file) const;

    // What other lacks of this, named for the user: "owner", "group", "permissions",
    // "extended attributes".
    QStringList lostIn(const FileMetadata &other) const;

    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0; // the permission bits
    QList<std::pair<QByteArray, QByteArray>> attributes;
};
