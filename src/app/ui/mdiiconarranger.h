#pragma once

class QMdiArea;

// Arrange Icons: lines up the minimised sub-windows of an MDI area along its bottom edge, left
// to right in the order they were opened, starting a new row above when a row is full.
class MdiIconArranger
{
public:
    static void arrange(QMdiArea *area);
};
