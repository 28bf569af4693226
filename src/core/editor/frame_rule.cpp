#include "editor/frame_rule.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tolv {

namespace {

// Edges are summed in 64 bits: a region read from a file may lie anywhere
// in the int range.
using Wide = std::int64_t;

int ToInt(Wide value)
{
    return int(std::clamp<Wide>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// One axis of a region: its start and extent against the frame's extent.
struct Span {
    Wide start;
    Wide extent;
};

bool OnFrame(Span span, Wide frame)
{
    return span.extent >= 1 && span.start + span.extent >= 1 && span.start <= frame - 1;
}

// The offsets that keep a pixel of `span` on the frame, widened to take in
// 0 so that a span off the frame already may stay.
struct Range {
    Wide low;
    Wide high;
};

Range MoveRange(Span span, Wide frame)
{
    return {std::min<Wide>(1 - span.start - span.extent, 0), std::max<Wide>(frame - 1 - span.start, 0)};
}

// The smallest extent that keeps a pixel of a span starting at `start` on
// the frame; a span off the frame already may keep its extent.
Wide SmallestExtent(Span span)
{
    const Wide needed = std::max<Wide>(1, 1 - span.start);
    return std::max<Wide>(1, std::min(needed, span.extent));
}

Wide Place(Wide start, Wide extent, Wide frame)
{
    return std::clamp<Wide>(start, 1 - extent, frame - 1);
}

}  // namespace

RegionGeometry GeometryOf(const Region& region)
{
    return {region.Left, region.Top, region.Width, region.Height};
}

void SetGeometry(Region& region, const RegionGeometry& geometry)
{
    region.Left = geometry.Left;
    region.Top = geometry.Top;
    region.Width = geometry.Width;
    region.Height = geometry.Height;
}

FrameRule::FrameRule(int frameWidth, int frameHeight)
    : width_(std::max(frameWidth, 1)), height_(std::max(frameHeight, 1))
{}

FrameRule FrameRule::Of(const Project& project)
{
    return {project.FrameAreaWidth, project.FrameAreaHeight};
}

bool FrameRule::holds(const RegionGeometry& region) const
{
    return OnFrame({region.Left, region.Width}, width_) && OnFrame({region.Top, region.Height}, height_);
}

RegionGeometry FrameRule::place(RegionGeometry region) const
{
    region.Width = std::max(region.Width, 1);
    region.Height = std::max(region.Height, 1);
    region.Left = ToInt(Place(region.Left, region.Width, width_));
    region.Top = ToInt(Place(region.Top, region.Height, height_));
    return region;
}

Point FrameRule::move(const std::vector<RegionGeometry>& regions, Point offset) const
{
    Range x{std::numeric_limits<Wide>::min(), std::numeric_limits<Wide>::max()};
    Range y = x;
    for (const RegionGeometry& region : regions) {
        const Range rx = MoveRange({region.Left, region.Width}, width_);
        const Range ry = MoveRange({region.Top, region.Height}, height_);
        x = {std::max(x.low, rx.low), std::min(x.high, rx.high)};
        y = {std::max(y.low, ry.low), std::min(y.high, ry.high)};
    }
    // Every range holds 0, so their meet does too, and the result lies
    // between 0 and the offset asked for.
    return {ToInt(std::clamp<Wide>(offset.x, x.low, x.high)), ToInt(std::clamp<Wide>(offset.y, y.low, y.high))};
}

Point FrameRule::size(const RegionGeometry& region, Point size) const
{
    return {ToInt(std::max<Wide>(size.x, SmallestExtent({region.Left, region.Width}))),
            ToInt(std::max<Wide>(size.y, SmallestExtent({region.Top, region.Height})))};
}

Point AllowedSelectionMove(const Project& project, Point offset)
{
    std::vector<RegionGeometry> selected;
    for (int position : project.selection.positions())
        selected.push_back(GeometryOf(*project.Regions[std::size_t(position)]));
    return FrameRule::Of(project).move(selected, offset);
}

Point AllowedCurrentSize(const Project& project, Point size)
{
    const Region* current = project.selection.current();
    if (!current)
        return size;
    return FrameRule::Of(project).size(GeometryOf(*current), size);
}

}  // namespace tolv
