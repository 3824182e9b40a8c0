#include "tilegrid.h"

#include <cmath>

namespace TileGrid {

QList<QRect> cells(int count, const QRect &room)
{
    QList<QRect> result;
    if (count <= 0)
        return result;
    const int columns = int(std::ceil(std::sqrt(double(count))));
    const int rows = (count + columns - 1) / columns;
    const int height = room.height() / rows;
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        const int inRow = row == rows - 1 ? count - row * columns : columns;
        const int width = room.width() / inRow;
        const int column = i % columns;
        result.append(
                QRect(room.left() + column * width, room.top() + row * height, width, height));
    }
    return result;
}

} // namespace TileGrid
