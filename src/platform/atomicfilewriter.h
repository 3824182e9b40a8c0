#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Replaces a file's whole content so that a crash, a power cut or a full disk leaves either
// the old content or the new one, never a mix. Normally the bytes go to a new file beside the
// target, are flushed to disk, and the new file is renamed over the target. A file that must
// keep its inode (it has other hard links, its folder takes no new files, or a new file could
// not be given its owner, group, mode or attributes) is written in place, its old content
// kept aside until the new content is whole on disk (see InPlaceWriter).
class AtomicFileWriter
{
public:
    using Sink = std::function<void(QByteArrayView)>;
    // Hands the new content to the sink piece by piece; may throw AppError to give up. Called
    // exactly once.
    using Producer = std::function<void(const Sink &)>;

    struct Result
    {
        bool inPlace = false;
        // What the file could not keep of its owner, group, permissions and extended
        // attributes, named for the user; empty when it kept them all.
        QStringList notKept;
    };

    // Writes the producer's bytes as the new content of path. The file keeps its owner, group,
    // permission bits and extended attributes; a new file gets the usual mode for the umask.
    // A symbolic link stays a link and its final target is written. Our own leftovers of a
    // crashed save in the folder are removed first. Throws AppError with the reason (also one
    // the producer throws); the file is then as it was, or the reason says where its old
    // content is kept.
    static Result write(const QString &path, const Producer &produce);
    static Result write(const QString &path, const QByteArray &data);

    // The path that path names after following its symbolic links (itself when it is no link;
    // a dangling link gives the missing target's path). Throws AppError on a link loop.
    static QByteArray resolveLinks(const QByteArray &path);
};
