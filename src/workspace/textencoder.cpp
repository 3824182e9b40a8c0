#include "textencoder.h"

#include "app/apperror.h"
#include "windows1252.h"

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

[[noreturn]] void refuse(const QString &text, qsizetype at, TextEncoding encoding)
{
    const qsizetype line = QStringView(text).first(at).count(QLatin1Char('\n')) + 1;
    const QString code = QStringLiteral("U+%1")
                                 .arg(uint(text.at(at).unicode()), 4, 16, QLatin1Char('0'))
                                 .toUpper();
    if (QChar::isSurrogate(text.at(at).unicode()))
        throw AppError(QStringLiteral("Line %1 holds half a character (%2), which no file can "
                                      "store. Nothing was written.")
                               .arg(line)
                               .arg(code));
    Q_ASSERT(encoding == TextEncoding::SingleByte);
    throw AppError(QStringLiteral("The character \"%1\" (%2) in line %3 cannot be stored in "
                                  "the file's encoding, Windows-1252. Nothing was written.")
                           .arg(text.at(at))
                           .arg(code)
                           .arg(line));
}

template<typename Ch>
const Ch *findUnit(const Ch *from, const Ch *end, Ch unit)
{
    if constexpr (sizeof(Ch) == 1)
        return static_cast<const Ch *>(std::memchr(from, unit, size_t(end - from)));
    const Ch *hit = std::find(from, end, unit);
    return hit == end ? nullptr : hit;
}

// The file's bytes: bom, then body (its units in file byte order) with each newline unit
// written as the line end.
template<typename Ch>
QByteArray assemble(const QByteArray &body, QByteArrayView bom, LineEnd lineEnd, Ch nl, Ch cr)
{
    const Ch *begin = reinterpret_cast<const Ch *>(body.constData());
    const Ch *end = begin + body.size() / qsizetype(sizeof(Ch));
    if (lineEnd == LineEnd::LF)
        return bom.isEmpty() ? body : bom.toByteArray() + body;
    if (lineEnd == LineEnd::CR) {
        QByteArray out = bom.toByteArray() + body;
        Ch *units = reinterpret_cast<Ch *>(out.data() + bom.size());
        std::replace(units, units + (end - begin), nl, cr);
        return out;
    }
    qsizetype breaks = 0;
    for (const Ch *p = begin; (p = findUnit(p, end, nl)); ++p)
        ++breaks;
    QByteArray out(bom.size() + body.size() + breaks * qsizetype(sizeof(Ch)), Qt::Uninitialized);
    std::memcpy(out.data(), bom.data(), size_t(bom.size()));
    Ch *dest = reinterpret_cast<Ch *>(out.data() + bom.size());
    for (const Ch *p = begin; p < end;) {
        const Ch *hit = findUnit(p, end, nl);
        const Ch *stop = hit ? hit : end;
        dest = std::copy(p, stop, dest);
        if (!hit)
            break;
        *dest++ = cr;
        *dest++ = nl;
        p = hit + 1;
    }
    return out;
}

QByteArray encodeUtf16(const QString &text, const TextFormat &format)
{
    const bool big = format.encoding == TextEncoding::Utf16BE;
    QByteArray body(text.size() * 2, Qt::Uninitialized);
    if (big)
        qToBigEndian<char16_t>(text.utf16(), text.size(), body.data());
    else
        qToLittleEndian<char16_t>(text.utf16(), text.size(), body.data());
    auto unit = [big](char16_t c) {
        return big ? qToBigEndian(c) : qToLittleEndian(c);
    };
    const QByteArray bom = big ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    return assemble<char16_t>(body, format.bom ? QByteArrayView(bom) : QByteArrayView(),
                              format.lineEnd, unit(u'\n'), unit(u'\r'));
}

} // namespace

QByteArray TextEncoder::encode(const QString &text, const TextFormat &format)
{
    const qsizetype bad = findLoneSurrogate(text);
    if (bad >= 0)
        refuse(text, bad, format.encoding);
    QByteArray body;
    switch (format.encoding) {
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return encodeUtf16(text, format);
    case TextEncoding::SingleByte: {
        const qsizetype at = Windows1252::encode(text, body);
        if (at >= 0)
            refuse(text, at, format.encoding);
        return assemble<char>(body, QByteArrayView(), format.lineEnd, '\n', '\r');
    }
    case TextEncoding::Utf8:
        break;
    }
    body = text.toUtf8();
    const QByteArrayView bom = format.bom ? QByteArrayView("\xEF\xBB\xBF") : QByteArrayView();
    return assemble<char>(body, bom, format.lineEnd, '\n', '\r');
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
