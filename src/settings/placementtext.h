#pragma once

#include "settingsbaseline.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

// A window's placement as the settings keep it, in the values "Flags", "ShowCmd", "MinMaxPos",
// "NormPos" and "Visible" of its form's section.
namespace PlacementText {

struct Placement
{
    Qt::WindowStates state;
    bool topLevel = true; // a window of its own, not an MDI child
    QPoint minimized;     // where an MDI child's icon stands
    QRect normal;         // the window restored, without its frame
    bool visible = false;
};

// The values in the order they are written.
SettingsBaseline::Values encode(const Placement &placement);

// The window state a stored "ShowCmd" asks for; an unknown one gives the fallback.
Qt::WindowStates stateFor(int showCmd, Qt::WindowStates fallback);

// The restored rectangle a stored "NormPos" ("left,top,right,bottom") gives a window now at
// current: a field that is not a number keeps the current edge, every edge is held within
// reach of the screens, a fixed-size window keeps its size. Nothing when no width is left.
std::optional<QRect> normalRect(const QString &normPos, const QRect &current, bool fixedSize);

} // namespace PlacementText
