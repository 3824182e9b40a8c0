#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Replaces a file's whole content so that a crash, a power cut or a full disk leaves either
// the old content or the new one, never a mix: the bytes go to a new file beside the target,
// are flushed to disk, and the new file is renamed over the target.
class AtomicFileWriter
{
public:
    using Sink = std::function<void(QByteArrayView)>;
    // Hands the new content to the sink piece by piece; may throw AppError to give up.
    using Producer = std::function<void(const Sink &)>;

    // Writes data as the new content of path. The new file keeps the old one's permission bits
    // and, where the system allows, its owner and group; a new file gets the usual mode for
    // the umask. A symbolic link stays a link and its final target is replaced. When no file
    // can be created in the folder but the target is writable, the target is written in place,
    // with the room for the new size reserved first so a full disk leaves it untouched.
    // Throws AppError with the reason (also one the producer throws); the target is then
    // unchanged.
    static void write(const QString &path, const Producer &produce);
    static void write(const QString &path, const QByteArray &data);

    // The path that path names after following its symbolic links (itself when it is no link;
    // a dangling link gives the missing target's path). Throws AppError on a link loop.
    static QByteArray resolveLinks(const QByteArray &path);
};
