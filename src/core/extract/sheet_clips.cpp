#include "extract/sheet_clips.h"

#include "editor/frame_marks.h"
#include "extract/sheet_rows.h"
#include "platform/errors.h"
#include "platform/image/image_file.h"

#include <algorithm>

namespace tolv {

namespace {

ClipArea AreaOf(const Region& region)
{
    return {region.Left, region.Top, region.Width, region.Height};
}

}  // namespace

Bitmap PreparedFrame(const Project& project, const std::string& frameName, OverlayPaints& paints)
{
    Bitmap frame = LoadImageFile(project.FramePath(frameName));
    if (project.CleanEdges) {
        CleanFrameEdges(frame);
    }
    PrefilterFrame(frame, RegionsPaintedOn(project, frameName), paints);
    return frame;
}

std::vector<SheetFrame> CutSheetFrames(const Project& project, const Region& region, const std::vector<int>& rows,
                                       OverlayPaints& paints)
{
    std::vector<SheetFrame> frames;
    const ClipArea area = AreaOf(region);
    for (const int row : rows) {
        frames.push_back(
            {region.OutputFile[row], CutClip(PreparedFrame(project, region.InputFrame[row], paints), area)});
    }
    return frames;
}

SheetPreview SheetPreviewer::preview(const Region& region)
{
    SheetPreview shown;
    std::vector<int> rows = SheetRows(project_, region);
    shown.sheetFrames = int(rows.size());
    rows.resize(std::min<std::size_t>(rows.size(), FrameLimit));
    const ClipArea area = AreaOf(region);
    if (!IsWritableBitmapSize(area.width, area.height, 32)) {
        shown.problem = "clip size " + std::to_string(area.width) + " x " + std::to_string(area.height);
        return shown;
    }
    std::vector<SheetFrame> frames;
    for (const int row : rows) {
        const std::string& frameName = region.InputFrame[row];
        try {
            frames.push_back({region.OutputFile[row], clipOf(frameName, area)});
        } catch (const TolvError&) {
            shown.problem = "frame " + frameName + " could not be read";
            return shown;
        }
    }
    try {
        shown.image = BuildSheet(frames, region.Sheet.Layout, SheetSourceOf(region, 0), region.Sheet.File).image;
        shown.shownFrames = int(frames.size());
    } catch (const SheetError& error) {
        shown.problem = error.what();
    }
    return shown;
}

const Bitmap& SheetPreviewer::clipOf(const std::string& frameName, const ClipArea& area)
{
    if (area != area_) {
        clips_.clear();
        area_ = area;
    }
    auto kept = clips_.find(frameName);
    if (kept == clips_.end()) {
        kept = clips_.emplace(frameName, CutClip(PreparedFrame(project_, frameName, paints_), area)).first;
    }
    return kept->second;
}

}  // namespace tolv
