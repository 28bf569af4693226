#pragma once

#include "platform/image/raster.h"
#include "project/project.h"

#include <string>
#include <vector>

namespace tolv {

// A canvas position in frame pixels.
struct Point {
    int x = 0;
    int y = 0;
    Point operator+(Point other) const { return {x + other.x, y + other.y}; }
    Point operator-(Point other) const { return {x - other.x, y - other.y}; }
    bool operator==(const Point&) const = default;
};

// The mouse gestures of the canvas; at most one runs at a time.
enum class Gesture {
    None,
    // A rubber band on the bare canvas.
    Band,
    // A press on a region that has not moved yet.
    Pressed,
    // A move drag of the selection.
    Moving,
    // A size drag of the current region.
    Sizing,
    // The view follows the pointer (middle button, or Space held).
    Panning,
};

// The gesture under way and its points; none is persisted.
struct DragState {
    Gesture gesture = Gesture::None;
    // Band: the press corner; move: where the drag started; size: the
    // region's top-left corner.
    Point DragStart;
    // Band: the corner drawn last; move: the position handled last; size: the
    // bottom-right corner of the outline drawn last.
    Point DragPrev;
    Rect MoveOutline;
    // From the pointer to the region's bottom-right corner during a size drag.
    Point SizeGrab;
    // Kept from one drag to the next so a repeated position is dropped.
    Point LastDragPos;
};

// The bottom-right square of a region that starts a size drag, in screen
// pixels at every zoom.
constexpr int SizeHandleZone = 6;

// Whether a point local to a region shown `width` x `height` screen pixels
// lies in its size handle.
bool InSizeHandle(int width, int height, Point local);

// The rectangle spanned by two corners, ordered so that left <= right and
// top <= bottom. Corners are not clamped to the canvas.
Rect BandRect(Point start, Point end);
// A band that catches nothing makes a region only from 7 x 7 on.
bool BandCreatesRegion(const Rect& band);
// Whether a region covers the whole frame area: the background of a scene,
// which the canvas shows as a marker and bands are drawn over.
bool CoversFrame(const Project& project, const Region& region);
// Every visible region whose rectangle meets the band goes to group state,
// except those that cover the whole frame (a band is drawn over them);
// those whose state changed are returned in list order, and the last of them
// becomes the current region. The Tab anchor is left alone.
std::vector<Region*> CatchBand(Project& project, const Rect& band);

// The rectangle around the current region and every selected region; empty
// without any.
Rect SelectionBounds(const Project& project);
Point ClampToCanvas(Point pos, int width, int height);
// The end of a move drag: every selected region, in list order, moved by
// `offset` as far as the frame rule allows (AllowedSelectionMove), with the
// nudge's saturating arithmetic. Nothing happens for an offset that comes to
// zero, nor while the layout is locked. Returns the regions moved.
std::vector<Region*> MoveSelectionBy(Project& project, Point offset);
// The size drag keeps the offset from the pointer to the region's
// bottom-right corner that it had at the press.
Point SizeGrabAt(const Region& region, Point pointer);

// What a press on a region does, before any drag.
enum class RegionPress {
    Nothing,
    // Shift on an unselected region: the current region and this one form a
    // group, this one current.
    JoinGroup,
    // Shift on the current region: it becomes a group member too.
    ToGroup,
    // Left press in the size handle: select alone, then start a size drag.
    StartSize,
    // Select alone (a region already selected stays as it is, so a group can
    // be dragged by any member).
    SelectAlone,
};
// `state` is the state of the region pressed.
RegionPress ClassifyRegionPress(SelectionState state, bool inSizeHandle, bool shift, bool leftButton);

// Status bar texts of the gestures.
std::string PointerText(Point pos);
std::string MovingText(Point topLeft);
std::string SizingText(Point size);
std::string BackgroundText(int width, int height);
std::string BandGeometryText(const Rect& band);

}  // namespace tolv
