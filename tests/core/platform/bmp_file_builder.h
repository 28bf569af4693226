#pragma once

#include "platform/image/color.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tolv::test {

// Writes BMP files field by field, so tests can make the variants and the
// broken files that our own writer never produces.
struct BmpFileLayout {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    // Zero writes the palette's size.
    std::uint32_t colorsUsed = 0;
    std::vector<Color> palette = {};
    // Written behind a 40-byte header or inside a larger one when non-zero.
    std::array<std::uint32_t, 4> masks{};
    // Rows exactly as stored (or the RLE stream).
    std::vector<std::uint8_t> pixels = {};
    // Overrides of the computed fields; zero keeps them.
    std::uint32_t pixelOffset = 0;
    std::uint32_t imageSize = 0;
};

std::vector<std::uint8_t> BuildBmpFile(const BmpFileLayout& layout);

}  // namespace tolv::test
