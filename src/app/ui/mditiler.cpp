#include "mditiler.h"

#include "app/tilegrid.h"

#include <QMdiArea>
#include <QMdiSubWindow>

void MdiTiler::restoreMaximised(QMdiArea *area)
{
    for (QMdiSubWindow *window : area->subWindowList()) {
        if (window->isMaximized())
            window->showNormal();
    }
}

void MdiTiler::cascade(QMdiArea *area)
{
    restoreMaximised(area);
    area->cascadeSubWindows();
}

void MdiTiler::tile(QMdiArea *area)
{
    restoreMaximised(area);
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    const QList<QRect> cells = TileGrid::cells(int(windows.size()), area->viewport()->rect());
    for (int i = 0; i < cells.size(); ++i)
        windows.at(i)->setGeometry(cells.at(i));
}
