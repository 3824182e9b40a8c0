#include "textdecoder.h"

#include "base/apperror.h"
#include "controls/textblockwriter.h"
#include "textsource.h"
#include "windows1252.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace {

constexpr qsizetype kChunk = 1 << 20;
constexpr qsizetype kSniff = 64 * 1024;

struct OddUtf16
{ };

[[noreturn]] void refuseNul()
{
    throw AppError(QStringLiteral("It holds NUL characters, so it is not a plain text file."));
}

// Hands decoded text to the writer; a CR is a break of its own unless an LF follows it, even
// in the next piece read.
class LineSink
{
public:
    explicit LineSink(TextBlockWriter &writer)
        : m_writer(writer)
    { }

    void text(QStringView units)
    {
        settleCr();
        m_writer.appendText(units);
    }
    void latin1(QByteArrayView bytes)
    {
        settleCr();
        m_writer.appendLatin1(bytes);
    }
    void cr()
    {
        settleCr();
        m_pendingCr = true;
    }
    void lf()
    {
        if (m_pendingCr) {
            m_pendingCr = false;
            addBreak(LineEnd::CRLF);
        } else {
            addBreak(LineEnd::LF);
        }
    }
    void finish() { settleCr(); }
    // The kind most breaks have; LF when there are none or a tie with it.
    LineEnd commonest() const
    {
        const qsizetype lf = m_counts[0], crlf = m_counts[1], cr = m_counts[2];
        if (crlf > lf && crlf >= cr)
            return LineEnd::CRLF;
        if (cr > lf && cr > crlf)
            return LineEnd::CR;
        return LineEnd::LF;
    }

private:
    void settleCr()
    {
        if (m_pendingCr) {
            m_pendingCr = false;
            addBreak(LineEnd::CR);
        }
    }
    void addBreak(LineEnd end)
    {
        ++m_counts[size_t(end)];
        m_writer.appendBreak(TextBlock::attr(end, TextAlignment::Left));
    }

    TextBlockWriter &m_writer;
    bool m_pendingCr = false;
    std::array<qsizetype, 3> m_counts{};
};

// Units waiting to go to the sink together rather than one by one.
class UnitBuffer
{
public:
    explicit UnitBuffer(LineSink &sink)
        : m_sink(sink)
    { }
    void add(char16_t unit)
    {
        if (m_size == qsizetype(m_units.size()))
            flush();
        m_units[size_t(m_size++)] = unit;
    }
    void flush()
    {
        if (m_size > 0)
            m_sink.text(QStringView(m_units.data(), m_size));
        m_size = 0;
    }

private:
    LineSink &m_sink;
    std::array<char16_t, 512> m_units{};
    qsizetype m_size = 0;
};

// The length of the run at p of bytes below 0x80 that are neither CR, LF nor NUL.
qsizetype plainAsciiRun(const uchar *p, const uchar *end)
{
    constexpr quint64 ones = 0x0101010101010101ull;
    constexpr quint64 highs = 0x8080808080808080ull;
    const auto hasZero = [](quint64 v) {
        return (v - ones) & ~v & highs;
    };
    const uchar *start = p;
    while (end - p >= 8) {
        quint64 w;
        std::memcpy(&w, p, 8);
        if ((w & highs) || hasZero(w) || hasZero(w ^ (ones * '\n')) || hasZero(w ^ (ones * '\r')))
            break;
        p += 8;
    }
    while (p < end && *p < 0x80 && *p != '\n' && *p != '\r' && *p != 0)
        ++p;
    return p - start;
}

// The length of a valid UTF-8 sequence at p, 0 when it is none, or -1 when the bytes so far
// could start one that the next piece completes.
int utf8Sequence(const uchar *p, const uchar *end, char32_t &cp)
{
    const uchar c = p[0];
    int n = 0;
    uchar low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c < 0xE0) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c < 0xF0) {
        n = 3;
        cp = c & 0x0F;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (c >= 0xF0 && c < 0xF5) {
        n = 4;
        cp = c & 0x07;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    for (int i = 1; i < n; ++i) {
        if (p + i >= end)
            return -1;
        const uchar b = p[i];
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF))
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    return n;
}

// Reads the source piece by piece, keeping the tail a piece could not use for the next.
class Reader
{
public:
    Reader(TextSource &source, const TextDecoder::Options &options, TextBlockWriter &writer)
        : m_source(source)
        , m_options(options)
        , m_writer(writer)
        , m_buffer(kChunk + 8, Qt::Uninitialized)
    { }

    // The next piece, beginning with the carried tail; empty at the end.
    QByteArrayView next(qsizetype carried)
    {
        if (m_options.cancel && m_options.cancel->load())
            throw TextDecoder::Cancelled();
        if (m_options.budget)
            m_options.budget(m_writer.memoryUsed());
        std::memmove(m_buffer.data(), m_buffer.constData() + m_size - carried, size_t(carried));
        const qsizetype n = m_source.read(m_buffer.data() + carried, kChunk);
        m_done += n;
        m_size = carried + n;
        m_atEnd = n == 0;
        if (m_options.progress)
            m_options.progress(m_done);
        return QByteArrayView(m_buffer.constData(), m_size);
    }
    bool atEnd() const { return m_atEnd; }
    qint64 done() const { return m_done; }

private:
    TextSource &m_source;
    const TextDecoder::Options &m_options;
    TextBlockWriter &m_writer;
    QByteArray m_buffer;
    qsizetype m_size = 0;
    qint64 m_done = 0;
    bool m_atEnd = false;
};

struct Utf8Result
{
    qint64 stray = 0;
    qint64 sequences = 0;
    bool gaveUp = false;
};

// UTF-8, every stray byte kept as its escape. Gives up early (when allowed) once the stray
// bytes plainly outnumber the valid sequences.
Utf8Result decodeUtf8(Reader &reader, LineSink &sink, qsizetype skip, bool mayGiveUp)
{
    Utf8Result result;
    UnitBuffer units(sink);
    qsizetype carried = 0;
    for (QByteArrayView piece = reader.next(0); !piece.isEmpty(); piece = reader.next(carried)) {
        const auto *p = reinterpret_cast<const uchar *>(piece.data()) + skip;
        const auto *end = reinterpret_cast<const uchar *>(piece.data()) + piece.size();
        skip = 0;
        carried = 0;
        while (p < end) {
            const qsizetype run = plainAsciiRun(p, end);
            if (run > 0) {
                units.flush();
                sink.latin1(QByteArrayView(reinterpret_cast<const char *>(p), run));
                p += run;
                continue;
            }
            const uchar c = *p;
            if (c == '\n' || c == '\r') {
                units.flush();
                c == '\n' ? sink.lf() : sink.cr();
                ++p;
                continue;
            }
            if (c == 0)
                refuseNul();
            char32_t cp = 0;
            const int n = utf8Sequence(p, end, cp);
            if (n < 0 && !reader.atEnd()) {
                carried = end - p;
                break;
            }
            if (n <= 0) {
                units.add(ByteEscape::escape(c));
                ++result.stray;
                ++p;
            } else {
                if (QChar::requiresSurrogates(cp)) {
                    units.add(QChar::highSurrogate(cp));
                    units.add(QChar::lowSurrogate(cp));
                } else {
                    units.add(char16_t(cp));
                }
                ++result.sequences;
                p += n;
            }
        }
        units.flush();
        if (mayGiveUp && result.stray > 4096 && result.stray > 8 * result.sequences) {
            result.gaveUp = true;
            return result;
        }
    }
    return result;
}

void decodeSingleByte(Reader &reader, LineSink &sink)
{
    UnitBuffer units(sink);
    for (QByteArrayView piece = reader.next(0); !piece.isEmpty(); piece = reader.next(0)) {
        const auto *p = reinterpret_cast<const uchar *>(piece.data());
        const auto *end = p + piece.size();
        while (p < end) {
            const qsizetype run = plainAsciiRun(p, end);
            if (run > 0) {
                units.flush();
                sink.latin1(QByteArrayView(reinterpret_cast<const char *>(p), run));
                p += run;
                continue;
            }
            const uchar c = *p++;
            if (c == '\n' || c == '\r') {
                units.flush();
                c == '\n' ? sink.lf() : sink.cr();
            } else if (c == 0) {
                refuseNul();
            } else {
                units.add(Windows1252::decode(c));
            }
        }
        units.flush();
    }
}

void decodeUtf16(Reader &reader, LineSink &sink, qsizetype skip, bool bigEndian)
{
    UnitBuffer units(sink);
    qsizetype carried = 0;
    for (QByteArrayView piece = reader.next(0); !piece.isEmpty(); piece = reader.next(carried)) {
        const char *p = piece.data() + skip;
        const qsizetype pairs = (piece.size() - skip) / 2;
        carried = (piece.size() - skip) % 2;
        skip = 0;
        for (qsizetype i = 0; i < pairs; ++i, p += 2) {
            const char16_t u =
                    bigEndian ? qFromBigEndian<char16_t>(p) : qFromLittleEndian<char16_t>(p);
            if (u == u'\n' || u == u'\r') {
                units.flush();
                u == u'\n' ? sink.lf() : sink.cr();
            } else if (u == 0) {
                refuseNul();
            } else {
                units.add(u); // a lone surrogate stays what it is
            }
        }
        units.flush();
        if (reader.atEnd())
            break;
    }
    if (carried != 0)
        throw OddUtf16();
}

struct Sniffed
{
    TextEncoding encoding = TextEncoding::Utf8;
    bool bom = false;
    bool recognised = false;
};

// UTF-16 without a byte order mark: Latin letters put a zero byte in every other place, and
// the units read that way are text, not control codes.
std::optional<TextEncoding> sniffUtf16(QByteArrayView head, qint64 size)
{
    const qsizetype pairs = head.size() / 2;
    if (pairs < 8 || size % 2 != 0)
        return std::nullopt;
    qsizetype zeroFirst = 0, zeroSecond = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        zeroFirst += head[2 * i] == 0;
        zeroSecond += head[2 * i + 1] == 0;
    }
    std::optional<TextEncoding> encoding;
    if (zeroSecond * 5 >= pairs && zeroFirst * 50 <= pairs)
        encoding = TextEncoding::Utf16LE;
    else if (zeroFirst * 5 >= pairs && zeroSecond * 50 <= pairs)
        encoding = TextEncoding::Utf16BE;
    if (!encoding)
        return std::nullopt;
    qsizetype controls = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        const char *p = head.data() + 2 * i;
        const char16_t u = *encoding == TextEncoding::Utf16BE ? qFromBigEndian<char16_t>(p)
                                                              : qFromLittleEndian<char16_t>(p);
        if (u == 0)
            return std::nullopt;
        controls += u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f';
    }
    if (controls * 100 > pairs)
        return std::nullopt;
    return encoding;
}

Sniffed sniff(QByteArrayView head, qint64 size, std::optional<TextEncoding> forced)
{
    Sniffed s;
    if (head.startsWith("\xEF\xBB\xBF"))
        s = {TextEncoding::Utf8, true, true};
    else if (head.startsWith("\xFF\xFE"))
        s = {TextEncoding::Utf16LE, true, true};
    else if (head.startsWith("\xFE\xFF"))
        s = {TextEncoding::Utf16BE, true, true};
    else if (const auto utf16 = sniffUtf16(head, size))
        s = {*utf16, false, true};
    if (forced && *forced != s.encoding)
        s = {*forced, false, true};
    // Told the encoding, the reading never second-guesses it.
    s.recognised = s.recognised || forced.has_value();
    if (forced && s.encoding == TextEncoding::SingleByte)
        s.bom = false;
    return s;
}

qsizetype bomLength(const Sniffed &s)
{
    if (!s.bom)
        return 0;
    return s.encoding == TextEncoding::Utf8 ? 3 : 2;
}

} // namespace

DecodedText TextDecoder::decode(TextSource &source, const Options &options)
{
    QByteArray head(kSniff, Qt::Uninitialized);
    head.truncate(source.read(head.data(), kSniff));
    source.rewind();
    const Sniffed s = sniff(head, source.size(), options.encoding);

    DecodedText decoded;
    decoded.format.encoding = s.encoding;
    decoded.format.bom = s.bom;
    TextBlockWriter writer(TextStorage::kBlockSize);
    LineSink sink(writer);
    Reader reader(source, options, writer);
    if (s.encoding == TextEncoding::Utf16LE || s.encoding == TextEncoding::Utf16BE) {
        try {
            decodeUtf16(reader, sink, bomLength(s), s.encoding == TextEncoding::Utf16BE);
        } catch (const OddUtf16 &) {
            // Bytes that only looked like UTF-16 may still be a single-byte text.
            (void)writer.finish();
            source.rewind();
            Options again = options;
            again.encoding = TextEncoding::SingleByte;
            try {
                if (!options.encoding)
                    return decode(source, again);
            } catch (const AppError &) { }
            throw AppError(QStringLiteral("It is UTF-16 with an odd number of bytes, so its "
                                          "last character is cut off."));
        }
    } else if (s.encoding == TextEncoding::SingleByte) {
        decodeSingleByte(reader, sink);
    } else {
        const Utf8Result utf8 = decodeUtf8(reader, sink, bomLength(s), !s.recognised);
        if (!s.recognised && (utf8.gaveUp || utf8.stray > utf8.sequences)) {
            // Not UTF-8 with a few stray bytes: a single-byte file, read again.
            (void)writer.finish();
            source.rewind();
            Options again = options;
            again.encoding = TextEncoding::SingleByte;
            return decode(source, again);
        }
        decoded.strayBytes = utf8.stray;
    }
    sink.finish();
    decoded.format.lineEnd = sink.commonest();
    decoded.byteSize = reader.done();
    decoded.storage = TextStorage(writer.finish());
    return decoded;
}

DecodedText TextDecoder::decode(QByteArrayView bytes)
{
    MemoryTextSource source(bytes);
    return decode(source, {});
}
