#pragma once

#include "controls/textformat.h"
#include "controls/textunits.h"

#include <algorithm>
#include <vector>

// One stretch of a document's storage: its units, and where its line breaks are with the
// line end and the alignment of the line each break ends.
struct TextBlock
{
    TextUnits units;
    std::vector<quint32> breaks; // offsets of the '\n' units, ascending
    std::vector<quint8> attrs;   // for each break: LineEnd | TextAlignment << 2

    qsizetype size() const { return units.size(); }
    qsizetype breakCount() const { return qsizetype(breaks.size()); }
    // The number of breaks at offsets below offset.
    qsizetype breaksBefore(qsizetype offset) const
    {
        return std::lower_bound(breaks.begin(), breaks.end(), quint32(offset)) - breaks.begin();
    }

    static quint8 attr(LineEnd end, TextAlignment alignment)
    {
        return quint8(quint8(end) | (quint8(alignment) << 2));
    }
    static LineEnd endOf(quint8 attr) { return LineEnd(attr & 3); }
    static TextAlignment alignmentOf(quint8 attr) { return TextAlignment((attr >> 2) & 3); }
};
