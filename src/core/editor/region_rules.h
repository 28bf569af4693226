#pragma once

#include "project/project.h"

namespace tolv {

// Sizes a region, its top-left corner staying, to the size nearest to the
// one asked for that the frame rule (editor/frame_rule.h) allows: at least
// 1 x 1 and a pixel on the frame; there is no upper limit. Callers refresh the status panel
// (GeometryText) and the tooltip (HintText).
void SetSize(Project& project, Region& region, int width, int height);

// Moves a region by dx, dy without clamping (a sum beyond the int range stops
// at its end).
void Moveby(Region& region, int dx, int dy);

// Whether `inner` lies inside `outer`; equal edges count as inside.
bool Encloses(const Region& outer, const Region& inner);

}  // namespace tolv
