#include "longlineplacer.h"

#include "controls/linesegments.h"
#include "controls/textdocument.h"
#include "controls/ui/textlayoutcache.h"

LongLinePlacer::LongLinePlacer(const TextDocument &document, TextLayoutCache &cache)
    : m_document(document)
    , m_cache(cache)
{ }

qreal LongLinePlacer::width(qsizetype line, qsizetype segment) const
{
    return m_cache.entry(line, segment).width;
}

qreal LongLinePlacer::estimate(const LineSegments &segments, qsizetype segment) const
{
    return segment == 0 ? 0 : segments.start(segment) * m_charWidth;
}

// The first segment that reaches x, walked to from the anchor when that is near.
LongLinePlacer::Placed LongLinePlacer::settle(const LineSegments &segments, qreal x)
{
    const qsizetype line = segments.line();
    const qsizetype last = segments.count() - 1;
    auto estimated = [&] {
        const qsizetype unit =
                qBound<qsizetype>(0, qsizetype(x / m_charWidth), segments.lineLength());
        const qsizetype k = segments.segmentOf(unit);
        return Placed{k, estimate(segments, k)};
    };
    const auto found = m_anchors.find(line);
    Placed at =
            found != m_anchors.end() && found->second.segment <= last ? found->second : estimated();
    for (int attempt = 0; attempt < 2; ++attempt) {
        int steps = 0;
        while (at.segment > 0 && at.x > x && steps++ < kReach) {
            --at.segment;
            at.x -= width(line, at.segment);
        }
        while (at.segment < last && at.x + width(line, at.segment) <= x && steps++ < kReach) {
            at.x += width(line, at.segment);
            ++at.segment;
        }
        const bool reached = (at.segment == 0 || at.x <= x)
                && (at.segment == last || at.x + width(line, at.segment) > x);
        if (reached)
            break;
        at = estimated();
    }
    // The line's start is always at its left edge.
    if (at.segment == 0)
        at.x = 0;
    // Anchors are for the lines in view: lines long gone past need none.
    if (m_anchors.size() > kAnchorLimit)
        m_anchors.clear();
    m_anchors[line] = at;
    return at;
}

std::vector<LongLinePlacer::Placed> LongLinePlacer::cover(qsizetype line, qreal from, qreal to)
{
    const LineSegments segments(m_document, line);
    Placed at = settle(segments, from);
    std::vector<Placed> out;
    do {
        out.push_back(at);
        at.x += width(line, at.segment);
        ++at.segment;
    } while (at.segment < segments.count() && at.x < to);
    if (at.segment == segments.count())
        m_placedWidth = qMax(m_placedWidth, at.x);
    return out;
}

qreal LongLinePlacer::xOf(qsizetype line, qsizetype segment) const
{
    const LineSegments segments(m_document, line);
    const auto found = m_anchors.find(line);
    if (found == m_anchors.end() || qAbs(segment - found->second.segment) > 2 * kReach)
        return estimate(segments, segment);
    Placed at = found->second;
    while (at.segment < segment) {
        at.x += width(line, at.segment);
        ++at.segment;
    }
    while (at.segment > segment) {
        --at.segment;
        at.x -= width(line, at.segment);
    }
    return at.x;
}

void LongLinePlacer::anchorNear(qsizetype line, qsizetype segment)
{
    const auto found = m_anchors.find(line);
    if (found != m_anchors.end() && qAbs(segment - found->second.segment) <= 2 * kReach)
        return;
    m_anchors[line] = {segment, estimate(LineSegments(m_document, line), segment)};
}

void LongLinePlacer::changed(const TextChange &change)
{
    if (m_anchors.empty())
        return;
    const qsizetype oldLast = change.firstLine + change.linesRemoved;
    const qsizetype shift = change.linesAdded - change.linesRemoved;
    std::unordered_map<qsizetype, Placed> kept;
    for (const auto &[line, placed] : m_anchors) {
        // A line edited within itself keeps its anchor: the text near it stays put.
        if (line < change.firstLine || (line == change.firstLine && shift == 0 && oldLast == line))
            kept.emplace(line, placed);
        else if (line > oldLast)
            kept.emplace(line + shift, placed);
    }
    m_anchors = std::move(kept);
}

void LongLinePlacer::clear()
{
    m_anchors.clear();
    m_placedWidth = 0;
}
