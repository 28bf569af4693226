#pragma once

#include "project/project.h"

namespace tolv {

// The frame area a project gets at least, whatever its frames.
constexpr int MinFrameAreaWidth = 600;
constexpr int MinFrameAreaHeight = 400;

// Examines every frame file: FrameStatus becomes FrameLoaded, FrameMissing or
// FrameUnusable for each frame (FrameUnchecked for the rest), and the frame
// area the largest width and height among the usable frames, but at least
// 600 x 400. A file that is not a bitmap is unusable and the examination goes
// on. Returns whether any frame is missing or unusable.
bool ExamineFrames(Project& project);

// Lets the frame area grow to hold `region`'s size, as it does for every
// region read from a project file.
void GrowFrameAreaFor(Project& project, const Region& region);

}  // namespace tolv
