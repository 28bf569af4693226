#pragma once

#include "editor/drag_rules.h"
#include "platform/image/raster.h"
#include "project/project.h"

#include <optional>
#include <vector>

namespace tolv {

// How close, in screen pixels, an edge has to come to another to snap to it.
// Measured on the screen, so that snapping feels the same at every zoom.
constexpr int SnapThreshold = 6;

// The frame pixel edges a moved or sized rectangle may snap to: vertical
// ones (x) and horizontal ones (y).
struct SnapTargets {
    std::vector<int> x;
    std::vector<int> y;
};

// The frame's edges and the four edges of each rectangle in `others`.
SnapTargets SnapTargetsOf(int frameWidth, int frameHeight, const std::vector<Rect>& others);
// The frame area's edges and those of every visible region outside the
// selection, so that a region never snaps to itself or to its own group.
// Hidden regions are not shown, and an edge one cannot see must not pull.
SnapTargets SnapTargetsOf(const Project& project);

// Where a rectangle snaps: the correction to add to its offset (move) or
// size (resize), and on each axis that snapped the target edge, for the
// guide line drawn there.
struct Snap {
    Point correction;
    std::optional<int> guideX;
    std::optional<int> guideY;
    bool operator==(const Snap&) const = default;
};

// Each axis on its own: of the rectangle's two edges on it, the one nearest
// to a target within SnapThreshold screen pixels snaps. At equal distance
// the left or top edge wins over the right or bottom one, and then the
// smaller target.
Snap SnapMove(const Rect& moving, const SnapTargets& targets, double scale);
// The size handle moves the right and bottom edges only: those two snap.
Snap SnapResize(const Rect& sizing, const SnapTargets& targets, double scale);

}  // namespace tolv
