#include "textdecoder.h"

#include "app/apperror.h"
#include "windows1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

struct LineEndCounts
{
    qsizetype lf = 0;
    qsizetype crlf = 0;
    qsizetype cr = 0;
};

// Turns CRLF and CR into LF in place, counting each kind, and shrinks the buffer to fit.
template<typename Ch>
LineEndCounts normaliseLineEnds(Ch *data, qsizetype &size)
{
    LineEndCounts counts;
    qsizetype out = 0;
    for (qsizetype i = 0; i < size; ++i) {
        Ch c = data[i];
        if (c == Ch('\r')) {
            if (i + 1 < size && data[i + 1] == Ch('\n')) {
                ++counts.crlf;
                ++i;
            } else {
                ++counts.cr;
            }
            c = Ch('\n');
        } else if (c == Ch('\n')) {
            ++counts.lf;
        }
        data[out++] = c;
    }
    size = out;
    return counts;
}

// The same for bytes, a line at a time: far faster than a test per byte.
template<>
LineEndCounts normaliseLineEnds(char *data, qsizetype &size)
{
    LineEndCounts counts;
    const qsizetype newlines = std::count(data, data + size, '\n');
    char *out = data;
    const char *p = data;
    const char *end = data + size;
    while (p < end) {
        const auto *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(end - p)));
        const char *stop = cr ? cr : end;
        std::memmove(out, p, size_t(stop - p));
        out += stop - p;
        if (!cr)
            break;
        const bool pair = cr + 1 < end && cr[1] == '\n';
        ++(pair ? counts.crlf : counts.cr);
        *out++ = '\n';
        p = cr + (pair ? 2 : 1);
    }
    counts.lf = newlines - counts.crlf;
    size = out - data;
    return counts;
}

void applyLineEnds(const LineEndCounts &counts, LoadedText &loaded)
{
    const int kinds = (counts.lf > 0) + (counts.crlf > 0) + (counts.cr > 0);
    loaded.mixedLineEnds = kinds > 1;
    if (counts.crlf > counts.lf && counts.crlf >= counts.cr)
        loaded.format.lineEnd = LineEnd::CRLF;
    else if (counts.cr > counts.lf && counts.cr > counts.crlf)
        loaded.format.lineEnd = LineEnd::CR;
    else
        loaded.format.lineEnd = LineEnd::LF;
}

[[noreturn]] void refuseNul()
{
    throw AppError(QStringLiteral("It holds NUL characters, so it is not a plain text file."));
}

// UTF-8 or Windows-1252 bytes: CR, LF and NUL are single bytes in both, so the line ends are
// settled on the bytes before decoding.
std::optional<LoadedText> decodeBytes(QByteArray bytes, bool orSingleByte)
{
    if (std::memchr(bytes.constData(), 0, size_t(bytes.size())))
        refuseNul();
    LoadedText loaded;
    if (std::memchr(bytes.constData(), '\r', size_t(bytes.size()))) {
        qsizetype size = bytes.size();
        applyLineEnds(normaliseLineEnds(bytes.data(), size), loaded);
        bytes.truncate(size);
    }
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless
                                | QStringConverter::Flag::ConvertInitialBom);
    loaded.text = utf8.decode(bytes);
    if (utf8.hasError()) {
        if (!orSingleByte)
            return std::nullopt;
        loaded.text = Windows1252::decode(bytes);
        loaded.format.encoding = TextEncoding::SingleByte;
    }
    return loaded;
}

bool pairedSurrogates(const QString &text)
{
    const auto *p = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (QChar::isHighSurrogate(p[i]) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]))
            ++i;
        else if (QChar::isSurrogate(p[i]))
            return false;
    }
    return true;
}

// UTF-16 after its byte order mark; empty when the bytes are not UTF-16 that round-trips.
std::optional<LoadedText> decodeUtf16(QByteArrayView bytes, TextEncoding encoding)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QStringDecoder decoder(encoding == TextEncoding::Utf16LE ? QStringConverter::Utf16LE
                                                             : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless
                                   | QStringConverter::Flag::ConvertInitialBom);
    LoadedText loaded;
    loaded.text = decoder.decode(bytes);
    if (decoder.hasError() || !pairedSurrogates(loaded.text))
        return std::nullopt;
    if (loaded.text.contains(QChar(0)))
        refuseNul();
    if (loaded.text.contains(QLatin1Char('\r'))) {
        qsizetype size = loaded.text.size();
        applyLineEnds(normaliseLineEnds(reinterpret_cast<char16_t *>(loaded.text.data()), size),
                      loaded);
        loaded.text.truncate(size);
    }
    loaded.format.encoding = encoding;
    loaded.format.bom = true;
    return loaded;
}

} // namespace

LoadedText TextDecoder::decode(QByteArray bytes)
{
    std::optional<LoadedText> loaded;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        loaded = decodeBytes(bytes.sliced(3), false);
        if (loaded)
            loaded->format.bom = true;
    } else if (bytes.startsWith("\xFF\xFE")) {
        loaded = decodeUtf16(QByteArrayView(bytes).sliced(2), TextEncoding::Utf16LE);
    } else if (bytes.startsWith("\xFE\xFF")) {
        loaded = decodeUtf16(QByteArrayView(bytes).sliced(2), TextEncoding::Utf16BE);
    }
    if (!loaded)
        loaded = decodeBytes(std::move(bytes), true);
    loaded->format.finalLineEnd = loaded->text.endsWith(QLatin1Char('\n'));
    return *loaded;
}
