#pragma once

#include "project/project.h"

#include <string>
#include <string_view>
#include <vector>

namespace tolv {

class IniReader;

// Splits a list value the way the reader takes it apart: `count` times, the
// field is the text before the first "," and the rest goes on after it; a
// text without "," is the last field. Missing fields are empty; text after
// the last field taken is dropped.
std::vector<std::string> SplitListFields(std::string_view text, int count);

// Reads region section `section` of the current layout ("Position",
// "Clip1".., text-box keys) and appends its region, preceded by a text bar
// region when its TextBar key is set. A section that does not exist or whose
// position sums to 0 adds nothing.
void ReadCurrentRegion(Project& project, const IniReader& ini, const std::string& section);

// The same for the older layout ("left".."height", "In1"/"Out241"..).
void ReadOlderRegion(Project& project, const IniReader& ini, const std::string& section);

}  // namespace tolv
