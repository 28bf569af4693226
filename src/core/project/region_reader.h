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

// Which layout a region section is read in: the one that Main's Version2
// names, as in a project file, or, for text that other programs may have
// put on the clipboard without it, the current one for every section that
// has a Position key.
enum class RegionLayout { AsMarked, ByKeys };

// Appends the regions of the sections "Region1".. up to Main's Regions count
// that exist, in number order, each preceded by a text bar region when its
// TextBar key is set, in the layout `layout` tells. A section whose position
// sums to 0 adds nothing. Only sections present in the text are looked at,
// so a huge count costs nothing.
void ReadRegionSections(Project& project, const IniReader& ini, OverlayBitmaps overlays,
                        RegionLayout layout = RegionLayout::AsMarked);

}  // namespace tolv
