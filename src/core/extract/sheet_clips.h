#pragma once

#include "extract/clip_cut.h"
#include "extract/prefilter.h"
#include "project/project.h"
#include "sheet/sheet_build.h"

#include <map>
#include <string>
#include <vector>

namespace tolv {

// The frame as the clips are cut from it: cleaned and pre-filtered.
Bitmap PreparedFrame(const Project& project, const std::string& frameName, OverlayPaints& paints);

// The clip of each of the region's rows, named by its output, as the run
// writes it. ASSUMPTION: the rows are SheetRows of the region.
std::vector<SheetFrame> CutSheetFrames(const Project& project, const Region& region, const std::vector<int>& rows,
                                       OverlayPaints& paints);

// What a preview shows of a region's sheet: its first frames composed, or why
// they cannot be.
struct SheetPreview {
    Bitmap image;
    // The frames the picture holds, and those the whole sheet would.
    int shownFrames = 0;
    int sheetFrames = 0;
    // Empty when the picture could be made.
    std::string problem;
};

// Previews of a region's sheet while its settings change: each frame is read
// and cut once and kept, so that only the layout is applied again for a new
// setting. The clips are cut for one clip area; another area cuts them anew.
class SheetPreviewer {
public:
    // The frames shown at most, so that a preview stays quick.
    static constexpr int FrameLimit = 16;

    // ASSUMPTION: the project outlives the previewer and its frames do not
    // change meanwhile.
    explicit SheetPreviewer(const Project& project) : project_(project) {}

    // The sheet of the region's first FrameLimit sheet rows in its layout.
    SheetPreview preview(const Region& region);

private:
    const Bitmap& clipOf(const std::string& frameName, const ClipArea& area);

    const Project& project_;
    ClipArea area_;
    // By frame name, as the worksheet writes it.
    std::map<std::string, Bitmap> clips_;
    OverlayPaints paints_;
};

}  // namespace tolv
