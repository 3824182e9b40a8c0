#pragma once

#include <QList>
#include <QString>

// How a multi-column list row's text splits into cells, and how wide its columns run.
namespace FnpCells {

// Cell n (from 1) of a row: the text between delimiters. A row without delimiters is all cell
// 1; cells past the last delimiter are empty; two delimiters in a row make an empty cell.
QString cell(const QString &row, QChar delimiter, int n);

// The horizontal scroll extent: every column's width and spacing, less one spacing, plus 5;
// 0 when horizontal scrolling is off.
int extent(const QList<int> &columnWidths, int spacing, bool scrollBar);

} // namespace FnpCells
