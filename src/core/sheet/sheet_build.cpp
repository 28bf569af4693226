#include "sheet/sheet_build.h"

#include "sheet/sheet_layout.h"

#include <algorithm>

namespace tolv {

namespace {

// The box of each clip that goes onto the sheet.
std::vector<SheetBox> KeptBoxes(const std::vector<SheetFrame>& frames, bool trim)
{
    std::vector<SheetBox> boxes;
    for (const SheetFrame& frame : frames)
        boxes.push_back(trim ? OpaqueBox(frame.clip) : SheetBox{0, 0, frame.clip.width(), frame.clip.height()});
    return boxes;
}

// For each frame, the first frame of the same kept pixels: itself unless
// packing may share its place.
std::vector<std::size_t> FirstOfSame(const std::vector<SheetFrame>& frames, const std::vector<SheetBox>& boxes,
                                     bool dedupe)
{
    std::vector<std::size_t> first(frames.size());
    std::vector<Bitmap> kept;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        first[i] = i;
        if (!dedupe)
            continue;
        kept.push_back(CropArea(frames[i].clip, boxes[i]));
        for (std::size_t j = 0; j < i; ++j) {
            if (first[j] == j && kept[j] == kept[i]) {
                first[i] = j;
                break;
            }
        }
    }
    return first;
}

void CheckFormats(const std::vector<SheetFrame>& frames)
{
    if (frames.empty())
        throw SheetError("the region has no clip to put on it");
    for (const SheetFrame& frame : frames) {
        if (!frame.clip.sameFormat(frames.front().clip))
            throw SheetError("its clips differ in pixel format (" + frames.front().name + ", " + frame.name + ")");
    }
}

SheetPivot PivotOf(const SheetSource& source)
{
    return source.pivot.value_or(SheetPivot{source.bounds.width / 2, source.bounds.height / 2});
}

}  // namespace

BuiltSheet BuildSheet(const std::vector<SheetFrame>& frames, const SheetLayout& layout, const SheetSource& source,
                      const std::string& imageName)
{
    CheckFormats(frames);
    const std::vector<SheetBox> boxes = KeptBoxes(frames, layout.Trim);
    const std::vector<std::size_t> first = FirstOfSame(frames, boxes, layout.Arrangement == SheetArrangement::Packed);
    std::vector<SheetSize> sizes;
    std::vector<std::size_t> slot(frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (first[i] == i) {
            slot[i] = sizes.size();
            sizes.push_back({boxes[i].width, boxes[i].height});
        } else {
            slot[i] = slot[first[i]];
        }
    }
    const SheetPlan plan = PlanSheet(sizes, layout);

    BuiltSheet sheet;
    sheet.image = Bitmap::SameFormat(frames.front().clip, plan.size.width, plan.size.height);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const SheetPlace place = plan.places[slot[i]];
        if (first[i] == i)
            CopyArea(frames[i].clip, boxes[i], sheet.image, place.x, place.y, layout.Extrude);
        const Bitmap& clip = frames[i].clip;
        const bool trimmed = boxes[i] != SheetBox{0, 0, clip.width(), clip.height()};
        sheet.frames.push_back({frames[i].name,
                                {place.x, place.y, boxes[i].width, boxes[i].height},
                                trimmed,
                                boxes[i],
                                clip.width(),
                                clip.height(),
                                source.duration});
    }
    const SheetPivot pivot = PivotOf(source);
    sheet.meta = {imageName,       SheetPixelFormat(sheet.image),
                  plan.size.width, plan.size.height,
                  source.region,   source.bounds,
                  pivot.X,         pivot.Y};
    return sheet;
}

std::string SheetPixelFormat(const Bitmap& image)
{
    const bool alpha = image.masks().alpha != 0 || !image.paletteAlpha().empty();
    return alpha ? "RGBA8888" : "RGB888";
}

}  // namespace tolv
