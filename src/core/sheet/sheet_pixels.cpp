#include "sheet/sheet_pixels.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace tolv {

namespace {

// Whether a pixel value shows: by alpha, or by differing from the corner.
std::function<bool(std::uint32_t)> ShowsTest(const Bitmap& clip)
{
    if (clip.masks().alpha != 0)
        return [&clip](std::uint32_t value) { return clip.alphaOf(value) > 0; };
    if (!clip.paletteAlpha().empty()) {
        return [&clip](std::uint32_t value) {
            const std::vector<std::uint8_t>& alpha = clip.paletteAlpha();
            return value >= alpha.size() || alpha[value] > 0;
        };
    }
    const std::uint32_t corner = clip.value(0, 0);
    return [corner](std::uint32_t value) { return value != corner; };
}

}  // namespace

SheetBox OpaqueBox(const Bitmap& clip)
{
    const auto shows = ShowsTest(clip);
    int left = clip.width();
    int top = clip.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < clip.height(); ++y) {
        for (int x = 0; x < clip.width(); ++x) {
            if (!shows(clip.value(x, y)))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {0, 0, 1, 1};
    return {left, top, right - left + 1, bottom - top + 1};
}

void CopyArea(const Bitmap& from, const SheetBox& area, Bitmap& to, int x, int y, int extrude)
{
    const int firstY = std::max(0, y - extrude);
    const int lastY = std::min(to.height(), y + area.height + extrude);
    const int firstX = std::max(0, x - extrude);
    const int lastX = std::min(to.width(), x + area.width + extrude);
    for (int ty = firstY; ty < lastY; ++ty) {
        const int fy = area.y + std::clamp(ty - y, 0, area.height - 1);
        for (int tx = firstX; tx < lastX; ++tx) {
            const int fx = area.x + std::clamp(tx - x, 0, area.width - 1);
            to.setValue(tx, ty, from.value(fx, fy));
        }
    }
}

Bitmap CropArea(const Bitmap& from, const SheetBox& area)
{
    Bitmap crop = Bitmap::SameFormat(from, area.width, area.height);
    CopyArea(from, area, crop, 0, 0, 0);
    return crop;
}

}  // namespace tolv
