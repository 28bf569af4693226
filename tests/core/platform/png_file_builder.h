#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolv::test {

// Writes PNG files of any colour type and bit depth from raw samples with
// libpng, so tests can make the variants our own writer never produces.
struct PngFileLayout {
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colorType = 0;  // PNG_COLOR_TYPE_*
    bool interlaced = false;
    // Samples row by row, channel by channel, each below 2^bitDepth.
    std::vector<std::uint16_t> samples = {};
    // R, G, B triples for palette images.
    std::vector<std::uint8_t> palette = {};
    // tRNS: entry alphas of a palette, or the one transparent grey or RGB
    // value (1 or 3 samples) of other types.
    std::vector<std::uint16_t> transparent = {};
};

std::vector<std::uint8_t> BuildPngFile(const PngFileLayout& layout);

// The file with its chunks taken apart and put together again: `edit` may
// change a chunk's type and data; the CRCs are recomputed.
struct PngFileChunk {
    std::string type;
    std::vector<std::uint8_t> data;
};
std::vector<PngFileChunk> SplitPngChunks(const std::vector<std::uint8_t>& file);
std::vector<std::uint8_t> JoinPngChunks(const std::vector<PngFileChunk>& chunks);

}  // namespace tolv::test
