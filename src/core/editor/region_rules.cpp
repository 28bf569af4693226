#include "editor/region_rules.h"

#include "editor/frame_rule.h"
#include "platform/saturating.h"

#include <cstdint>

namespace tolv {

void SetSize(Project& project, Region& region, int width, int height)
{
    const Point size = FrameRule::Of(project).size(GeometryOf(region), {width, height});
    region.Width = size.x;
    region.Height = size.y;
}

void Moveby(Region& region, int dx, int dy)
{
    region.Left = SaturatingAdd(region.Left, dx);
    region.Top = SaturatingAdd(region.Top, dy);
}

bool Encloses(const Region& outer, const Region& inner)
{
    // 64-bit edges: regions far out at the int range's end must not wrap.
    const auto edge = [](int start, int size) { return std::int64_t(start) + size; };
    return inner.Left >= outer.Left && inner.Top >= outer.Top
           && edge(inner.Left, inner.Width) <= edge(outer.Left, outer.Width)
           && edge(inner.Top, inner.Height) <= edge(outer.Top, outer.Height);
}

}  // namespace tolv
