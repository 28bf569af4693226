#pragma once

#include "editor/frame_rule.h"
#include "project/project.h"

#include <optional>
#include <vector>

namespace tolv {

// The rules of the Properties panel, which shows the selected regions' fields
// and edits them in place. It reads the selected regions only, so that a long
// region list costs it nothing.

// The limits of the typed fields, shared with Region Object Properties and
// the geometry bar.
inline constexpr int MinTitleHeight = 10;
inline constexpr int MaxTitleHeight = 40;
inline constexpr int MinLineWidth = 1;
inline constexpr int MaxLineWidth = 5;
// Regions may reach past the frame's left and top edges.
inline constexpr int GeometryFieldLimit = 99999;

// The selected regions in list order.
std::vector<const Region*> SelectedRegions(const Project& project);

// The value all of `regions` hold in `field`; nothing when they differ, or
// when there are none.
template <typename Value>
std::optional<Value> SharedValue(const std::vector<const Region*>& regions, Value Region::*field)
{
    if (regions.empty())
        return std::nullopt;
    const Value& first = regions.front()->*field;
    for (const Region* region : regions)
        if (!(region->*field == first))
            return std::nullopt;
    return first;
}

// The fields that take edits together.
enum class PropertyGroup { Common, Geometry, Overlay, TextBox, Title };

// Whether the fields of `group` take edits. The document edits the current
// region alone, so nothing does unless it is the only region selected; then
// as in Region Object Properties the overlay belongs to an overlay region,
// the text-box options to a text box and the title's height and colour to
// a text box with a title, and the layout lock keeps the geometry.
bool Editable(const Project& project, PropertyGroup group);

// The record that replaces `region` when one field is given `value`: the
// region as it is with that field changed. Nothing when it holds the value
// already, so that an edit that changes nothing makes no step.
template <typename Value>
std::optional<Region> RecordWith(const Region& region, Value Region::*field, const Value& value)
{
    if (region.*field == value)
        return std::nullopt;
    Region record = region;
    record.*field = value;
    return record;
}

// The same for one of the four geometry fields, as the geometry typed in.
std::optional<RegionGeometry> GeometryWith(const Region& region, int Region::*field, int value);

}  // namespace tolv
