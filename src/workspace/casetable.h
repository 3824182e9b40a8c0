#pragma once

#include <QString>
#include <QStringView>

#include <span>

// How the search compares characters: either as they are (match case) or both sides
// upper-cased through Qt's simple case mapping, one character for one, so positions never
// shift. A surrogate pair is mapped as the one character it encodes; a lone surrogate stays.
class CaseTable
{
public:
    explicit CaseTable(bool matchCase);

    bool isIdentity() const { return m_table == nullptr; }

    // The mapped code unit at index i of text, read in the context of its neighbours.
    char16_t at(QStringView text, qsizetype i) const
    {
        const char16_t c = text[i].unicode();
        if (!m_table)
            return c;
        if (!QChar::isSurrogate(c))
            return m_table[c];
        return surrogateAt(text, i);
    }

    // The mapped unit of c, for units that are not surrogates (those map to themselves).
    char16_t mapUnit(char16_t c) const { return m_table ? m_table[c] : c; }

    // Every unit that maps to unit on its own, ascending (empty for the identity).
    std::span<const char16_t> unitsMappingTo(char16_t unit) const;

    // The whole of text mapped, unit by unit as at() reads it.
    QString applied(QStringView text) const;

private:
    char16_t surrogateAt(QStringView text, qsizetype i) const;

    const char16_t *m_table = nullptr;
};
