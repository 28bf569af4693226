#pragma once

#include "platform/errors.h"
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

// Regions whose worksheet holds a name that a project file cannot hold as it
// is (see storable_names.h), which a paste refuses whole.
class UnstorableRegionsError : public TolvError {
public:
    using TolvError::TolvError;
};

// The regions of such a text, read as the project reader reads them, in
// their section order; none for any other text, also for one whose region
// count is no count. A section with a Position key is read in the current
// layout also without Version2, so that its position is kept. Overlay bitmaps
// are not loaded: the caller loads them and decides what a missing one means.
// Raises UnstorableRegionsError, naming the first such row, when a name
// cannot be stored.
std::vector<Region> RegionsFromText(const std::string& text);

}  // namespace tolv
