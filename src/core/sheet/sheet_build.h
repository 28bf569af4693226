#pragma once

#include "platform/image/bitmap.h"
#include "sheet/atlas_text.h"
#include "sheet/sheet_layout.h"
#include "sheet/sheet_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace tolv {

// One output of the region: its name and the clip as written.
struct SheetFrame {
    std::string name;
    Bitmap clip;
};

// What the atlas needs of the region beyond its clips: its name, its
// rectangle on the frames, how long each frame shows, its pivot.
struct SheetSource {
    std::string region;
    SheetBox bounds;
    int duration = 0;
    std::optional<SheetPivot> pivot;
};

struct BuiltSheet {
    Bitmap image;
    std::vector<AtlasFrame> frames;
    AtlasMeta meta;
};

// The sheet of the clips in the layout, in the format of the clips, and its
// atlas naming `imageName`. A packed sheet holds frames of the same pixels
// once, listed under every name. Raises SheetError when there is no clip, the
// clips differ in format or the sheet would be beyond MaxSheetSide.
BuiltSheet BuildSheet(const std::vector<SheetFrame>& frames, const SheetLayout& layout, const SheetSource& source,
                      const std::string& imageName);

// "RGBA8888" for a sheet with alpha, "RGB888" for one without.
std::string SheetPixelFormat(const Bitmap& image);

}  // namespace tolv
