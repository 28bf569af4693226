#pragma once

#include "project/project.h"

#include <string>
#include <string_view>

namespace tolv {

// Frame and output names match without regard to letter case, as on the file
// systems the projects come from: ASCII letters and the accented Latin-1
// letters fold.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// Sets OnCurrentFrame on exactly the text-box and overlay regions whose
// worksheet lists `frameName` in any row; clears it on every other region.
void MarkFrameRegions(Project& project, const std::string& frameName);

}  // namespace tolv
