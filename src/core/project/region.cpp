#include "project/region.h"

namespace tolv {

const char* VisibilityMarker(const Region& region)
{
    return region.Visible ? "  " : " <Hidden>";
}

std::string PickText(const Region& region)
{
    return region.Name + VisibilityMarker(region);
}

std::string HintText(const Region& region)
{
    return "[" + region.Name + "]  x:" + std::to_string(region.Left) + "  y:" + std::to_string(region.Top)
           + "  w:" + std::to_string(region.Width) + "  h:" + std::to_string(region.Height);
}

std::string GeometryText(const Region& region)
{
    return " x:" + std::to_string(region.Left) + "  y:" + std::to_string(region.Top)
           + "   w:" + std::to_string(region.Width) + " h:" + std::to_string(region.Height);
}

}  // namespace tolv
