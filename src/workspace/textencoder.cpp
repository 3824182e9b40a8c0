#include "textencoder.h"

#include "base/apperror.h"
#include "controls/textstorage.h"
#include "windows1252.h"

#include <QtEndian>

namespace {

constexpr qsizetype kFlush = 256 * 1024;

[[noreturn]] void refuse(const TextStorage &storage, qsizetype at)
{
    const qsizetype line = storage.lineOfOffset(at) + 1;
    const char16_t unit = storage.at(at);
    char32_t cp = unit;
    if (QChar::isHighSurrogate(unit) && at + 1 < storage.length()
        && QChar::isLowSurrogate(storage.at(at + 1)))
        cp = QChar::surrogateToUcs4(unit, storage.at(at + 1));
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

// Encodes units as they come, block by block, into pieces for the sink.
class Encoder
{
public:
    Encoder(const TextStorage &storage, const TextFormat &format, const TextEncoder::Sink &sink)
        : m_storage(storage)
        , m_format(format)
        , m_sink(sink)
    {
        m_out.reserve(kFlush + 4096);
        m_out.append(byteOrderMark(format));
    }

    void run()
    {
        QString scratch;
        for (qsizetype b = 0; b < m_storage.blockCount(); ++b) {
            const TextBlock &block = m_storage.block(b);
            const qsizetype start = m_storage.blockStart(b);
            qsizetype from = 0;
            for (qsizetype k = 0; k <= block.breakCount(); ++k) {
                const qsizetype to =
                        k < block.breakCount() ? block.breaks[size_t(k)] : block.size();
                if (!block.units.isWide() && m_format.encoding == TextEncoding::Utf8
                    && m_pendingHigh < 0)
                    latin1AsUtf8(block.units.narrowBytes().sliced(from, to - from));
                else
                    units(block.units.view(from, to - from, scratch), start + from);
                if (k < block.breakCount())
                    lineEnd(TextBlock::endOf(block.attrs[size_t(k)]), start + to);
                from = to + 1;
                if (m_out.size() >= kFlush)
                    flush();
            }
        }
        if (m_pendingHigh >= 0)
            refuse(m_storage, m_pendingHigh);
        flush();
    }

private:
    void flush()
    {
        if (!m_out.isEmpty())
            m_sink(m_out);
        m_out.resize(0);
    }
    void unit16(char16_t u)
    {
        char bytes[2];
        if (m_format.encoding == TextEncoding::Utf16BE)
            qToBigEndian(u, bytes);
        else
            qToLittleEndian(u, bytes);
        m_out.append(bytes, 2);
    }
    void lineEnd(LineEnd end, qsizetype at)
    {
        if (m_pendingHigh >= 0)
            refuse(m_storage, m_pendingHigh);
        const bool wide = m_format.encoding == TextEncoding::Utf16LE
                || m_format.encoding == TextEncoding::Utf16BE;
        for (char16_t u : end == LineEnd::CRLF ? std::u16string_view(u"\r\n")
                     : end == LineEnd::CR      ? std::u16string_view(u"\r")
                                               : std::u16string_view(u"\n")) {
            if (wide)
                unit16(u);
            else
                m_out.append(char(u));
        }
        Q_UNUSED(at);
    }
    void units(QStringView text, qsizetype offset)
    {
        switch (m_format.encoding) {
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE:
            for (QChar c : text)
                unit16(c.unicode());
            return;
        case TextEncoding::SingleByte: {
            QByteArray bytes;
            const qsizetype bad = Windows1252::encode(text, bytes);
            if (bad >= 0)
                refuse(m_storage, offset + bad);
            m_out.append(bytes);
            return;
        }
        case TextEncoding::Utf8:
            utf8(text, offset);
            return;
        }
    }
    void utf8(QStringView text, qsizetype offset)
    {
        const char16_t *p = text.utf16();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = p[i];
            if (m_pendingHigh >= 0) {
                if (!QChar::isLowSurrogate(c))
                    refuse(m_storage, m_pendingHigh);
                codePoint(QChar::surrogateToUcs4(m_high, c));
                m_pendingHigh = -1;
            } else if (c < 0x80) {
                m_out.append(char(c));
            } else if (QChar::isHighSurrogate(c)) {
                m_pendingHigh = offset + i; // its other half may open the next block
                m_high = c;
            } else if (ByteEscape::isEscape(c)) {
                m_out.append(ByteEscape::byteOf(c));
            } else if (QChar::isLowSurrogate(c)) {
                refuse(m_storage, offset + i);
            } else {
                codePoint(c);
            }
        }
    }
    // Latin-1 units: ASCII runs go as they are.
    void latin1AsUtf8(QByteArrayView bytes)
    {
        const auto *p = reinterpret_cast<const uchar *>(bytes.data());
        const auto *end = p + bytes.size();
        while (p < end) {
            const uchar *run = p;
            while (p < end && *p < 0x80)
                ++p;
            m_out.append(reinterpret_cast<const char *>(run), p - run);
            if (p < end)
                codePoint(*p++);
        }
    }
    void codePoint(char32_t cp)
    {
        if (cp < 0x800) {
            m_out.append(char(0xC0 | (cp >> 6)));
        } else {
            if (cp < 0x10000) {
                m_out.append(char(0xE0 | (cp >> 12)));
            } else {
                m_out.append(char(0xF0 | (cp >> 18)));
                m_out.append(char(0x80 | ((cp >> 12) & 0x3F)));
            }
            m_out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        }
        m_out.append(char(0x80 | (cp & 0x3F)));
    }

    const TextStorage &m_storage;
    const TextFormat &m_format;
    const TextEncoder::Sink &m_sink;
    QByteArray m_out;
    qsizetype m_pendingHigh = -1;
    char16_t m_high = 0;
};

} // namespace

void TextEncoder::encode(const TextStorage &storage, const TextFormat &format, const Sink &sink)
{
    Encoder(storage, format, sink).run();
}

QByteArray TextEncoder::encode(const TextStorage &storage, const TextFormat &format)
{
    QByteArray all;
    encode(storage, format, [&all](QByteArrayView piece) { all.append(piece); });
    return all;
}

qsizetype TextEncoder::findUnencodable(const TextStorage &storage, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE)
        return -1;
    qsizetype offset = 0;
    qsizetype found = -1;
    qsizetype pendingHigh = -1;
    storage.forEachChunk(0, storage.length(), [&](QStringView chunk) {
        if (found >= 0)
            return;
        if (encoding == TextEncoding::SingleByte) {
            const qsizetype bad = Windows1252::findUnencodable(chunk);
            if (bad >= 0)
                found = offset + bad;
        } else {
            for (qsizetype i = 0; i < chunk.size() && found < 0; ++i) {
                const char16_t c = chunk[i].unicode();
                if (pendingHigh >= 0 && !QChar::isLowSurrogate(c))
                    found = pendingHigh;
                else if (pendingHigh >= 0)
                    pendingHigh = -1;
                else if (QChar::isHighSurrogate(c))
                    pendingHigh = offset + i;
                else if (QChar::isLowSurrogate(c) && !ByteEscape::isEscape(c))
                    found = offset + i;
            }
        }
        offset += chunk.size();
    });
    return found >= 0 ? found : pendingHigh;
}
