#include "mditiler.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <cmath>

void MdiTiler::tile(QMdiArea *area)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    if (windows.isEmpty())
        return;
    const QRect room = area->viewport()->rect();
    const int count = int(windows.size());
    const int columns = int(std::ceil(std::sqrt(double(count))));
    const int rows = (count + columns - 1) / columns;
    const int height = room.height() / rows;
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        // The last row shares its width among the windows left for it.
        const int inRow = row == rows - 1 ? count - row * columns : columns;
        const int width = room.width() / inRow;
        const int column = i % columns;
        windows.at(i)->setGeometry(room.left() + column * width, room.top() + row * height, width,
                                   height);
    }
}
