#pragma once

#include "iofault.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// An open file descriptor that closes itself, with the few whole-file operations the text
// files need. Failing calls throw AppError with the system's reason (strerror text).
class UnixFile
{
public:
    UnixFile() = default;
    explicit UnixFile(int fd)
        : m_fd(fd)
    { }
    UnixFile(UnixFile &&other) noexcept;
    UnixFile &operator=(UnixFile &&other) noexcept;
    UnixFile(const UnixFile &) = delete;
    UnixFile &operator=(const UnixFile &) = delete;
    ~UnixFile();

    int fd() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

    struct stat status() const;
    // Reads from the current position to the end; sizeHint is where to start the buffer.
    QByteArray readAll(qsizetype sizeHint) const;
    // Writes all of data at offset, looping over short writes.
    void writeAll(QByteArrayView data, off_t offset = 0) const;
    // Copies source's bytes from its start to its end over this file's start, a piece at a
    // time so that a large file needs little memory; returns how many bytes were copied.
    off_t copyFrom(const UnixFile &source) const;
    void truncate(off_t size) const;
    void sync() const;
    // Closes, reporting a failure (some file systems report write errors only here).
    void close();

    // The folder part of a path ("." for a bare name).
    static QByteArray folderOf(const QByteArray &path);
    // Flushes a folder's entries (a new or renamed name) to disk; a folder that cannot be
    // flushed is left as it is.
    static void syncFolder(const QByteArray &folder);

    // The system's text for errnum, e.g. "No space left on device".
    static QString errorText(int errnum);
    [[noreturn]] static void fail(int errnum);

private:
    int m_fd = -1;
};
