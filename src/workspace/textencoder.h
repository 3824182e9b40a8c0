#pragma once

#include "controls/textformat.h"

#include <QByteArray>

#include <functional>

class TextStorage;

// Turns a document's text back into a file's bytes in its format: each line end as the line
// has it, every escaped stray byte as the byte it was.
class TextEncoder
{
public:
    using Sink = std::function<void(QByteArrayView)>;

    // Hands the bytes to sink piece by piece, so a large text needs no second copy. Throws
    // AppError with the reason when the encoding cannot hold a character (possibly after some
    // pieces went out); nothing is ever dropped or replaced.
    static void encode(const TextStorage &storage, const TextFormat &format, const Sink &sink);
    static QByteArray encode(const TextStorage &storage, const TextFormat &format);

    // The offset of the first unit that encoding cannot store, or -1: in Windows-1252 a
    // character outside it, in UTF-8 a lone surrogate that is no escaped byte. UTF-16 stores
    // every unit.
    static qsizetype findUnencodable(const TextStorage &storage, TextEncoding encoding);
};
