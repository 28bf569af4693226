#pragma once

#include "editor/frame_rule.h"
#include "project/project.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolv {

// The range the nudge step of keyboard moves and sizes is kept in.
constexpr int MinNudgeStep = 1;
constexpr int MaxNudgeStep = 50;

// The nudge step `step` + `delta` comes to, kept within 1..50.
int ChangeNudge(int step, int delta);
// "Nudge step set to N."
std::string NudgeText(int step);
// The "Nudge Factor" input: a whole number (blanks around it allowed) becomes
// the step, brought into 1..50 when outside; any other text gives nothing.
std::optional<int> ParseNudgeFactor(std::string_view text);

// A copy of every persistent field of `source`, lying exactly over it, but
// named "Duplicate: " + its name and always visible; unselected, with its
// overlay loaded. Not yet in the region list.
std::unique_ptr<Region> DuplicateRegion(Project& project, const Region& source);

// Where regions pasted or duplicated into `project` land, in their order:
// each kept on the frame (FrameRule::place), and all moved together by
// 10, 10 as often as needed for none of them to lie exactly on a region
// there, so that a copy shows beside its original and beside the copies
// made before it. Regions that meet no such region stay where they are.
std::vector<RegionGeometry> Landing(const Project& project, const std::vector<RegionGeometry>& incoming);

}  // namespace tolv
