#pragma once

#include "project/project.h"

#include <string>
#include <string_view>
#include <vector>

namespace tolv {

// Frame and output names match without regard to letter case, as on the file
// systems the projects come from: ASCII letters and the accented Latin-1
// letters fold.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The same folding as a key: two names match exactly when their keys are
// equal, so matching names can be found through a hash map.
std::u32string FoldedName(std::string_view name);

// Text boxes and overlays are painted into the frames they list.
bool PaintsIntoFrames(const Region& region);
// The text-box and overlay regions whose worksheet lists `frameName` in any
// row, in list order: what is painted into that frame.
using PaintedRegions = std::vector<const Region*>;
PaintedRegions RegionsPaintedOn(const Project& project, const std::string& frameName);

}  // namespace tolv
