#pragma once

#include <QtGlobal>

// How a text file's characters are stored as bytes.
enum class TextEncoding {
    Utf8,
    Utf16LE,
    Utf16BE,
    // Windows-1252, with its five unassigned bytes kept as the C1 controls of the same value:
    // every byte value is one character and back, so no byte is ever lost.
    SingleByte,
};

// The bytes that end a line on disk. Every line but the last has one of its own.
enum class LineEnd : quint8 { LF = 0, CRLF = 1, CR = 2 };

// Paragraph alignment, for display only.
enum class TextAlignment : quint8 { Left = 0, Right = 1, Center = 2 };

// How a file is stored, so that saving writes it back the same way. lineEnd is the kind a new
// line break gets; every existing break keeps its own.
struct TextFormat
{
    TextEncoding encoding = TextEncoding::Utf8;
    bool bom = false; // a byte order mark starts the file (Unicode encodings only)
    LineEnd lineEnd = LineEnd::LF;

    bool operator==(const TextFormat &) const = default;
};

// In UTF-8 text, a byte that is no part of a valid sequence is kept as the lone low surrogate
// U+DC00 + byte, which no valid text holds, so that saving writes the very byte back.
namespace ByteEscape {
constexpr bool isEscape(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}
constexpr char16_t escape(unsigned char byte)
{
    return char16_t(0xDC00 + byte);
}
constexpr char byteOf(char16_t unit)
{
    return char(unit & 0xFF);
}
} // namespace ByteEscape
