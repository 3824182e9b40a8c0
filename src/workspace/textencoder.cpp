#include "textencoder.h"

#include "app/apperror.h"
#include "windows1252.h"

#include <QStringEncoder>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

qsizetype findLoneSurrogate(QStringView text)
{
    const auto *p = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    // Scan in blocks without branching; most text holds no surrogate at all.
    constexpr qsizetype kBlock = 4096;
    for (qsizetype start = 0; start < n; start += kBlock) {
        const qsizetype end = qMin(n, start + kBlock);
        bool any = false;
        for (qsizetype i = start; i < end; ++i)
            any |= (p[i] & 0xF800) == 0xD800;
        if (!any)
            continue;
        for (qsizetype i = start; i < n; ++i) {
            if (QChar::isHighSurrogate(p[i]) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]))
                ++i;
            else if (QChar::isSurrogate(p[i]))
                return i;
        }
        return -1;
    }
    return -1;
}

// The code point at index at, joining a surrogate pair; a lone surrogate stays itself.
char32_t codePointAt(const QString &text, qsizetype at)
{
    const char16_t c = text.at(at).unicode();
    if (QChar::isHighSurrogate(c) && at + 1 < text.size()
        && QChar::isLowSurrogate(text.at(at + 1).unicode()))
        return QChar::surrogateToUcs4(c, text.at(at + 1).unicode());
    return c;
}

[[noreturn]] void refuse(const QString &text, qsizetype at)
{
    const qsizetype line = QStringView(text).first(at).count(QLatin1Char('\n')) + 1;
    const char32_t cp = codePointAt(text, at);
    const QString code = QStringLiteral("U+%1").arg(uint(cp), 4, 16, QLatin1Char('0')).toUpper();
    if (QChar::isSurrogate(cp))
        throw AppError(QStringLiteral("Line %1 holds half a character (%2), which no file can "
                                      "store. Nothing was written.")
                               .arg(line)
                               .arg(code));
    throw AppError(QStringLiteral("The character \"%1\" (%2) in line %3 cannot be stored in "
                                  "the file's encoding, Windows-1252. Nothing was written.")
                           .arg(QString::fromUcs4(&cp, 1), code)
                           .arg(line));
}

// Writes the units of body (in file byte order) with each newline unit as the line end.
template<typename Ch>
QByteArray withLineEnds(QByteArray body, LineEnd lineEnd, Ch nl, Ch cr)
{
    Ch *begin = reinterpret_cast<Ch *>(body.data());
    Ch *end = begin + body.size() / qsizetype(sizeof(Ch));
    if (lineEnd == LineEnd::LF)
        return body;
    if (lineEnd == LineEnd::CR) {
        std::replace(begin, end, nl, cr);
        return body;
    }
    const qsizetype breaks = std::count(begin, end, nl);
    QByteArray out(body.size() + breaks * qsizetype(sizeof(Ch)), Qt::Uninitialized);
    Ch *dest = reinterpret_cast<Ch *>(out.data());
    if constexpr (sizeof(Ch) == 1) {
        // Whole lines at a time: far faster than a test per byte.
        for (const Ch *p = begin; p < end;) {
            const auto *hit = static_cast<const Ch *>(std::memchr(p, nl, size_t(end - p)));
            const Ch *stop = hit ? hit : end;
            dest = std::copy(p, stop, dest);
            if (!hit)
                break;
            *dest++ = cr;
            *dest++ = nl;
            p = hit + 1;
        }
    } else {
        for (const Ch *p = begin; p < end; ++p) {
            if (*p == nl)
                *dest++ = cr;
            *dest++ = *p;
        }
    }
    return out;
}

QByteArray utf16Units(QStringView text, bool bigEndian)
{
    QByteArray body(text.size() * 2, Qt::Uninitialized);
    if (bigEndian)
        qToBigEndian<char16_t>(text.utf16(), text.size(), body.data());
    else
        qToLittleEndian<char16_t>(text.utf16(), text.size(), body.data());
    return body;
}

// The bytes of one piece of text, without byte order mark; bad is set to the piece's index
// of a character the encoding cannot hold, or -1.
QByteArray encodePiece(QStringView piece, TextEncoding encoding, LineEnd lineEnd, qsizetype &bad)
{
    QByteArray body;
    bad = -1;
    switch (encoding) {
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        bad = findLoneSurrogate(piece);
        const bool big = encoding == TextEncoding::Utf16BE;
        auto unit = [big](char16_t c) {
            return big ? qToBigEndian(c) : qToLittleEndian(c);
        };
        return withLineEnds<char16_t>(utf16Units(piece, big), lineEnd, unit(u'\n'), unit(u'\r'));
    }
    case TextEncoding::SingleByte:
        // A lone surrogate is outside the encoding too, so this loop finds it as well.
        bad = Windows1252::encode(piece, body);
        break;
    case TextEncoding::Utf8: {
        // The encoder reports a lone surrogate; only then is the piece scanned again.
        QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        body = utf8.encode(piece);
        if (utf8.hasError())
            bad = findLoneSurrogate(piece);
        break;
    }
    }
    return withLineEnds<char>(std::move(body), lineEnd, '\n', '\r');
}

QByteArrayView byteOrderMark(const TextFormat &format)
{
    if (!format.bom)
        return {};
    switch (format.encoding) {
    case TextEncoding::Utf8:
        return "\xEF\xBB\xBF";
    case TextEncoding::Utf16LE:
        return "\xFF\xFE";
    case TextEncoding::Utf16BE:
        return "\xFE\xFF";
    case TextEncoding::SingleByte:
        break;
    }
    return {};
}

} // namespace

void TextEncoder::encode(const QString &text, const TextFormat &format, const Sink &sink)
{
    // Pieces small enough to stay in the processor's cache, cut between surrogate pairs.
    constexpr qsizetype kPiece = 256 * 1024;
    const QByteArrayView bom = byteOrderMark(format);
    if (!bom.isEmpty())
        sink(bom);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype length = qMin(kPiece, text.size() - start);
        if (start + length < text.size() && text.at(start + length - 1).isHighSurrogate())
            ++length;
        qsizetype bad = -1;
        const QByteArray bytes = encodePiece(QStringView(text).sliced(start, length),
                                             format.encoding, format.lineEnd, bad);
        if (bad >= 0)
            refuse(text, start + bad);
        sink(bytes);
        start += length;
    }
}

QByteArray TextEncoder::encode(const QString &text, const TextFormat &format)
{
    QByteArray all;
    encode(text, format, [&all](QByteArrayView piece) { all.append(piece); });
    return all;
}

qsizetype TextEncoder::findUnencodable(QStringView text, TextEncoding encoding)
{
    const qsizetype lone = findLoneSurrogate(text);
    const qsizetype outside =
            encoding == TextEncoding::SingleByte ? Windows1252::findUnencodable(text) : -1;
    if (lone < 0 || outside < 0)
        return qMax(lone, outside);
    return qMin(lone, outside);
}
