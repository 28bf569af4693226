#pragma once

#include "project/project.h"
#include "sheet/sheet_build.h"

#include <optional>
#include <string>
#include <vector>

namespace tolv {

// Whether the run makes a sheet of the region: a clip region that names one.
bool MakesSheet(const Region& region);
// Whether the run writes only the region's sheet, not its clips.
bool WritesSheetOnly(const Region& region);

// The atlas beside a sheet: its name with ".json" added.
std::string AtlasNameOf(const std::string& sheetName);

// The run's refusal of a sheet's name, or of its atlas's name; nothing for a
// name both files can take.
std::optional<std::string> SheetNameRefusal(const std::string& sheetName);

// The rows of the region's sheet, in worksheet order: those with an output
// name and a frame of the frame list, which the run cuts.
std::vector<int> SheetRows(const Project& project, const Region& region);

// The position in the frame list of the frame a row names.
std::optional<int> FramePositionOf(const Project& project, const std::string& frameName);

// What the atlas tells of the region; `defaultFrameTime` stands for a frame
// time the region leaves to the Preferences.
SheetSource SheetSourceOf(const Region& region, int defaultFrameTime);

}  // namespace tolv
