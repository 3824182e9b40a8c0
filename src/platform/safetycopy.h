#pragma once

#include "unixfile.h"

#include <QByteArray>

// The old content of a file that is being written in place, kept in a synced copy and named
// in a note in the state folder until the new content is whole on disk: a crash at any moment
// leaves the whole old content in the file or in the copy.
class SafetyCopy
{
public:
    // Copies what target (open for reading; path names it) holds now to a new file beside it,
    // or into the state folder when its folder takes no new files; returns once the copy and
    // its note are on disk. Throws AppError with the reason, leaving nothing behind.
    static SafetyCopy make(const QByteArray &path, const UnixFile &target);

    SafetyCopy(SafetyCopy &&) = default;
    SafetyCopy &operator=(SafetyCopy &&) = default;
    // Leaves copy and note on disk unless discard() ran: the next start reports them.
    ~SafetyCopy() = default;

    const QByteArray &path() const { return m_copyPath; }

    // Writes the old content back over target, cuts it to that length and syncs it. Throws
    // AppError.
    void restore(const UnixFile &target) const;
    // Removes copy and note: the file holds whole content again.
    void discard();

private:
    SafetyCopy() = default;
    void writeNote(const QByteArray &target);

    UnixFile m_copy;
    QByteArray m_copyPath;
    UnixFile m_note;
    QByteArray m_notePath;
};
