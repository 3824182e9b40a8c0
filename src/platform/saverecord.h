#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The note in the state folder that names a file being written in place and the copy that
// keeps its old content meanwhile. While a whole note names a copy, the copy is never thrown
// away unasked.
struct SaveRecord
{
    QByteArray target; // absolute paths
    QByteArray copy;

    // Names of the notes, and of the copies kept in the state folder itself (when the file's
    // own folder takes no new files).
    static constexpr char notePrefix[] = "record-";
    static constexpr char copyPrefix[] = "old-";
    static constexpr char folderName[] = "saves";

    // The folder of the notes.
    static QByteArray folder();

    QByteArray toBytes() const;
    // A whole note; nothing for another file or for a note cut short (written by a save that
    // crashed before it began to write the file).
    static std::optional<SaveRecord> fromBytes(const QByteArray &bytes);

    // Whether a whole note in the folder names copyPath.
    static bool namesCopy(const QByteArray &copyPath);
};
