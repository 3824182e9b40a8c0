#pragma once

#include <QString>

// How a text file's characters are stored as bytes.
enum class TextEncoding {
    Utf8,
    Utf16LE,
    Utf16BE,
    // Windows-1252, with its five unassigned bytes kept as the C1 controls of the same value:
    // every byte value is one character and back, so no byte is ever lost.
    SingleByte,
};

// The line break a file uses on disk.
enum class LineEnd { LF, CRLF, CR };

// How a file was stored, so that saving writes it back the same way.
struct TextFormat
{
    TextEncoding encoding = TextEncoding::Utf8;
    bool bom = false; // a byte order mark starts the file (Unicode encodings only)
    LineEnd lineEnd = LineEnd::LF;
    // Whether the loaded file's last line ended with a line break. The text itself keeps that
    // break as its last '\n', so saving writes exactly the breaks the text holds.
    bool finalLineEnd = true;

    bool operator==(const TextFormat &) const = default;
};

// A file's content as the edit control holds it: one '\n' per line break, whatever the file
// used, so text().size() is the length the control reports.
struct LoadedText
{
    QString text;
    TextFormat format;
    // The file mixed LF, CRLF and CR; format.lineEnd is the one that occurs most, and saving
    // writes every break with it.
    bool mixedLineEnds = false;
};

// Loading and saving whole text files without losing a byte the user did not edit.
class TextFile
{
public:
    // Reads the whole file at path. A file that would not come back unchanged (NUL characters,
    // not a regular file, a folder) is refused. Throws AppError "Cannot open file <path>", then
    // "\r" and the reason.
    static LoadedText load(const QString &path);

    // Writes text (one '\n' per line break) to path in format, crash-safe, so the file is
    // either wholly old or wholly new (AtomicFileWriter): it keeps its owner, group, mode,
    // extended attributes and hard links. A symbolic link stays a link; its target is written.
    // Returns what the user should be told after the save (that the file could not keep some
    // of those), or an empty text. Throws AppError "Cannot create file <path>", then "\r" and
    // the reason; the file on disk is then as it was, or the reason says where its old content
    // is kept. Text the encoding cannot hold (see findUnencodable) is refused the same way.
    static QString save(const QString &path, const QString &text, const TextFormat &format);

    // The automatic backup: the file's current content is kept under FilePath::backupName(path)
    // (for a symbolic link: the target's content, beside the link). An existing backup is
    // never replaced; a missing file or an existing backup means no backup, silently. Returns
    // whether a backup was made. The file itself stays in place for save() to replace.
    static bool makeBackup(const QString &path);

    // The index in text of the first character that encoding cannot store, or -1 when it can
    // store them all: a character outside the single-byte encoding, or a lone surrogate in any
    // encoding. The frame uses this to offer another encoding before save() refuses.
    static qsizetype findUnencodable(const QString &text, TextEncoding encoding);
};
