#pragma once

#include "editor/drag_rules.h"
#include "platform/image/raster.h"

#include <array>
#include <string>

namespace tolv {

// How the canvas shows the frame at a zoom. A zoom is a scale: screen
// pixels per frame pixel, 1.0 being 100 %. Screen positions use Point as
// frame positions do; which one a Point holds is said at each function.

// The zoom levels the zoom commands step through, from 12.5 % to 3200 %.
inline constexpr std::array<double, 13> ZoomLevels{0.125, 0.25, 0.5, 1, 2, 3, 4, 6, 8, 12, 16, 24, 32};

// The level |steps| levels above (steps > 0) or below (steps < 0) `scale`,
// held at the first and the last level. A scale between two levels (a fit)
// steps first to the level next to it on that side. Zero steps keep `scale`.
double StepZoom(double scale, int steps);

// The scale at which the whole frame fits the view: the smaller of the two
// ratios, held within the levels. A frame side below 1 counts as 1.
double FitZoom(int frameWidth, int frameHeight, int viewWidth, int viewHeight);

// The status bar text: " 100 %", " 12.5 %"; a scale that is no level shows
// to the whole percent (" 67 %").
std::string ZoomText(double scale);

// The frame pixel under screen pixel `screen`.
Point PixelAt(Point screen, double scale);

// The screen position of a frame pixel edge.
int ScreenEdge(int frameEdge, double scale);
// A frame rectangle on the screen, at least one screen pixel wide and high
// so that a small region still shows far zoomed out.
Rect ScreenRect(const Rect& frame, double scale);

// The frame rectangle of a rubber band drawn from `screenStart` to
// `screenEnd`: the band between the frame pixels under its corners, so that
// at 100 % it is BandRect of the corners themselves.
Rect BandPixels(Point screenStart, Point screenEnd, double scale);

// The scroll bar values after a zoom from `oldScale` to `newScale` that keep
// the frame point under the pointer where it is. `pointer` lies in viewport
// coordinates, `scroll` holds the scroll bar values before the zoom (the
// canvas position, in screen pixels, of the viewport's top-left corner).
// Whenever `newScale` is whole (every level from 100 % up) the same frame
// pixel stays under the pointer. The values are not held to the scroll
// range: the caller's scroll bars do that.
Point PanToKeep(Point pointer, Point scroll, double oldScale, double newScale);

}  // namespace tolv
