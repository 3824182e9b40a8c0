#include "textviewpainter.h"

#include "controls/linesegments.h"
#include "controls/ui/textlayoutcache.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

TextViewPainter::TextViewPainter(const TextDocument &document, TextViewGeometry &geometry)
    : m_document(document)
    , m_geometry(geometry)
{ }

QList<QTextLayout::FormatRange> TextViewPainter::formatsFor(const TextViewGeometry::Piece &piece,
                                                            const State &state) const
{
    const TextLayoutEntry &entry = *piece.entry;
    const qsizetype from = piece.lineStart + entry.start;
    const qsizetype to = from + entry.length;
    QList<QTextLayout::FormatRange> formats;
    auto add = [&](qsizetype start, qsizetype end, const QTextCharFormat &format) {
        start = qMax(start, from);
        end = qMin(end, to);
        if (start >= end)
            return;
        const int a = entry.toLayout(start - from);
        const int b = entry.toLayout(end - from);
        formats.append({a, b - a, format});
    };

    const std::vector<TextDocument::Highlight> &marks = m_document.highlights();
    if (!marks.empty()) {
        QTextCharFormat hit;
        hit.setForeground(state.hitColor);
        auto it = std::lower_bound(
                marks.begin(), marks.end(), from,
                [](const TextDocument::Highlight &h, qsizetype value) { return h.start < value; });
        while (it != marks.begin() && (it - 1)->start + (it - 1)->length > from)
            --it;
        for (; it != marks.end() && it->start < to; ++it)
            add(it->start, it->start + it->length, hit);
    }
    if (!state.selection.isEmpty()) {
        const QPalette::ColorGroup group = state.active ? QPalette::Active : QPalette::Inactive;
        QTextCharFormat selected;
        selected.setBackground(state.palette.brush(group, QPalette::Highlight));
        selected.setForeground(state.palette.brush(group, QPalette::HighlightedText));
        add(state.selection.start(), state.selection.end(), selected);
    }
    return formats;
}

// A selected line break shows as a strip after the line's last character.
void TextViewPainter::paintBreakSelection(QPainter &painter, const TextViewGeometry::Piece &piece,
                                          const State &state, const QColor &color)
{
    const TextLayoutEntry &entry = *piece.entry;
    const qsizetype lineLength = m_document.lineLength(entry.line);
    if (entry.end() != lineLength || entry.line + 1 >= m_document.lineCount())
        return;
    const qsizetype breakAt = piece.lineStart + lineLength;
    if (breakAt < state.selection.start() || breakAt >= state.selection.end())
        return;
    const QTextLine last = entry.layout.lineAt(entry.rows - 1);
    const qreal x = last.cursorToX(last.textStart() + last.textLength());
    const qreal y = (entry.rows - 1) * m_geometry.rowHeight();
    painter.fillRect(QRectF(piece.origin + QPointF(x, y),
                            QSizeF(m_geometry.averageCharWidth() / 2, m_geometry.rowHeight())),
                     color);
}

void TextViewPainter::paint(QPainter &painter, const QRect &area, const State &state)
{
    const qreal rowHeight = m_geometry.rowHeight();
    const int firstRow = qMax(0, int(std::floor(area.top() / rowHeight)));
    const int lastRow = int(std::floor(area.bottom() / rowHeight));
    const QPalette::ColorGroup group = state.active ? QPalette::Active : QPalette::Inactive;
    painter.setPen(state.palette.color(group, QPalette::Text));
    for (const TextViewGeometry::Piece &piece : m_geometry.pieces(firstRow, lastRow)) {
        const QList<QTextLayout::FormatRange> formats = formatsFor(piece, state);
        piece.entry->layout.draw(&painter, piece.origin, formats, QRectF(area));
        if (!state.selection.isEmpty())
            paintBreakSelection(painter, piece, state,
                                state.palette.color(group, QPalette::Highlight));
    }
    if (state.caretShown) {
        if (const auto rect =
                    caretRect(state.selection.position, state.preeditCursor, state.overwrite)) {
            if (state.overwrite)
                painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(*rect,
                             state.overwrite ? QColor(Qt::white)
                                             : state.palette.color(group, QPalette::Text));
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
    if (state.dropCaret >= 0) {
        if (const auto rect = caretRect(state.dropCaret, 0, false))
            painter.fillRect(*rect, state.palette.color(group, QPalette::Text));
    }
}

std::optional<QRectF> TextViewPainter::caretRect(qsizetype offset, int preeditCursor,
                                                 bool overwrite)
{
    const TextRowPos row = m_geometry.rowOf(offset);
    const std::optional<int> rows = m_geometry.rowsFromTop(row, m_geometry.fullRows() + 1);
    if (!rows)
        return std::nullopt;
    const qreal x = m_geometry.xOf(offset, preeditCursor);
    qreal width = 1;
    if (overwrite && preeditCursor == 0) {
        // Over the character that typing replaces, or a narrow block at the line's end.
        const qsizetype line = m_document.lineOfOffset(offset);
        const bool atEnd = offset >= m_document.lineEnd(line);
        if (atEnd) {
            width = m_geometry.averageCharWidth() / 2;
        } else {
            const qsizetype next = offset + (QChar::isHighSurrogate(m_document.at(offset)) ? 2 : 1);
            width = qMax<qreal>(1, std::abs(m_geometry.xOf(next) - x));
        }
    }
    return QRectF(x, *rows * m_geometry.rowHeight(), width, m_geometry.rowHeight());
}

QRectF TextViewPainter::characterRect(qsizetype offset, qsizetype next)
{
    const std::optional<QRectF> from = caretRect(offset, 0, false);
    if (!from)
        return QRectF();
    const std::optional<QRectF> to = next != offset ? caretRect(next, 0, false) : std::nullopt;
    qreal width = m_geometry.averageCharWidth() / 2;
    if (to && to->top() == from->top())
        width = to->left() - from->left();
    return QRectF(qMin(from->left(), from->left() + width), from->top(), std::abs(width),
                  from->height());
}
