#pragma once

#include "editor/frame_marks.h"
#include "platform/image/bitmap.h"
#include "project/project.h"
#include "project/region.h"

#include <memory>
#include <vector>

namespace tolv {

// The drawing rules that prepare a frame before anything is cut out of it, and
// the two passes that apply them. The editor shows a frame exactly as the
// extraction will see it, except for the differences the passes keep on
// purpose (which regions, the order of the types).

// Paints a text box: a body filled with BoxColor, also under a title, and outlined in black with LineWidth, then the title strip.
// Both rectangles are inset by LineWidth / 2 so the outline stays inside.
void PaintTextBox(Bitmap& target, const Region& region);

// An overlay in a frame's format: the mask that clears its opaque part (all
// bits set where it is transparent, none elsewhere), and what it then adds,
// value 0 exactly where it is transparent.
struct OverlayPaint {
    Bitmap mask;
    Bitmap image;
};

// Overlay paints kept for as long as the object lives, one for each overlay
// and frame format, so that a run over frames of one format converts each
// overlay once instead of matching its pixels to the frame's palette, and its
// mask bits to whole pixels, on every frame.
class OverlayPaints {
public:
    // ASSUMPTION: the region has MergeImage and MergeMask.
    const OverlayPaint& paintFor(const Region& region, const Bitmap& target);

private:
    struct Entry {
        std::shared_ptr<const Bitmap> image;
        std::shared_ptr<const Bitmap> mask;
        OverlayPaint paint;
    };
    std::vector<Entry> entries_;
};

// Copies the region's overlay onto the target, leaving the pixels of the key
// colour transparent. Does nothing without MergeImage and MergeMask. Where the
// region is larger than the overlay the frame stays as it is.
void MergeOverlay(Bitmap& target, const Region& region, OverlayPaints& paints);
void MergeOverlay(Bitmap& target, const Region& region);

// Paints the left column and the top row in the colour of pixel (1, 1).
// A bitmap without a pixel (1, 1) is left as it is.
void CleanFrameEdges(Bitmap& target);

// The editor pass over the display bitmap: in list order, every region
// `painted` on the frame that is visible, or every text-box and overlay
// region of the project when `showPaintAll` is on. The caller restores the
// display first when needed.
void PaintPrefilterRegions(Bitmap& display, const Project& project, const PaintedRegions& painted, bool showPaintAll);

// The extraction pass over a working copy: every overlay region painted on
// the frame (hidden ones too), then every text box, each in list order.
void PrefilterFrame(Bitmap& work, const PaintedRegions& painted, OverlayPaints& paints);
void PrefilterFrame(Bitmap& work, const PaintedRegions& painted);

}  // namespace tolv
