#pragma once

#include "controls/textdocument.h"
#include "controls/ui/textviewgeometry.h"

#include <QColor>
#include <QPalette>
#include <QRectF>
#include <QTextLayout>

#include <optional>

class QPainter;

// Draws the rows of a text view that a paint event asks for: the text of each segment from
// its cached layout, search marks in their colour (the background stays), the selection in
// the palette's colours (inactive ones while the view has no focus), the caret and the place
// where a drop would go.
class TextViewPainter
{
public:
    struct State
    {
        TextSelection selection;
        QPalette palette;
        bool active = true;
        QColor hitColor;
        bool caretShown = false;
        bool overwrite = false;
        // Units of an input method's text before its cursor, or 0.
        int preeditCursor = 0;
        qsizetype dropCaret = -1;
    };

    TextViewPainter(const TextDocument &document, TextViewGeometry &geometry);

    void paint(QPainter &painter, const QRect &area, const State &state);
    // The caret's rectangle in the viewport, when its row is on screen.
    std::optional<QRectF> caretRect(qsizetype offset, int preeditCursor, bool overwrite);
    // Where the character from offset to next is drawn (a narrow box for a line break), or an
    // empty rectangle when it is not on screen.
    QRectF characterRect(qsizetype offset, qsizetype next);

private:
    QList<QTextLayout::FormatRange> formatsFor(const TextViewGeometry::Piece &piece,
                                               const State &state) const;
    void paintBreakSelection(QPainter &painter, const TextViewGeometry::Piece &piece,
                             const State &state, const QColor &color);

    const TextDocument &m_document;
    TextViewGeometry &m_geometry;
};
