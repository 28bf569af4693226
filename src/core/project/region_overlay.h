#pragma once

#include "project/region.h"

namespace tolv {

// The overlay file a region names: an OVLName that is not absolute lies in
// the project folder, so a project keeps its overlays when moved; an
// absolute one is taken as stored. Empty for an empty OVLName.
std::string OverlayPath(const std::string& projectFolder, const std::string& overlayName);

// Loads the overlay of an overlay-merge region from its OverlayPath into MergeImage
// and MergeMask. The overlay's top-left pixel is its transparent colour: the
// mask is white there and black elsewhere, and the image is black there, so
// compositing (destination AND mask, then OR image) leaves the frame unchanged
// under transparent pixels. A region smaller than the overlay in either
// dimension takes the overlay's size; callers refresh its hint afterwards.
// Nothing is loaded for other region types or a missing file; a file that is
// not a valid bitmap silently gives no overlay. Other file errors are raised.
// Regions naming the same file, unchanged since, share one decoded overlay.
void LoadOverlay(Region& region, const std::string& projectFolder);

// Releases MergeImage and MergeMask.
void FreeOverlay(Region& region);

}  // namespace tolv
