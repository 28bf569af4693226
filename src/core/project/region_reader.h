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

// Whether the regions read get their overlay bitmaps from the overlay files.
enum class OverlayBitmaps { Load, Leave };

// Appends the regions of the sections "Region1".. up to Main's Regions count
// that exist, in number order, each preceded by a text bar region when its
// TextBar key is set, in the layout that Main's Version2 names. A section
// whose position sums to 0 adds nothing. Only sections present in the text
// are looked at, so a huge count costs nothing.
void ReadRegionSections(Project& project, const IniReader& ini, OverlayBitmaps overlays);

}  // namespace tolv
