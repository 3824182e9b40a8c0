#pragma once

#include "controls/ui/longlineplacer.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <compare>
#include <optional>
#include <vector>

class LongLineIndex;
struct TextChange;
class TextDocument;
class TextLayoutCache;
struct TextLayoutEntry;

// A row on screen: row of segment of line. Without word wrap every line is one row and
// segment is 0.
struct TextRowPos
{
    qsizetype line = 0;
    qsizetype segment = 0;
    int row = 0;
    auto operator<=>(const TextRowPos &) const = default;
};

// Where the rows of a view are: which rows lie in the viewport from the top row on, where a
// segment's layout is drawn, and which offset lies under a point. Vertical positions count
// rows, all of one height, so a far position needs no layout; with word wrap only the segments
// walked over are laid out. Without wrap a long line's segments are placed side by side from
// the one at the left edge, each one's place estimated from its offset until it is laid out.
class TextViewGeometry
{
public:
    // One segment's layout as drawn: origin is where the layout's (0, 0) goes in the viewport.
    struct Piece
    {
        const TextLayoutEntry *entry = nullptr;
        QPointF origin;
        qsizetype lineStart = 0;
    };

    TextViewGeometry(const TextDocument &document, TextLayoutCache &cache,
                     const LongLineIndex &index);

    bool wraps() const { return m_wrap; }
    void setWrap(bool on);
    // The viewport's size; the text starts margin pixels in from the left.
    void setViewport(const QSizeF &size, qreal margin);
    QSizeF viewport() const { return m_viewport; }
    qreal margin() const { return m_margin; }
    qreal textWidth() const { return qMax<qreal>(1, m_viewport.width() - 2 * m_margin); }
    void setAverageCharWidth(qreal width)
    {
        m_charWidth = qMax<qreal>(1, width);
        m_placer.setCharWidth(m_charWidth);
    }
    qreal averageCharWidth() const { return m_charWidth; }
    qreal rowHeight() const;
    // Rows that fit the viewport whole, at least one.
    int fullRows() const;

    TextRowPos top() const { return m_top; }
    // Sets the top row, kept between the first row and maxTop().
    void setTop(TextRowPos top);
    // The top row at which the last row is at the bottom of the viewport.
    TextRowPos maxTop();
    // Forgets what was derived from the text: call after every change of it.
    void textChanged() { m_maxTopValid = false; }
    void textChanged(const TextChange &change)
    {
        m_maxTopValid = false;
        m_placer.changed(change);
    }
    // The layouts changed their size: widths measured so far no longer hold.
    void styleChanged()
    {
        m_maxTopValid = false;
        m_placer.clear();
        m_widest = 0;
    }
    // Before scrolling to offset: places its long line's segments from near it.
    void anchorNear(qsizetype offset);
    qreal scrollX() const { return m_scrollX; }
    void setScrollX(qreal x) { m_scrollX = qMax<qreal>(0, x); }
    // How wide the text is estimated to be, without wrap.
    qreal contentWidth() const;

    qsizetype segmentCount(qsizetype line) const;
    int rowsIn(qsizetype line, qsizetype segment);
    bool next(TextRowPos &pos);
    bool previous(TextRowPos &pos);
    // Moves pos by rows (back when negative) as far as the text goes; returns how far it went.
    int advance(TextRowPos &pos, int rows);
    TextRowPos lastRow();
    // The scroll bar's measure of a top row: its line without wrap, its unit with wrap.
    qsizetype unitOf(const TextRowPos &pos) const;
    TextRowPos fromUnit(qsizetype unit) const;

    // The row and the laid-out segment holding offset.
    TextRowPos rowOf(qsizetype offset);
    // How many rows pos lies below the top row, if it is not above it and at most limit.
    std::optional<int> rowsFromTop(const TextRowPos &pos, int limit);
    // The x of offset in the viewport, wherever its row is; extra moves it on in the layout
    // (into an input method's text).
    qreal xOf(qsizetype offset, int extra = 0);
    // The offset nearest x in row pos.
    qsizetype offsetInRow(const TextRowPos &pos, qreal x);
    // The offset under point of the viewport; points above or below the rows go to the
    // first or last row shown.
    qsizetype offsetAt(const QPointF &point);
    // The segments drawn in the viewport rows firstRow to lastRow, top to bottom.
    std::vector<Piece> pieces(int firstRow, int lastRow);
    // The pieces of one row's line that are drawn in row (counted from the top row).
    std::vector<Piece> linePieces(qsizetype line, qreal y);

private:
    const TextLayoutEntry &entryAt(qsizetype offset, qsizetype *lineStart);
    qreal alignOffset(const TextLayoutEntry &entry) const;
    void measured(const TextLayoutEntry &entry);

    const TextDocument &m_document;
    TextLayoutCache &m_cache;
    const LongLineIndex &m_index;
    bool m_wrap = true;
    QSizeF m_viewport{100, 100};
    qreal m_margin = 4;
    qreal m_charWidth = 8;
    TextRowPos m_top;
    qreal m_scrollX = 0;
    qreal m_widest = 0;
    LongLinePlacer m_placer;
    TextRowPos m_maxTop;
    bool m_maxTopValid = false;
};
