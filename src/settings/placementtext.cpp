#include "placementtext.h"

#include "screenfit.h"

#include <QStringList>

#include <algorithm>

namespace PlacementText {

namespace {
enum ShowCmd { SwNormal = 1, SwMinimized = 2, SwMaximized = 3 };
constexpr int kSetMinPosition = 1;
constexpr int kRestoreToMaximized = 2;

QString edges(int left, int top, int right, int bottom)
{
    return QStringLiteral("%1,%2,%3,%4").arg(left).arg(top).arg(right).arg(bottom);
}
} // namespace

SettingsBaseline::Values encode(const Placement &placement)
{
    int flags = 0;
    int showCmd = SwNormal;
    const bool minimized = placement.state.testFlag(Qt::WindowMinimized);
    if (minimized) {
        showCmd = SwMinimized;
        if (!placement.topLevel)
            flags |= kSetMinPosition;
        if (placement.state.testFlag(Qt::WindowMaximized))
            flags |= kRestoreToMaximized;
    } else if (placement.state.testFlag(Qt::WindowMaximized)) {
        showCmd = SwMaximized;
    }
    const QPoint icon = placement.topLevel || !minimized ? QPoint(-1, -1) : placement.minimized;
    const QRect &normal = placement.normal;
    return {{QStringLiteral("Flags"), QString::number(flags)},
            {QStringLiteral("ShowCmd"), QString::number(showCmd)},
            {QStringLiteral("MinMaxPos"), edges(icon.x(), icon.y(), -1, -1)},
            {QStringLiteral("NormPos"),
             edges(normal.left(), normal.top(), normal.left() + normal.width(),
                   normal.top() + normal.height())},
            {QStringLiteral("Visible"),
             placement.visible ? QStringLiteral("1") : QStringLiteral("0")}};
}

Qt::WindowStates stateFor(int showCmd, Qt::WindowStates fallback)
{
    switch (showCmd) {
    case 1:
    case 5:
    case 9:
        return Qt::WindowNoState;
    case 2:
    case 6:
        return Qt::WindowMinimized;
    case 3:
        return Qt::WindowMaximized;
    default:
        return fallback;
    }
}

std::optional<QRect> normalRect(const QString &normPos, const QRect &current, bool fixedSize)
{
    QList<int> rect{current.left(), current.top(), current.left() + current.width(),
                    current.top() + current.height()};
    const QStringList parts = normPos.isEmpty() ? QStringList() : normPos.split(u',');
    for (int i = 0; i < rect.size() && i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts.at(i).trimmed().toInt(&ok);
        if (ok)
            rect[i] = value;
    }
    for (int &edge : rect)
        edge = std::clamp(edge, -ScreenFit::kFar, ScreenFit::kFar);
    if (fixedSize) {
        rect[2] = rect[0] + current.width();
        rect[3] = rect[1] + current.height();
    }
    if (rect[2] <= rect[0])
        return std::nullopt;
    return QRect(QPoint(rect[0], rect[1]), QSize(rect[2] - rect[0], rect[3] - rect[1]));
}

} // namespace PlacementText
