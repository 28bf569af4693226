#pragma once

#include "project/region.h"

#include <optional>

namespace tolv {

// The hide and show commands of the Edit menu, the region context menu and
// the tool bar.
enum class RegionCommand { Hide, Show };

// The visibility a command gives the region; nothing when it is already so.
inline std::optional<bool> VisibilityAfter(const Region& region, RegionCommand command)
{
    const bool show = command == RegionCommand::Show;
    if (region.Visible == show)
        return std::nullopt;
    return show;
}

}  // namespace tolv
