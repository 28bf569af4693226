#pragma once

#include "project/project.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tolv {

// The range the nudge step of keyboard moves and sizes is kept in.
constexpr int MinNudgeStep = 1;
constexpr int MaxNudgeStep = 50;

// Adds `delta` to NudgeStep and keeps it within 1..50. Modified stays as it
// is: the step is saved with the project's next save.
void ChangeNudge(Project& project, int delta);
// "Nudge step set to N."
std::string NudgeText(int step);
// The "Nudge Factor" input: a whole number (blanks around it allowed) becomes
// the step, brought into 1..50 when outside; any other text gives nothing.
std::optional<int> ParseNudgeFactor(std::string_view text);

// A copy of `source` lying exactly over it: "Duplicate: " + its name, its
// overlay, type, worksheet and text-box settings, always visible, with its
// overlay loaded. Not yet in the region list.
std::unique_ptr<Region> DuplicateRegion(Project& project, const Region& source);

}  // namespace tolv
