#pragma once

#include <cstdint>

// Reading and writing one pixel value in a row of the BMP layout. Kept inline
// so that the raster loops and the codec compile to tight code.
namespace tolv::pixel {

inline std::uint32_t Load(const std::uint8_t* row, int x, int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
    case 8:
        return row[x];
    case 16: {
        const std::uint8_t* p = row + 2 * x;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
    }
    case 24: {
        const std::uint8_t* p = row + 3 * x;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
    }
    default: {
        const std::uint8_t* p = row + 4 * x;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }
    }
}

inline void Store(std::uint8_t* row, int x, int bitsPerPixel, std::uint32_t value)
{
    switch (bitsPerPixel) {
    case 1: {
        const int shift = 7 - (x & 7);
        row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1u << shift)) | (value & 1u) << shift);
        return;
    }
    case 4: {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = std::uint8_t((row[x >> 1] & ~(0xFu << shift)) | (value & 0xFu) << shift);
        return;
    }
    case 8:
        row[x] = std::uint8_t(value);
        return;
    case 16: {
        std::uint8_t* p = row + 2 * x;
        p[0] = std::uint8_t(value);
        p[1] = std::uint8_t(value >> 8);
        return;
    }
    case 24: {
        std::uint8_t* p = row + 3 * x;
        p[0] = std::uint8_t(value);
        p[1] = std::uint8_t(value >> 8);
        p[2] = std::uint8_t(value >> 16);
        return;
    }
    default: {
        std::uint8_t* p = row + 4 * x;
        p[0] = std::uint8_t(value);
        p[1] = std::uint8_t(value >> 8);
        p[2] = std::uint8_t(value >> 16);
        p[3] = std::uint8_t(value >> 24);
        return;
    }
    }
}

// The value with every bit of the depth set.
constexpr std::uint32_t AllOnes(int bitsPerPixel)
{
    return bitsPerPixel >= 32 ? 0xFFFFFFFFu : (1u << bitsPerPixel) - 1u;
}

}  // namespace tolv::pixel
