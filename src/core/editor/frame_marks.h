#pragma once

#include "project/project.h"

#include <string>
#include <string_view>

namespace tolv {

// Frame and output names match without regard to letter case, as on the file
// systems the projects come from: ASCII letters and the accented Latin-1
// letters fold.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The same folding as a key: two names match exactly when their keys are
// equal, so matching names can be found through a hash map.
std::u32string FoldedName(std::string_view name);

// Sets OnCurrentFrame on exactly the text-box and overlay regions whose
// worksheet lists `frameName` in any row; clears it on every other region.
void MarkFrameRegions(Project& project, const std::string& frameName);

}  // namespace tolv
