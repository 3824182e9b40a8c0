#pragma once

#include "textfile.h"

#include <QByteArray>

#include <functional>

// Turns the edit control's text back into a file's bytes in a remembered format.
class TextEncoder
{
public:
    using Sink = std::function<void(QByteArrayView)>;

    // Hands the bytes of text (one '\n' per line break) in format to sink, piece by piece so
    // that a large text needs no second copy in memory: byte order mark, encoding, line ends.
    // Throws AppError with the reason when the encoding cannot hold a character (possibly
    // after some pieces went out); nothing is ever dropped or replaced.
    static void encode(const QString &text, const TextFormat &format, const Sink &sink);

    // The same, all in one array.
    static QByteArray encode(const QString &text, const TextFormat &format);

    // See TextFile::findUnencodable.
    static qsizetype findUnencodable(QStringView text, TextEncoding encoding);
};
