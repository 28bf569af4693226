#pragma once

#include "platform/image/bitmap.h"
#include "platform/image/pixel_access.h"
#include "platform/image/raster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// Horizontal runs of pixels, the unit every fill and copy works in. Callers
// clip first: 0 <= x0 <= x1 <= width, 0 <= y < height.
namespace tolv::span {

// A clipped half-open interval; empty when hi <= lo. Works in 64 bits so that
// rectangles near the int limits cannot overflow.
struct Range {
    std::int64_t lo = 0;
    std::int64_t hi = 0;
    bool empty() const { return hi <= lo; }
};

inline Range Clip(std::int64_t lo, std::int64_t hi, int size)
{
    return {std::max<std::int64_t>(lo, 0), std::min<std::int64_t>(hi, size)};
}

inline void Fill(Bitmap& target, int y, int x0, int x1, std::uint64_t value)
{
    std::uint8_t* row = target.row(y);
    const int bitsPerPixel = target.bitsPerPixel();
    if (bitsPerPixel < 8) {
        for (int x = x0; x < x1; ++x)
            pixel::Store(row, x, bitsPerPixel, value);
        return;
    }
    const std::size_t bytes = std::size_t(bitsPerPixel / 8);
    std::uint8_t* start = row + std::size_t(x0) * bytes;
    const std::size_t total = std::size_t(x1 - x0) * bytes;
    if (total == 0)
        return;
    pixel::Store(start, 0, bitsPerPixel, value);
    // Doubling the filled prefix keeps multi-byte pixels to a few memcpy calls.
    for (std::size_t done = bytes; done < total;) {
        const std::size_t chunk = std::min(done, total - done);
        std::memcpy(start + done, start, chunk);
        done += chunk;
    }
}

inline void Xor(Bitmap& target, int y, int x0, int x1, std::uint64_t value)
{
    std::uint8_t* row = target.row(y);
    const int bitsPerPixel = target.bitsPerPixel();
    for (int x = x0; x < x1; ++x)
        pixel::Store(row, x, bitsPerPixel, pixel::Load(row, x, bitsPerPixel) ^ value);
}

inline void Paint(Bitmap& target, int y, int x0, int x1, std::uint64_t value, PenMode mode)
{
    if (mode == PenMode::Xor)
        Xor(target, y, x0, x1, value);
    else
        Fill(target, y, x0, x1, value);
}

}  // namespace tolv::span
