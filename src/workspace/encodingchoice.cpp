#include "encodingchoice.h"

#include <array>

namespace EncodingChoice {

namespace {

struct Entry
{
    const char *label;
    TextEncoding encoding;
    bool bom;
};

constexpr std::array<Entry, 5> kEntries{{
        {"UTF-8", TextEncoding::Utf8, false},
        {"UTF-8 with BOM", TextEncoding::Utf8, true},
        {"UTF-16 LE", TextEncoding::Utf16LE, true},
        {"UTF-16 BE", TextEncoding::Utf16BE, true},
        {"Windows-1252", TextEncoding::SingleByte, false},
}};

} // namespace

QStringList labels()
{
    QStringList names;
    for (const Entry &entry : kEntries)
        names << QString::fromLatin1(entry.label);
    return names;
}

int indexOf(const TextFormat &format)
{
    for (size_t i = 0; i < kEntries.size(); ++i) {
        // UTF-16 read without a byte order mark is still that entry.
        const bool utf16 = format.encoding == TextEncoding::Utf16LE
                || format.encoding == TextEncoding::Utf16BE;
        if (kEntries[i].encoding == format.encoding && (utf16 || kEntries[i].bom == format.bom))
            return int(i);
    }
    return 0;
}

TextFormat chosen(int index, const TextFormat &format)
{
    if (index < 0 || index >= int(kEntries.size()) || index == indexOf(format))
        return format;
    TextFormat result = format;
    result.encoding = kEntries[size_t(index)].encoding;
    result.bom = kEntries[size_t(index)].bom;
    return result;
}

} // namespace EncodingChoice
