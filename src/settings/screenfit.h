#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

// Where a window goes back from stored coordinates, given the screens there are now (their
// areas free of panels). A stored rectangle may come from a monitor since unplugged, from
// another machine or from a damaged file.
namespace ScreenFit {

// Stored coordinates are first held within this distance of the origin: no screen is further.
constexpr int kFar = 1 << 20;

// The window frame assumed while the real one is not known yet (before the window is shown):
// room for a title bar above and a border around.
constexpr QMargins kUnknownFrame(4, 32, 4, 4);

// The rectangle (the window without its frame) unchanged when it lies wholly on the screens.
// Otherwise the nearest screen's area is taken: a rectangle larger than that is cut to its
// size, and one that is off it, or so far off that its top edge cannot be reached, is moved
// wholly onto it, frame and all. Never smaller than minimum (unless the area is).
QRect fit(const QRect &rect, const QList<QRect> &areas, const QSize &minimum,
          const QMargins &frame);

} // namespace ScreenFit
