#include "extract/clip_cut.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tolv {

namespace {

// The span of `area` that lies on the frame, in clip coordinates.
struct Overlap {
    int x0, y0, x1, y1;
    bool empty() const { return x1 <= x0 || y1 <= y0; }
};

// Computed in 64 bits: a region may sit anywhere in the int range.
Overlap OverlapOf(const Bitmap& frame, const ClipArea& area)
{
    auto from = [](std::int64_t origin, int size) { return int(std::clamp<std::int64_t>(-origin, 0, size)); };
    auto to = [](std::int64_t origin, int size, int frameSize) {
        return int(std::clamp<std::int64_t>(frameSize - origin, 0, size));
    };
    return Overlap{from(area.left, area.width), from(area.top, area.height), to(area.left, area.width, frame.width()),
                   to(area.top, area.height, frame.height())};
}

bool Whole(const Overlap& span, const ClipArea& area)
{
    return span.x0 == 0 && span.y0 == 0 && span.x1 == area.width && span.y1 == area.height;
}

// Whole bytes per pixel: one memcpy per row.
void CopyRows(const Bitmap& frame, const ClipArea& area, const Overlap& span, Bitmap& clip)
{
    const std::size_t bytesPerPixel = std::size_t(frame.bitsPerPixel()) / 8;
    const std::size_t length = std::size_t(span.x1 - span.x0) * bytesPerPixel;
    for (int y = span.y0; y < span.y1; ++y) {
        const std::uint8_t* from = frame.row(area.top + y) + std::size_t(area.left + span.x0) * bytesPerPixel;
        std::memcpy(clip.row(y) + std::size_t(span.x0) * bytesPerPixel, from, length);
    }
}

// A clip of whole-byte pixels that lies on the frame: every row is copied
// whole, so only the padding needs clearing.
Bitmap CopyInside(const Bitmap& frame, const ClipArea& area, const Overlap& span, Bitmap&& spent)
{
    Bitmap clip = Bitmap::ForOverwrite(area.width, area.height, frame.bitsPerPixel(), frame.palette(), frame.masks(),
                                       std::move(spent));
    clip.setPaletteAlpha(frame.paletteAlpha());
    clip.setResolution(frame.resolution());
    clip.shareColourChunks(frame);
    CopyRows(frame, area, span, clip);
    const std::size_t used = std::size_t(area.width) * std::size_t(frame.bitsPerPixel() / 8);
    for (int y = 0; y < area.height; ++y) {
        std::memset(clip.row(y) + used, 0, clip.stride() - used);
    }
    return clip;
}

// 1 and 4 bits per pixel: a clip edge may fall inside a byte.
void CopyPixels(const Bitmap& frame, const ClipArea& area, const Overlap& span, Bitmap& clip)
{
    for (int y = span.y0; y < span.y1; ++y) {
        for (int x = span.x0; x < span.x1; ++x) {
            clip.setValue(x, y, frame.value(area.left + x, area.top + y));
        }
    }
}

}  // namespace

bool IsWritableBitmapSize(int width, int height, int bitsPerPixel)
{
    if (width < 1 || height < 1 || width > MaxBitmapSide || height > MaxBitmapSide) {
        return false;
    }
    return Bitmap::RowStride(width, bitsPerPixel) * std::size_t(height) <= MaxBitmapBytes;
}

bool LiesOnFrame(const Bitmap& frame, const ClipArea& area)
{
    return Whole(OverlapOf(frame, area), area);
}

Bitmap CutClip(const Bitmap& frame, const ClipArea& area, Bitmap&& spent)
{
    const Overlap span = OverlapOf(frame, area);
    if (Whole(span, area) && frame.bitsPerPixel() >= 8) {
        return CopyInside(frame, area, span, std::move(spent));
    }
    Bitmap clip = Bitmap::SameFormat(frame, area.width, area.height);
    if (span.empty()) {
        return clip;
    }
    if (frame.bitsPerPixel() >= 8) {
        CopyRows(frame, area, span, clip);
    } else {
        CopyPixels(frame, area, span, clip);
    }
    return clip;
}

}  // namespace tolv
