#pragma once

#include <QtGlobal>

class TextDocument;

// How a view cuts one line of a document into segments that it lays out one by one, so that a
// line of millions of units costs only the segments on screen. Lines up to kSize units are one
// segment. A longer line has a cut near every kSize units: after the last blank of the kSlack
// units before the nominal place when there is one, else at it, moved back so that it splits no
// surrogate pair or mark from its base. Cuts depend only on the units around them, so any
// segment is found without reading the rest of the line.
class LineSegments
{
public:
    static constexpr qsizetype kSize = 4096;
    static constexpr qsizetype kSlack = 256;

    LineSegments(const TextDocument &document, qsizetype line);

    static qsizetype countFor(qsizetype lineLength)
    {
        return lineLength <= kSize ? 1 : (lineLength + kSize - 1) / kSize;
    }

    qsizetype line() const { return m_line; }
    qsizetype lineStart() const { return m_lineStart; }
    qsizetype lineLength() const { return m_length; }
    qsizetype count() const { return countFor(m_length); }
    // Where segment k starts and ends, counted from the line's start.
    qsizetype start(qsizetype k) const;
    qsizetype end(qsizetype k) const { return k + 1 < count() ? start(k + 1) : m_length; }
    // The segment holding the unit at local; the line's end belongs to the last segment.
    qsizetype segmentOf(qsizetype local) const;

private:
    const TextDocument &m_document;
    qsizetype m_line;
    qsizetype m_lineStart;
    qsizetype m_length;
};
