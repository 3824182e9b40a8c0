#pragma once

#include "controls/textformat.h"
#include "workspace/textdecoder.h"

#include <QString>

class TextStorage;

// Loading and saving whole text files without losing a byte the user did not edit.
class TextFile
{
public:
    // Reads the file at path into a document's text. A file that would not come back
    // unchanged (NUL characters, not a regular file, a folder) is refused, and so is one too
    // large for the memory left. Throws AppError "Cannot open file <path>", then "\r" and the
    // reason; TextDecoder::Cancelled when options.cancel was set.
    static DecodedText load(const QString &path, const TextDecoder::Options &options = {});

    // What load() refuses before reading a byte: a file that cannot be opened, a folder, no
    // regular file, one too large for the memory left. Throws AppError as load() does.
    static void check(const QString &path);

    // What the text of a file of fileSize bytes is expected to take in memory.
    static qint64 expectedFootprint(qint64 fileSize);

    // Writes the text to path in format, crash-safe, so the file is either wholly old or wholly
    // new (AtomicFileWriter): it keeps its owner, group, mode, extended attributes and hard
    // links. A symbolic link stays a link; its target is written. Returns what the user should
    // be told after the save (that the file could not keep some of those), or an empty text.
    // Throws AppError "Cannot create file <path>", then "\r" and the reason; the file on disk
    // is then as it was, or the reason says where its old content is kept. Text the encoding
    // cannot hold (see findUnencodable) is refused the same way.
    static QString save(const QString &path, const TextStorage &text, const TextFormat &format);

    // The automatic backup: the file's current content is kept under FilePath::backupName(path)
    // (for a symbolic link: the target's content, beside the link). An existing backup is
    // never replaced; a missing file or an existing backup means no backup, silently. Returns
    // whether a backup was made. The file itself stays in place for save() to replace.
    static bool makeBackup(const QString &path);

    // See TextEncoder::findUnencodable.
    static qsizetype findUnencodable(const TextStorage &text, TextEncoding encoding);
};
