#pragma once

#include <QtGlobal>

// A selection in a document: the anchor stays where it began, the position moves with the
// caret. Empty when both are the same offset.
struct TextSelection
{
    qsizetype anchor = 0;
    qsizetype position = 0;

    static TextSelection caret(qsizetype offset) { return {offset, offset}; }
    static TextSelection range(qsizetype start, qsizetype length)
    {
        return {start, start + length};
    }

    qsizetype start() const { return qMin(anchor, position); }
    qsizetype end() const { return qMax(anchor, position); }
    qsizetype length() const { return end() - start(); }
    bool isEmpty() const { return anchor == position; }
    bool operator==(const TextSelection &) const = default;
};

// What one change did to a document's text, for those who show it: at position, removed
// units gave way to added ones; firstLine is position's line, and the counts of line breaks
// that went and came tell which lines moved.
struct TextChange
{
    qsizetype position = 0;
    qsizetype removed = 0;
    qsizetype added = 0;
    qsizetype firstLine = 0;
    qsizetype linesRemoved = 0;
    qsizetype linesAdded = 0;
    // Units were overwritten one for one where they stand: every offset keeps its place.
    bool inPlace = false;
};
