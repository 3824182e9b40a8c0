#pragma once

#include "controls/textformat.h"
#include "controls/textstorage.h"

#include <atomic>
#include <functional>
#include <optional>

class TextSource;

// A file's text as the document will hold it, and how it was stored.
struct DecodedText
{
    TextStorage storage;
    TextFormat format;
    qint64 byteSize = 0;
    // Bytes of UTF-8 text that were no valid sequence, kept as they are.
    qint64 strayBytes = 0;
};

// Turns a file's bytes into a document's text piece by piece, without a second whole copy,
// and tells how they were stored. Every line keeps its own line end.
//
// A byte order mark says the encoding. Without one, UTF-16 is recognised by the zero bytes of
// its Latin letters; otherwise the text is UTF-8 when it holds at least as many valid UTF-8
// sequences as stray bytes (each stray byte is kept exactly, see ByteEscape), and
// Windows-1252 when it does not.
class TextDecoder
{
public:
    struct Options
    {
        // Called now and then with the bytes read so far.
        std::function<void(qint64 done)> progress;
        // Set from another thread to give up; decode() then throws DecodeCancelled.
        const std::atomic_bool *cancel = nullptr;
        // Called with the storage's bytes so far; throws to stop (memory running out).
        std::function<void(qint64 used)> budget;
        // When set, the encoding to read with instead of recognising one.
        std::optional<TextEncoding> encoding;
    };
    struct Cancelled
    { };

    // Throws AppError with the reason for content that would not come back unchanged: NUL
    // characters, UTF-16 with an odd number of bytes.
    static DecodedText decode(TextSource &source, const Options &options);
    static DecodedText decode(QByteArrayView bytes);
};
