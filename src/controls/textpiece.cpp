#include "textpiece.h"

TextPiece TextPiece::fromText(QStringView text, LineEnd lineEnd)
{
    if (!text.contains(u'\r'))
        return fromPlain(text, lineEnd);
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r') {
            plain.append(text[i]);
            continue;
        }
        plain.append(u'\n');
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    return fromPlain(plain, lineEnd);
}

TextPiece TextPiece::fromPlain(QStringView text, LineEnd lineEnd)
{
    TextPiece piece;
    piece.units = TextUnits(text);
    piece.uniformEnd = lineEnd;
    return piece;
}

qsizetype TextPiece::breakCount() const
{
    if (!ends.empty())
        return qsizetype(ends.size());
    QString scratch;
    return units.view(0, units.size(), scratch).count(u'\n');
}

namespace {

TextPiece joined(const TextPiece &a, const TextPiece &b)
{
    TextPiece result;
    result.units.reserve(a.size() + b.size());
    QString scratch;
    result.units.append(a.units.view(0, a.size(), scratch));
    result.units.append(b.units.view(0, b.size(), scratch));
    const qsizetype aBreaks = a.breakCount();
    const qsizetype bBreaks = b.breakCount();
    if (a.ends.empty() && b.ends.empty()
        && (aBreaks == 0 || bBreaks == 0 || a.uniformEnd == b.uniformEnd)) {
        result.uniformEnd = aBreaks > 0 ? a.uniformEnd : b.uniformEnd;
        return result;
    }
    result.ends.reserve(size_t(aBreaks + bBreaks));
    for (qsizetype k = 0; k < aBreaks; ++k)
        result.ends.push_back(a.endAt(k));
    for (qsizetype k = 0; k < bBreaks; ++k)
        result.ends.push_back(b.endAt(k));
    return result;
}

} // namespace

void TextPiece::append(const TextPiece &other)
{
    *this = joined(*this, other);
}

void TextPiece::prepend(const TextPiece &other)
{
    *this = joined(other, *this);
}
