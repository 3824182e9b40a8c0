#include "casetable.h"

#include <array>
#include <memory>
#include <vector>

namespace {

// Qt's mapping never changes while the program runs, so the table for every unit of the
// Basic Multilingual Plane is built once. Surrogates map to themselves here.
const char16_t *upperTable()
{
    static const std::unique_ptr<std::array<char16_t, 0x10000>> table = [] {
        auto t = std::make_unique<std::array<char16_t, 0x10000>>();
        for (char32_t c = 0; c < 0x10000; ++c) {
            const char32_t upper = QChar::toUpper(c);
            const bool keep = QChar::isSurrogate(c) || upper > 0xFFFF;
            (*t)[c] = char16_t(keep ? c : upper);
        }
        return t;
    }();
    return table->data();
}

// For every unit, the units that map to it, in ascending order: units[offsets[u] ..
// offsets[u + 1]].
struct Preimages
{
    std::vector<quint32> offsets;
    std::vector<char16_t> units;
};

const Preimages &preimageTable()
{
    static const Preimages preimages = [] {
        const char16_t *table = upperTable();
        Preimages p;
        p.offsets.assign(0x10001, 0);
        for (char32_t c = 0; c < 0x10000; ++c)
            ++p.offsets[table[c] + 1];
        for (char32_t u = 0; u < 0x10000; ++u)
            p.offsets[u + 1] += p.offsets[u];
        p.units.resize(0x10000);
        std::vector<quint32> next(p.offsets.begin(), p.offsets.end() - 1);
        for (char32_t c = 0; c < 0x10000; ++c)
            p.units[next[table[c]]++] = char16_t(c);
        return p;
    }();
    return preimages;
}

} // namespace

std::span<const char16_t> CaseTable::unitsMappingTo(char16_t unit) const
{
    if (!m_table)
        return {};
    const Preimages &p = preimageTable();
    return {p.units.data() + p.offsets[unit], p.offsets[unit + 1] - p.offsets[unit]};
}

CaseTable::CaseTable(bool matchCase)
    : m_table(matchCase ? nullptr : upperTable())
{ }

char16_t CaseTable::surrogateAt(QStringView text, qsizetype i) const
{
    const char16_t c = text[i].unicode();
    char32_t code;
    if (QChar::isHighSurrogate(c)) {
        if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
            return c;
        code = QChar::surrogateToUcs4(c, text[i + 1].unicode());
    } else {
        if (i == 0 || !text[i - 1].isHighSurrogate())
            return c;
        code = QChar::surrogateToUcs4(text[i - 1].unicode(), c);
    }
    const char32_t upper = QChar::toUpper(code);
    // A mapping that left the supplementary planes would change the length: keep the character.
    if (!QChar::requiresSurrogates(upper))
        return c;
    return QChar::isHighSurrogate(c) ? QChar::highSurrogate(upper) : QChar::lowSurrogate(upper);
}

QString CaseTable::applied(QStringView text) const
{
    QString result(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = at(text, i);
    return result;
}
