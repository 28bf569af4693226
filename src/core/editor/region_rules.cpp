#include "editor/region_rules.h"

#include "project/saturating.h"

#include <cstdint>
#include <limits>

namespace tolv {

namespace {

// |value|, with the one value whose magnitude an int cannot hold taken as the
// largest int.
int Magnitude(int value)
{
    if (value == std::numeric_limits<int>::min())
        return std::numeric_limits<int>::max();
    return value < 0 ? -value : value;
}

}  // namespace

void SetSize(Project& project, Region& region, int width, int height)
{
    width = Magnitude(width);
    if (width >= MinRegionSide)
        region.Width = width;
    height = Magnitude(height);
    if (height >= MinRegionSide)
        region.Height = height;
    project.Modified = true;
}

void Moveby(Project& project, Region& region, int dx, int dy)
{
    region.Left = SaturatingAdd(region.Left, dx);
    region.Top = SaturatingAdd(region.Top, dy);
    project.Modified = true;
}

bool Encloses(const Region& outer, const Region& inner)
{
    // 64-bit edges: regions far out at the int range's end must not wrap.
    const auto edge = [](int start, int size) { return std::int64_t(start) + size; };
    return inner.Left >= outer.Left && inner.Top >= outer.Top &&
           edge(inner.Left, inner.Width) <= edge(outer.Left, outer.Width) &&
           edge(inner.Top, inner.Height) <= edge(outer.Top, outer.Height);
}

}  // namespace tolv
