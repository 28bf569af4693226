#pragma once

#include "platform/image/bitmap.h"
#include "project/project.h"
#include "project/region.h"

#include <cstddef>
#include <vector>

namespace tolv {

// Only the first worksheet rows of a clip region take part in its animation.
constexpr int AnimationRows = 10;

// What the cels of one playback may occupy together. Ten cels of a region as
// large as the codec allows would need gigabytes; a preview has no use for that.
constexpr std::size_t MaxCelBytes = std::size_t(256) << 20;

// The number of rows 1..AnimationRows of `region` that name an input frame:
// the number of cels its animation has.
int CelFrameCount(const Region& region);

// The cels of `region`'s animation, in row order: for every row 1..10 with an
// input frame, the region's rectangle cut from that frame file exactly as it
// is on disk (no clean edges, no text boxes, no overlays), converted to 24 bits
// per pixel. Pixels outside the frame are black. Raises the loader's TolvError
// for a frame that cannot be loaded, and TolvError "Region is too large to
// animate" when the cels would exceed MaxCelBytes, before any frame is read.
std::vector<Bitmap> MakeAnimationCels(const Project& project, const Region& region);

// The cel after `celPos` (1-based) among `celCount`: back to 1 after the last.
int NextCelPos(int celPos, int celCount);

}  // namespace tolv
