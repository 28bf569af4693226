#pragma once

#include <cstddef>
#include <string>

namespace tolv {

// The name of an undoable step as the Undo and Redo items show it. Steps on
// regions name how many they touched: "Move Region", "Move 3 Regions".
struct StepName {
    const char* verb = "";
    bool countsRegions = true;

    std::string text(std::size_t regions) const;
};

namespace steps {
inline constexpr StepName AddRegion{"Add"};
inline constexpr StepName DeleteRegions{"Delete"};
inline constexpr StepName CutRegions{"Cut"};
inline constexpr StepName PasteRegions{"Paste"};
inline constexpr StepName MoveRegions{"Move"};
inline constexpr StepName ResizeRegion{"Resize"};
inline constexpr StepName SetGeometry{"Set Geometry", false};
inline constexpr StepName NudgeRegions{"Nudge"};
inline constexpr StepName DuplicateRegion{"Duplicate"};
inline constexpr StepName HideRegion{"Hide"};
inline constexpr StepName ShowRegion{"Show"};
inline constexpr StepName ReorderRegion{"Reorder"};
inline constexpr StepName RegionProperties{"Region Properties", false};
inline constexpr StepName LockLayout{"Lock Layout", false};
inline constexpr StepName ProjectSetup{"Project Setup", false};
inline constexpr StepName ExtractionSwitches{"Extraction Switches", false};
inline constexpr StepName NudgeStep{"Nudge Step", false};
inline constexpr StepName ShowPreview{"Show Preview", false};
}  // namespace steps

}  // namespace tolv
