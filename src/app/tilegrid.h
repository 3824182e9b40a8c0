#pragma once

#include <QList>
#include <QRect>

// The cells Tile shares a room among: a grid of as many columns as the square root of the
// count, rounded up, and the rows they need; the last row shares its width among the windows
// left for it. Cells are in reading order, for the windows in the order they were opened.
namespace TileGrid {

QList<QRect> cells(int count, const QRect &room);

} // namespace TileGrid
