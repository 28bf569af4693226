#pragma once

#include "project/region.h"

namespace tolv {

// Loads the overlay of an overlay-merge region from OVLName into MergeImage
// and MergeMask. The overlay's top-left pixel is its transparent colour: the
// mask is white there and black elsewhere, and the image is black there, so
// compositing (destination AND mask, then OR image) leaves the frame unchanged
// under transparent pixels. A region smaller than the overlay in either
// dimension takes the overlay's size; callers refresh its hint afterwards.
// Nothing is loaded for other region types or a missing file; a file that is
// not a valid bitmap silently gives no overlay. Other file errors are raised.
// Regions naming the same file, unchanged since, share one decoded overlay.
void LoadMergeBMP(Region& region);

// Releases MergeImage and MergeMask.
void FreeMergeBMP(Region& region);

}  // namespace tolv
