#pragma once

#include "platform/image/png_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace tolv {

// The start of every PNG file: the signature and the IHDR chunk that must
// follow it at once.
constexpr std::size_t PngHeadSize = PngSignatureLength + 4 + 4 + 13 + 4;

struct PngHeader {
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    // 0 grey, 2 RGB, 3 palette, 4 grey with alpha, 6 RGB with alpha.
    int colourType = 0;
    bool interlaced = false;
    bool operator==(const PngHeader&) const = default;
};

// Reads the signature and the IHDR chunk from the first bytes of a file
// (at least PngHeadSize of them, or the whole file when it is shorter). The
// chunk's checksum, the depth and colour type pair, the methods and a size
// within the bitmap limits are checked; the pixel data is not, so a damaged
// image stream is found only when the file is loaded. Raises
// InvalidBitmapError.
PngHeader ParsePngHeader(std::span<const std::uint8_t> head);

}  // namespace tolv
