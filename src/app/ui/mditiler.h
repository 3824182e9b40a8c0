#pragma once

class QMdiArea;

// Tile and Cascade, both of windows of normal size: a maximised sub-window is restored first.
// Tile shares an MDI area among its open (not minimised) sub-windows in a grid of equal cells,
// in the order they were opened. Unlike QMdiArea::tileSubWindows() it never enlarges the
// window holding the area: a sub-window that cannot shrink to its cell keeps its minimum size.
class MdiTiler
{
public:
    static void tile(QMdiArea *area);
    static void cascade(QMdiArea *area);

private:
    static void restoreMaximised(QMdiArea *area);
};
