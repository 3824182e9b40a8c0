#pragma once

#include "atomicfilewriter.h"

#include <QByteArray>

// Rewrites a file within its own inode, so that its other hard links see the new text and its
// owner, group, mode and attributes stay as they are, and still crash-safe: the old content is
// copied aside and synced first (SafetyCopy), then the new content is written over the file,
// cut to length and synced, and only then is the copy removed. A failure on the way puts the
// old content back from the copy.
class InPlaceWriter
{
public:
    // Throws AppError with the reason; it also says whether the old content was put back or,
    // when even that failed, which file keeps it.
    static AtomicFileWriter::Result write(const QByteArray &path,
                                          const AtomicFileWriter::Producer &produce);
};
