#pragma once

#include "controls/textformat.h"
#include "controls/textunits.h"

#include <vector>

// A stretch of text as the document holds it: one '\n' for each line break (never a '\r'),
// with the line end each break has on disk.
struct TextPiece
{
    TextUnits units;
    // The kind of each break in order; empty when every break is of uniformEnd.
    std::vector<LineEnd> ends;
    LineEnd uniformEnd = LineEnd::LF;

    qsizetype size() const { return units.size(); }
    LineEnd endAt(qsizetype k) const { return ends.empty() ? uniformEnd : ends[size_t(k)]; }
    qsizetype breakCount() const;

    // Joins other on at the end (or start), with the line end of every break.
    void append(const TextPiece &other);
    void prepend(const TextPiece &other);

    // Text as typed or pasted: CR LF, CR and LF each become one break of kind lineEnd.
    static TextPiece fromText(QStringView text, LineEnd lineEnd);
    // Text that holds no '\r': each '\n' is a break of kind lineEnd.
    static TextPiece fromPlain(QStringView text, LineEnd lineEnd);
};
