#pragma once

#include "project/region.h"

#include <string>
#include <vector>

namespace tolv {

// Regions as the text of a project file that holds nothing else, so that
// Cut, Copy and Paste carry them between projects, and between running
// programs, through the system clipboard.

// "[Main]" with Version2 and Regions, then one section per region, in
// order, with the keys the project file has for it.
std::string RegionsAsText(const std::vector<const Region*>& regions);

// The regions of such a text, read as the project reader reads them, in
// their section order; none for any other text. A section with a Position
// key is read in the current layout also without Version2, so that its
// position is kept. Overlay bitmaps are not loaded: the caller loads them and
// decides what a missing one means.
std::vector<Region> RegionsFromText(const std::string& text);

}  // namespace tolv
