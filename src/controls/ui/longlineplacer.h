#pragma once

#include "controls/textselection.h"

#include <unordered_map>
#include <vector>

class LineSegments;
class TextDocument;
class TextLayoutCache;

// Where the segments of long lines go across when nothing wraps. A segment's place is known
// only from the widths of the segments before it, which are laid out only when seen; so each
// long line keeps an anchor, a segment and where it starts. Moving along the line walks from
// the anchor through the widths in between, so that what is drawn joins up as it scrolls;
// a jump far along starts a new anchor where the average character width puts it.
class LongLinePlacer
{
public:
    struct Placed
    {
        qsizetype segment = 0;
        qreal x = 0; // from the line's start
    };

    // The most segments walked from an anchor before a place counts as far.
    static constexpr int kReach = 3;
    static constexpr size_t kAnchorLimit = 512;

    LongLinePlacer(const TextDocument &document, TextLayoutCache &cache);

    void setCharWidth(qreal width) { m_charWidth = width; }
    // The segments of line that cover [from, to) of its x, in order; the anchor follows the
    // first of them.
    std::vector<Placed> cover(qsizetype line, qreal from, qreal to);
    // Where segment of line starts: from the anchor when it is near, else estimated.
    qreal xOf(qsizetype line, qsizetype segment) const;
    // Moves line's anchor to segment when it is far from it, so that scrolling to xOf() of
    // it finds it there.
    void anchorNear(qsizetype line, qsizetype segment);
    // How far the ends of long lines have been placed.
    qreal placedWidth() const { return m_placedWidth; }

    void changed(const TextChange &change);
    void clear();

private:
    qreal width(qsizetype line, qsizetype segment) const;
    qreal estimate(const LineSegments &segments, qsizetype segment) const;
    Placed settle(const LineSegments &segments, qreal x);

    const TextDocument &m_document;
    TextLayoutCache &m_cache;
    qreal m_charWidth = 8;
    std::unordered_map<qsizetype, Placed> m_anchors;
    qreal m_placedWidth = 0;
};
