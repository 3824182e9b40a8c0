#pragma once

#include "textfile.h"

#include <QByteArray>

// Turns the edit control's text back into a file's bytes in a remembered format.
class TextEncoder
{
public:
    // The bytes of text (one '\n' per line break) in format: byte order mark, encoding and
    // line ends. Throws AppError with the reason when the encoding cannot hold a character;
    // nothing is ever dropped or replaced.
    static QByteArray encode(const QString &text, const TextFormat &format);

    // See TextFile::findUnencodable.
    static qsizetype findUnencodable(QStringView text, TextEncoding encoding);
};
