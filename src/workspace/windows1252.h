#pragma once

#include <QByteArray>
#include <QString>

// The single-byte encoding for files that are not UTF-8: Windows-1252, where the five byte
// values it leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the
// same value. Every byte thus maps to one character and back.
class Windows1252
{
public:
    static QString decode(QByteArrayView bytes);
    static char16_t decode(unsigned char byte);

    // Encodes text into out (resized to text's length). Returns the index of the first
    // character the encoding cannot hold, with out unspecified, or -1 on success.
    static qsizetype encode(QStringView text, QByteArray &out);

    // The index of the first character the encoding cannot hold, or -1.
    static qsizetype findUnencodable(QStringView text);
};
