#pragma once

#include "textfile.h"

#include <QByteArray>

// Turns a whole file's bytes into the edit control's text and tells how they were stored.
class TextDecoder
{
public:
    // A byte order mark (UTF-8, UTF-16 LE or BE) is recognised when the rest decodes without
    // loss; otherwise valid UTF-8 is UTF-8, and anything else is Windows-1252. Every line
    // break (LF, CRLF, CR) becomes one '\n'. Throws AppError with the reason for content that
    // would not come back unchanged (NUL characters).
    static LoadedText decode(QByteArray bytes);
};
