#pragma once

#include "project/project.h"

namespace tolv {

// The smallest width or height SetSize accepts.
constexpr int MinRegionSide = 7;

// Sizes a region: each dimension is taken as its absolute value and applied
// only when it is at least MinRegionSide; there is no upper limit and no
// clamping to the frame. Sets Modified, also when nothing changed. Callers
// refresh the status panel (GeometryText) and the tooltip (HintText).
void SetSize(Project& project, Region& region, int width, int height);

// Moves a region by dx, dy without clamping (a sum beyond the int range stops
// at its end). Sets Modified, also for a move by 0, 0.
void Moveby(Project& project, Region& region, int dx, int dy);

// Whether `inner` lies inside `outer`; equal edges count as inside.
bool Encloses(const Region& outer, const Region& inner);

}  // namespace tolv
