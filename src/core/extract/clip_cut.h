#pragma once

#include "platform/image/bitmap.h"

namespace tolv {

// True when a bitmap of this size and depth can exist and be written: both
// sides 1..32768 and at most 512 MiB of pixel data, the limits of the codec.
bool IsWritableBitmapSize(int width, int height, int bitsPerPixel);

// The part of a frame that a clip region covers.
struct ClipArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ClipArea&) const = default;
};

// True when the whole area lies on the frame.
bool LiesOnFrame(const Bitmap& frame, const ClipArea& area);

// The area of `frame` as a bitmap of its own, in the frame's format. Pixels
// outside the frame have the value 0, and so have the bytes that pad a row.
// The clip may take the pixel memory of `spent` (leaving it empty), so that
// a run of clips needs no new memory for each.
// ASSUMPTION: IsWritableBitmapSize(area.width, area.height, depth).
Bitmap CutClip(const Bitmap& frame, const ClipArea& area, Bitmap&& spent = Bitmap());

}  // namespace tolv
