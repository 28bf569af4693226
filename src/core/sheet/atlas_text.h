#pragma once

#include "sheet/sheet_pixels.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// One frame of the atlas: where it sits on the sheet, and where the pixels
// kept sat in the clip before trimming.
struct AtlasFrame {
    std::string name;
    SheetBox frame;
    bool trimmed = false;
    SheetBox spriteSource;
    int sourceWidth = 0;
    int sourceHeight = 0;
    int duration = 0;
};

// What the atlas says of the whole sheet: the region that made it (its one
// tag, its rectangle on the frames and its pivot), the sheet's file name,
// pixel format and size.
struct AtlasMeta {
    std::string image;
    std::string format;
    int width = 0;
    int height = 0;
    std::string region;
    SheetBox bounds;
    int pivotX = 0;
    int pivotY = 0;
};

// "hash" keys the frames by name; "array" lists them, each with its name.
enum class AtlasLayout : std::uint8_t { Hash, Array };

// The atlas in the JSON layout the common engines read, frames in the order
// given. Names that are not UTF-8 keep their other characters, each stray
// byte becoming U+FFFD.
std::string AtlasText(const std::vector<AtlasFrame>& frames, const AtlasMeta& meta, AtlasLayout layout);

}  // namespace tolv
