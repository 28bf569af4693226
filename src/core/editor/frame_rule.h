#pragma once

#include "editor/drag_rules.h"
#include "project/project.h"

#include <vector>

namespace tolv {

// A region's rectangle in frame pixels: where it lies and how large it is.
struct RegionGeometry {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const RegionGeometry&) const = default;
};

RegionGeometry GeometryOf(const Region& region);
void SetGeometry(Region& region, const RegionGeometry& geometry);

// The one geometry rule of the editor, for every way a region is placed or
// changed (drag, size drag, nudge, typed geometry, paste, duplicate): a
// region keeps at least one of its pixels on the frame, so that it can be
// seen and taken hold of, and is at least 1 x 1. It may reach past the
// frame's edges (an overlay that slides in from the side, a text box whose
// outline lies outside), but no edit takes it wholly off the frame.
//
// A region that lies off the frame already (as a project file may hold it) is
// kept where it is: it may stay, and move or grow towards the frame, but not
// away from it.
class FrameRule {
public:
    // A frame of at least 1 x 1.
    FrameRule(int frameWidth, int frameHeight);
    // The frame area the canvas shows.
    static FrameRule Of(const Project& project);

    // Whether `region` has a pixel on the frame.
    bool holds(const RegionGeometry& region) const;
    // Geometry typed or pasted: the size raised to 1 x 1 where smaller, then
    // the position nearest to the given one at which the rule holds.
    RegionGeometry place(RegionGeometry region) const;
    // The offset nearest to `offset`, each axis on its own, by which all of
    // `regions` may move together.
    Point move(const std::vector<RegionGeometry>& regions, Point offset) const;
    // The size nearest to `size` that `region` may take, its top-left
    // corner staying where it is.
    Point size(const RegionGeometry& region, Point size) const;

private:
    int width_;
    int height_;
};

// What a move drag of the selection and a size drag of the current region
// come to at the release, for the canvas to show while the mouse drags. The
// offset moves every selected region; without a current region the size is
// returned as it is.
Point AllowedSelectionMove(const Project& project, Point offset);
Point AllowedCurrentSize(const Project& project, Point size);

}  // namespace tolv
