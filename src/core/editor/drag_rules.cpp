#include "editor/drag_rules.h"

#include "editor/frame_rule.h"
#include "editor/region_rules.h"
#include "editor/selection.h"

#include <algorithm>

namespace tolv {

namespace {

bool Meets(const Region& region, const Rect& band)
{
    const Rect meet{std::max(region.Left, band.left), std::max(region.Top, band.top),
                    std::min(region.right(), band.right), std::min(region.bottom(), band.bottom)};
    return !meet.empty();
}

Rect RectOf(const Region& region)
{
    return {region.Left, region.Top, region.right(), region.bottom()};
}

Rect Union(const Rect& a, const Rect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

std::string XY(const char* prefix, Point p)
{
    return prefix + std::string("x:") + std::to_string(p.x) + "  y:" + std::to_string(p.y);
}

}  // namespace

bool InSizeHandle(int width, int height, Point local)
{
    return local.x >= width - SizeHandleZone && local.y >= height - SizeHandleZone;
}

Rect BandRect(Point start, Point end)
{
    return {std::min(start.x, end.x), std::min(start.y, end.y), std::max(start.x, end.x), std::max(start.y, end.y)};
}

bool BandCreatesRegion(const Rect& band)
{
    return band.width() > SizeHandleZone && band.height() > SizeHandleZone;
}

bool CoversFrame(const Project& project, const Region& region)
{
    return region.Left <= 0 && region.Top <= 0 && region.right() >= project.FrameAreaWidth
           && region.bottom() >= project.FrameAreaHeight;
}

std::vector<Region*> CatchBand(Project& project, const Rect& band)
{
    std::vector<Region*> caught;
    for (const auto& region : project.Regions)
        if (region->Visible && !CoversFrame(project, *region) && Meets(*region, band)
            && project.selection.set(*region, SelectionState::Group))
            caught.push_back(region.get());
    return caught;
}

Rect SelectionBounds(const Project& project)
{
    const Region* current = project.selection.current();
    if (!current)
        return {};
    Rect bounds = RectOf(*current);
    for (const Region* region : SelectedFromLast(project))
        bounds = Union(bounds, RectOf(*region));
    return bounds;
}

Point ClampToCanvas(Point pos, int width, int height)
{
    return {std::clamp(pos.x, 0, std::max(width, 0)), std::clamp(pos.y, 0, std::max(height, 0))};
}

std::vector<Region*> MoveSelectionBy(Project& project, Point offset)
{
    std::vector<Region*> moved;
    offset = AllowedSelectionMove(project, offset);
    if (offset == Point{} || project.LockObj)
        return moved;
    for (int position : project.selection.positions()) {
        Region& region = *project.Regions[std::size_t(position)];
        Moveby(region, offset.x, offset.y);
        moved.push_back(&region);
    }
    return moved;
}

Point SizeGrabAt(const Region& region, Point pointer)
{
    return Point{region.right(), region.bottom()} - pointer;
}

RegionPress ClassifyRegionPress(SelectionState state, bool inSizeHandle, bool shift, bool leftButton)
{
    if (shift) {
        switch (state) {
        case SelectionState::None:
            return RegionPress::JoinGroup;
        case SelectionState::Current:
            return RegionPress::ToGroup;
        default:
            return RegionPress::Nothing;
        }
    }
    if (leftButton && inSizeHandle)
        return RegionPress::StartSize;
    return state == SelectionState::None ? RegionPress::SelectAlone : RegionPress::Nothing;
}

std::string PointerText(Point pos)
{
    return XY(" ", pos);
}

std::string MovingText(Point topLeft)
{
    return XY(" Moving to ", topLeft);
}

std::string SizingText(Point size)
{
    return XY(" Sizing to ", size);
}

std::string BackgroundText(int width, int height)
{
    return " Background   w:" + std::to_string(width) + " h:" + std::to_string(height);
}

std::string BandGeometryText(const Rect& band)
{
    return XY(" ", {band.left, band.top}) + "   w:" + std::to_string(band.width())
           + " h:" + std::to_string(band.height());
}

}  // namespace tolv
