#include "editor/shared_properties.h"

namespace tolv {

std::vector<const Region*> SelectedRegions(const Project& project)
{
    std::vector<const Region*> regions;
    for (const int position : project.selection.positions())
        regions.push_back(project.Regions[std::size_t(position)].get());
    return regions;
}

bool Editable(const Project& project, PropertyGroup group)
{
    const Region* current = project.selection.current();
    if (!current || project.selection.size() != 1 || !project.selection.contains(*current))
        return false;
    switch (group) {
    case PropertyGroup::Common:
        return true;
    case PropertyGroup::Geometry:
        return !project.LockObj;
    case PropertyGroup::Overlay:
        return current->RegionType == RegionKind::Overlay;
    case PropertyGroup::TextBox:
        return current->RegionType == RegionKind::TextBox;
    case PropertyGroup::Title:
        return current->RegionType == RegionKind::TextBox && current->Title;
    }
    return false;
}

std::optional<RegionGeometry> GeometryWith(const Region& region, int Region::*field, int value)
{
    const std::optional<Region> moved = RecordWith(region, field, value);
    if (!moved)
        return std::nullopt;
    return GeometryOf(*moved);
}

}  // namespace tolv
