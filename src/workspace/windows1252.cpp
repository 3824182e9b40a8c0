#include "windows1252.h"

#include <array>

namespace {

// Characters of the bytes 0x80-0x9F; the rest are the Latin-1 characters of the same value.
constexpr std::array<char16_t, 32> kHigh = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 256> makeDecodeTable()
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[size_t(b)] = (b >= 0x80 && b < 0xA0) ? kHigh[size_t(b - 0x80)] : char16_t(b);
    return table;
}

constexpr std::array<char16_t, 256> kDecode = makeDecodeTable();

// The byte for c, or -1.
inline int byteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

QString Windows1252::decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = kDecode[in[i]];
    return text;
}

char16_t Windows1252::decode(unsigned char byte)
{
    return kDecode[byte];
}

qsizetype Windows1252::encode(QStringView text, QByteArray &out)
{
    out.resize(text.size());
    const auto *in = reinterpret_cast<const char16_t *>(text.utf16());
    char *dest = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = in[i];
        if (c < 0x80) {
            dest[i] = char(c);
            continue;
        }
        const int b = byteFor(c);
        if (b < 0)
            return i;
        dest[i] = char(b);
    }
    return -1;
}

qsizetype Windows1252::findUnencodable(QStringView text)
{
    const auto *in = reinterpret_cast<const char16_t *>(text.utf16());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (in[i] >= 0x80 && byteFor(in[i]) < 0)
            return i;
    }
    return -1;
}
