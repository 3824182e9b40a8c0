#include "textviewgeometry.h"

#include "controls/linesegments.h"
#include "controls/longlineindex.h"
#include "controls/textdocument.h"
#include "controls/ui/textlayoutcache.h"

#include <cmath>

TextViewGeometry::TextViewGeometry(const TextDocument &document, TextLayoutCache &cache,
                                   const LongLineIndex &index)
    : m_document(document)
    , m_cache(cache)
    , m_index(index)
    , m_placer(document, cache)
{ }

void TextViewGeometry::setWrap(bool on)
{
    m_wrap = on;
    m_top = {m_top.line, 0, 0};
    m_scrollX = 0;
    m_widest = 0;
    m_maxTopValid = false;
    m_placer.clear();
}

void TextViewGeometry::setViewport(const QSizeF &size, qreal margin)
{
    if (size == m_viewport && margin == m_margin)
        return;
    m_viewport = size;
    m_margin = margin;
    m_maxTopValid = false;
}

qreal TextViewGeometry::rowHeight() const
{
    return m_cache.style().rowHeight;
}

int TextViewGeometry::fullRows() const
{
    return qMax(1, int(std::floor(m_viewport.height() / rowHeight())));
}

qreal TextViewGeometry::contentWidth() const
{
    return qMax(qMax(m_index.longestLine() * m_charWidth, m_widest), m_placer.placedWidth());
}

void TextViewGeometry::measured(const TextLayoutEntry &entry)
{
    m_widest = qMax(m_widest, entry.width);
}

qsizetype TextViewGeometry::segmentCount(qsizetype line) const
{
    return m_wrap ? LineSegments::countFor(m_document.lineLength(line)) : 1;
}

int TextViewGeometry::rowsIn(qsizetype line, qsizetype segment)
{
    return m_wrap ? m_cache.entry(line, segment).rows : 1;
}

bool TextViewGeometry::next(TextRowPos &pos)
{
    if (pos.row + 1 < rowsIn(pos.line, pos.segment)) {
        ++pos.row;
    } else if (pos.segment + 1 < segmentCount(pos.line)) {
        pos = {pos.line, pos.segment + 1, 0};
    } else if (pos.line + 1 < m_document.lineCount()) {
        pos = {pos.line + 1, 0, 0};
    } else {
        return false;
    }
    return true;
}

bool TextViewGeometry::previous(TextRowPos &pos)
{
    if (pos.row > 0) {
        --pos.row;
    } else if (pos.segment > 0) {
        --pos.segment;
        pos.row = rowsIn(pos.line, pos.segment) - 1;
    } else if (pos.line > 0) {
        --pos.line;
        pos.segment = segmentCount(pos.line) - 1;
        pos.row = rowsIn(pos.line, pos.segment) - 1;
    } else {
        return false;
    }
    return true;
}

int TextViewGeometry::advance(TextRowPos &pos, int rows)
{
    if (!m_wrap) {
        const qsizetype to = qBound<qsizetype>(0, pos.line + rows, m_document.lineCount() - 1);
        const int moved = int(to - pos.line);
        pos = {to, 0, 0};
        return moved;
    }
    int moved = 0;
    while (moved < rows && next(pos))
        ++moved;
    while (moved > rows && previous(pos))
        --moved;
    return moved;
}

TextRowPos TextViewGeometry::lastRow()
{
    const qsizetype line = m_document.lineCount() - 1;
    const qsizetype segment = segmentCount(line) - 1;
    return {line, segment, rowsIn(line, segment) - 1};
}

TextRowPos TextViewGeometry::maxTop()
{
    if (!m_maxTopValid) {
        m_maxTop = lastRow();
        advance(m_maxTop, -(fullRows() - 1));
        m_maxTopValid = true;
    }
    return m_maxTop;
}

void TextViewGeometry::setTop(TextRowPos top)
{
    top.line = qBound<qsizetype>(0, top.line, m_document.lineCount() - 1);
    top.segment = qBound<qsizetype>(0, top.segment, segmentCount(top.line) - 1);
    top.row = qBound(0, top.row, rowsIn(top.line, top.segment) - 1);
    // Every unit has a row at least, so a top this far from the end is below the limit
    // without finding the limit, which would lay out the end of the text.
    const qsizetype lastUnit =
            m_wrap ? m_index.unitCount(m_document.lineCount()) - 1 : m_document.lineCount() - 1;
    if (unitOf(top) + fullRows() <= lastUnit)
        m_top = top;
    else
        m_top = qMin(top, maxTop());
}

qsizetype TextViewGeometry::unitOf(const TextRowPos &pos) const
{
    return m_wrap ? m_index.unitOf(pos.line, pos.segment) : pos.line;
}

TextRowPos TextViewGeometry::fromUnit(qsizetype unit) const
{
    if (!m_wrap)
        return {unit, 0, 0};
    const auto [line, segment] = m_index.lineOfUnit(unit);
    return {line, segment, 0};
}

const TextLayoutEntry &TextViewGeometry::entryAt(qsizetype offset, qsizetype *lineStart)
{
    offset = qBound<qsizetype>(0, offset, m_document.length());
    const LineSegments segments(m_document, m_document.lineOfOffset(offset));
    *lineStart = segments.lineStart();
    return m_cache.entry(segments.line(), segments.segmentOf(offset - segments.lineStart()));
}

TextRowPos TextViewGeometry::rowOf(qsizetype offset)
{
    qsizetype lineStart = 0;
    const TextLayoutEntry &entry = entryAt(offset, &lineStart);
    if (!m_wrap)
        return {entry.line, 0, 0};
    const int local = entry.toLayout(offset - lineStart - entry.start);
    const QTextLine row = entry.layout.lineForTextPosition(local);
    return {entry.line, entry.segment, row.isValid() ? row.lineNumber() : entry.rows - 1};
}

std::optional<int> TextViewGeometry::rowsFromTop(const TextRowPos &pos, int limit)
{
    if (pos < m_top)
        return std::nullopt;
    if (!m_wrap) {
        const qsizetype rows = pos.line - m_top.line;
        return rows <= limit ? std::optional<int>(int(rows)) : std::nullopt;
    }
    int rows = 0;
    TextRowPos at = m_top;
    while (at.line != pos.line || at.segment != pos.segment) {
        rows += rowsIn(at.line, at.segment) - at.row;
        at.row = rowsIn(at.line, at.segment) - 1;
        if (rows > limit || !next(at))
            return std::nullopt;
    }
    rows += pos.row - at.row;
    return rows <= limit ? std::optional<int>(rows) : std::nullopt;
}

qreal TextViewGeometry::alignOffset(const TextLayoutEntry &entry) const
{
    // Lines align with the widest line seen, not with an estimate that may lie off screen.
    const qreal room = qMax(textWidth(), m_widest) - entry.width;
    switch (m_document.alignment(entry.line)) {
    case TextAlignment::Right:
        return qMax<qreal>(0, room);
    case TextAlignment::Center:
        return qMax<qreal>(0, room / 2);
    case TextAlignment::Left:
        break;
    }
    return 0;
}

std::vector<TextViewGeometry::Piece> TextViewGeometry::linePieces(qsizetype line, qreal y)
{
    const LineSegments segments(m_document, line);
    const qreal left = m_margin - m_scrollX;
    std::vector<Piece> out;
    if (segments.count() == 1) {
        const TextLayoutEntry &entry = m_cache.entry(line, 0);
        measured(entry);
        out.push_back({&entry, QPointF(left + alignOffset(entry), y), segments.lineStart()});
        return out;
    }
    for (const LongLinePlacer::Placed &placed :
         m_placer.cover(line, m_scrollX, m_scrollX + m_viewport.width())) {
        out.push_back({&m_cache.entry(line, placed.segment), QPointF(left + placed.x, y),
                       segments.lineStart()});
    }
    return out;
}

std::vector<TextViewGeometry::Piece> TextViewGeometry::pieces(int firstRow, int lastRow)
{
    std::vector<Piece> out;
    if (!m_wrap) {
        for (int r = qMax(0, firstRow); r <= lastRow; ++r) {
            const qsizetype line = m_top.line + r;
            if (line >= m_document.lineCount())
                break;
            const std::vector<Piece> row = linePieces(line, r * rowHeight());
            out.insert(out.end(), row.begin(), row.end());
        }
        return out;
    }
    TextRowPos at{m_top.line, m_top.segment, 0};
    int unitRow = -m_top.row; // the viewport row of the unit's first row
    while (unitRow <= lastRow) {
        const TextLayoutEntry &entry = m_cache.entry(at.line, at.segment);
        if (unitRow + entry.rows > firstRow)
            out.push_back({&entry, QPointF(m_margin, unitRow * rowHeight()),
                           m_document.lineStart(at.line)});
        unitRow += entry.rows;
        at.row = entry.rows - 1;
        if (!next(at))
            break;
    }
    return out;
}

qreal TextViewGeometry::xOf(qsizetype offset, int extra)
{
    qsizetype lineStart = 0;
    const TextLayoutEntry &entry = entryAt(offset, &lineStart);
    const int local = entry.toLayout(offset - lineStart - entry.start) + extra;
    const QTextLine row = entry.layout.lineForTextPosition(local);
    const qreal x = row.isValid() ? row.cursorToX(local) : 0;
    if (m_wrap)
        return m_margin + x;
    for (const Piece &piece : linePieces(entry.line, 0)) {
        if (piece.entry == &entry)
            return piece.origin.x() + x;
    }
    return m_margin - m_scrollX + m_placer.xOf(entry.line, entry.segment) + x;
}

void TextViewGeometry::anchorNear(qsizetype offset)
{
    if (m_wrap)
        return;
    offset = qBound<qsizetype>(0, offset, m_document.length());
    const LineSegments segments(m_document, m_document.lineOfOffset(offset));
    if (segments.count() > 1)
        m_placer.anchorNear(segments.line(), segments.segmentOf(offset - segments.lineStart()));
}

qsizetype TextViewGeometry::offsetInRow(const TextRowPos &pos, qreal x)
{
    const qsizetype line = qBound<qsizetype>(0, pos.line, m_document.lineCount() - 1);
    const TextLayoutEntry *entry = nullptr;
    qreal originX = m_margin;
    if (m_wrap) {
        entry = &m_cache.entry(line, pos.segment);
    } else {
        const std::vector<Piece> row = linePieces(line, 0);
        const Piece *hit = &row.front();
        for (const Piece &piece : row) {
            if (piece.origin.x() <= x)
                hit = &piece;
        }
        entry = hit->entry;
        originX = hit->origin.x();
        // Past the segments on screen (a drag beyond the edge): on to the next ones.
        const qsizetype count = LineSegments::countFor(m_document.lineLength(line));
        for (int step = 0; step < LongLinePlacer::kReach && x > originX + entry->width
             && entry->segment + 1 < count;
             ++step) {
            originX += entry->width;
            entry = &m_cache.entry(line, entry->segment + 1);
        }
    }
    const QTextLine row = entry->layout.lineAt(qBound(0, pos.row, entry->rows - 1));
    int position = row.xToCursor(x - originX);
    const int rowEnd = row.textStart() + row.textLength();
    const bool lastRowOfLine =
            row.lineNumber() == entry->rows - 1 && entry->end() == m_document.lineLength(line);
    // The end of a wrapped row shows at the start of the next one: stay before it.
    if (m_wrap && position >= rowEnd && !lastRowOfLine && rowEnd > row.textStart())
        position = entry->layout.previousCursorPosition(rowEnd);
    return m_document.lineStart(line) + entry->start + entry->fromLayout(position);
}

qsizetype TextViewGeometry::offsetAt(const QPointF &point)
{
    TextRowPos pos = m_top;
    const int row = qMax(0, int(std::floor(point.y() / rowHeight())));
    advance(pos, row);
    return offsetInRow(pos, point.x());
}
