#pragma once

#include "platform/image/bitmap.h"
#include "project/project.h"

#include <string>

namespace tolv {

// The size of the display when no frame can be shown.
constexpr int CheckerboardWidth = 790;
constexpr int CheckerboardHeight = 560;

// Where the frame to show lies from the current one.
enum class FrameStep : int { Previous = -1, Same = 0, Next = 1 };

// Moves CurrentFrame by `step` and keeps it within 1..FrameCount, so it is 0
// when there are no frames. No wrap-around.
void StepCurrentFrame(Project& project, FrameStep step);
// The frame at `position` (from 1), kept within 1..FrameCount as a step is.
void ShowFrameAt(Project& project, int position);

// Whether the current frame loaded when the frames were examined; every
// other frame shows the checkerboard.
bool CurrentFrameAvailable(const Project& project);

// Status panel 2 while no region is current: " Frame: " + the current
// frame's name, or " Animation missing: " + its name when it is not
// available.
std::string FrameText(const Project& project);

// The bitmap resource CHKBRD: 32 x 32, four 16 x 16 squares, silver at the
// top-left and bottom-right, white at the other two.
const Bitmap& Chkbrd();

// The display for a frame that cannot be shown: 790 x 560, 24 bits, white,
// with the frame area (clipped to the bitmap) tiled with CHKBRD from the
// origin.
Bitmap CheckerboardDisplay(int frameAreaWidth, int frameAreaHeight);

}  // namespace tolv
