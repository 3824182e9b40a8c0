#pragma once

#include "iofault.h"
#include "unixfile.h"

#include <QByteArray>

#include <functional>
#include <optional>

// The program's own temporary files of a save. The save that makes one holds a lock on it for
// as long as it runs, so a later save tells the leftovers of a crashed save (unlocked) from
// the files of a save still running in another instance (locked), which it never touches.
class SaveTemporaries
{
public:
    // The new content before it is renamed over the target.
    static constexpr char newContentPrefix[] = ".leafstack-save-";
    // The old content, kept beside a file while it is written in place.
    static constexpr char oldContentPrefix[] = ".leafstack-old-";

    struct Created
    {
        UnixFile file; // closed when the file could not be made
        QByteArray path;
        int errnum = 0;
    };

    // Makes a new file folder/<prefix>XXXXXX, mode 0600, and locks it. step is the fault a
    // test may inject instead.
    static Created create(const QByteArray &folder, const char *prefix,
                          std::optional<IoFault::Step> step = std::nullopt);

    // Removes from folder every file whose name starts with prefix that no running save holds
    // and that mayRemove (given its path) allows. Failures leave the file where it is.
    static void removeStale(const QByteArray &folder, const char *prefix,
                            const std::function<bool(const QByteArray &)> &mayRemove = {});
};
