#include "mdiiconarranger.h"

#include <QMdiArea>
#include <QMdiSubWindow>

void MdiIconArranger::arrange(QMdiArea *area)
{
    const QRect room = area->viewport()->rect();
    int x = room.left();
    int y = room.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow *window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > room.left() && x + size.width() > room.right() + 1) {
            x = room.left();
            y -= rowHeight;
            rowHeight = 0;
        }
        if (rowHeight == 0)
            rowHeight = size.height();
        window->move(x, y - rowHeight);
        x += size.width();
    }
}
