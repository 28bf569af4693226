#pragma once

#include "platform/image/bitmap.h"

namespace tolv {

// An area of a clip, in its pixels.
struct SheetBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const SheetBox&) const = default;
};

// The box of the clip's pixels that are not background: by the alpha channel
// or palette alpha where the clip has one, else by the colour of its pixel
// 0,0, as overlays take it. A clip of background only keeps its pixel 0,0,
// since a frame needs one.
SheetBox OpaqueBox(const Bitmap& clip);

// Copies `area` of `from` to `to` at (x, y), and repeats the area's edge
// pixels `extrude` pixels out around it. Both have the same format; what
// falls outside `to` is left out.
void CopyArea(const Bitmap& from, const SheetBox& area, Bitmap& to, int x, int y, int extrude);

// The area as a bitmap of its own.
Bitmap CropArea(const Bitmap& from, const SheetBox& area);

}  // namespace tolv
