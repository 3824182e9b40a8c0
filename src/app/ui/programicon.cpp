#include "programicon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace ProgramIcon {

QIcon icon()
{
    static const QIcon drawn = [] {
        QIcon result;
        QSvgRenderer renderer(QStringLiteral(":/icons/leafstack.svg"));
        if (!renderer.isValid())
            return result;
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            renderer.render(&painter);
            painter.end();
            result.addPixmap(pixmap);
        }
        return result;
    }();
    return drawn;
}

} // namespace ProgramIcon
