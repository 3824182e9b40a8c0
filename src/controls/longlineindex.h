#pragma once

#include "controls/textselection.h"

#include <utility>
#include <vector>

class TextStorage;

// What a view must know of every line without visiting each: which lines are long enough to
// be cut into segments (see LineSegments), and the length of the longest line. It keeps one
// entry per long line only, so a document of millions of short lines costs nothing here.
//
// With word wrap a view scrolls by units: one per segment, so a line of one segment is one unit.
class LongLineIndex
{
public:
    // Finds the long lines by walking the line breaks of the storage's blocks.
    void reset(const TextStorage &storage);
    // Follows a change of the text; storage is the text after it.
    void update(const TextStorage &storage, const TextChange &change);

    // The longest line's length: exact after reset(), then only growing, as an estimate of
    // how wide the text is.
    qsizetype longestLine() const { return m_longest; }
    qsizetype longLineCount() const { return qsizetype(m_lines.size()); }

    qsizetype unitCount(qsizetype lineCount) const { return lineCount + m_extraTotal; }
    qsizetype unitOf(qsizetype line, qsizetype segment) const;
    // The line and segment of a unit.
    std::pair<qsizetype, qsizetype> lineOfUnit(qsizetype unit) const;

private:
    struct LongLine
    {
        qsizetype line = 0;
        qsizetype segments = 0;
        qsizetype extraBefore = 0; // segments beyond the first of the long lines before it
    };

    // The long lines among [fromLine, toLine], in order; longest gets the longest length seen.
    static std::vector<LongLine> scan(const TextStorage &storage, qsizetype fromLine,
                                      qsizetype toLine, qsizetype &longest);
    void sumUp();

    std::vector<LongLine> m_lines;
    qsizetype m_extraTotal = 0;
    qsizetype m_longest = 0;
};
