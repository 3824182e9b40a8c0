#include "screenfit.h"

#include <algorithm>

namespace ScreenFit {

namespace {

// How much of a window's top edge must stay on its screen for the user to take hold of it.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 40;

qint64 areaOf(const QRect &rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

// Whether every point of rect is on one of the areas (screens side by side, or overlapping).
bool covered(const QRect &rect, const QList<QRect> &areas)
{
    QList<QRect> uncovered{rect};
    for (const QRect &area : areas) {
        QList<QRect> rest;
        for (const QRect &piece : std::as_const(uncovered)) {
            const QRect common = piece & area;
            if (common.isEmpty()) {
                rest.append(piece);
                continue;
            }
            if (piece.top() < common.top())
                rest.append(QRect(piece.topLeft(), QPoint(piece.right(), common.top() - 1)));
            if (common.bottom() < piece.bottom())
                rest.append(QRect(QPoint(piece.left(), common.bottom() + 1), piece.bottomRight()));
            if (piece.left() < common.left())
                rest.append(QRect(QPoint(piece.left(), common.top()),
                                  QPoint(common.left() - 1, common.bottom())));
            if (common.right() < piece.right())
                rest.append(QRect(QPoint(common.right() + 1, common.top()),
                                  QPoint(piece.right(), common.bottom())));
        }
        uncovered = rest;
    }
    return uncovered.isEmpty();
}

qint64 distanceSquared(const QRect &a, const QRect &b)
{
    const qint64 dx =
            std::max({qint64(0), qint64(b.left()) - a.right(), qint64(a.left()) - b.right()});
    const qint64 dy =
            std::max({qint64(0), qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

// The area sharing most with rect; when none does, the closest.
QRect nearest(const QRect &rect, const QList<QRect> &areas)
{
    QRect best = areas.first();
    for (const QRect &area : areas) {
        const qint64 shared = areaOf(rect & area);
        const qint64 bestShared = areaOf(rect & best);
        if (shared > bestShared
            || (shared == 0 && bestShared == 0
                && distanceSquared(rect, area) < distanceSquared(rect, best)))
            best = area;
    }
    return best;
}

bool reachable(const QRect &rect, const QRect &area)
{
    const int across =
            std::min(rect.right(), area.right()) - std::max(rect.left(), area.left()) + 1;
    return rect.top() >= area.top()
            && rect.top() <= area.bottom() - std::min(kGripHeight, rect.height())
            && across >= std::min(kGripWidth, rect.width());
}

} // namespace

QRect fit(const QRect &rect, const QList<QRect> &areas, const QSize &minimum, const QMargins &frame)
{
    QRect result(rect.topLeft(), rect.size().expandedTo(minimum));
    if (areas.isEmpty() || covered(result, areas))
        return result;
    const QRect screen = nearest(result, areas);
    const QRect area = screen.marginsRemoved(frame);
    const QSize size = result.size().boundedTo(area.size());
    const bool cut = size != result.size();
    result.setSize(size);
    if (cut || !reachable(result, screen)) {
        result.moveLeft(std::clamp(result.left(), area.left(), area.right() + 1 - size.width()));
        result.moveTop(std::clamp(result.top(), area.top(), area.bottom() + 1 - size.height()));
    }
    return result;
}

} // namespace ScreenFit
