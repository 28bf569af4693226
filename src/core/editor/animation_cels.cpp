#include "editor/animation_cels.h"

#include "platform/errors.h"
#include "platform/image/image_file.h"
#include "platform/image/raster.h"

#include <cstdint>

namespace tolv {

namespace {

constexpr int CelDepth = 24;

// Checked in 64 bits before anything is allocated: a region's sides come
// from the project file and may be anything.
void CheckCelSize(const Region& region, int celCount)
{
    const bool sidesValid =
        region.Width >= 1 && region.Height >= 1 && region.Width <= MaxBitmapSide && region.Height <= MaxBitmapSide;
    if (!sidesValid)
        throw TolvError("Region is too large to animate");
    const std::uint64_t celBytes = std::uint64_t(Bitmap::RowStride(region.Width, CelDepth)) * region.Height;
    if (celBytes * std::uint64_t(celCount) > MaxCelBytes)
        throw TolvError("Region is too large to animate");
}

// The raster copy treats a 1-bit source as a mask (black and white); a
// monochrome frame keeps its own two colours when it is widened to 8 bits
// with the same palette first.
Bitmap WidenMonochrome(const Bitmap& frame)
{
    Bitmap wide(frame.width(), frame.height(), 8, frame.palette());
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x)
            wide.setValue(x, y, frame.value(x, y));
    }
    return wide;
}

Bitmap CutCel(Bitmap frame, const Region& region)
{
    if (frame.bitsPerPixel() == 1)
        frame = WidenMonochrome(frame);
    Bitmap cel(region.Width, region.Height, CelDepth);
    Canvas(cel).copyRect(Rect{0, 0, region.Width, region.Height}, frame,
                         Rect{region.Left, region.Top, region.right(), region.bottom()}, RasterOp::SrcCopy);
    return cel;
}

}  // namespace

int CelFrameCount(const Region& region)
{
    int count = 0;
    for (int row = 0; row < AnimationRows; ++row) {
        if (!region.InputFrame[row].empty())
            ++count;
    }
    return count;
}

std::vector<Bitmap> MakeAnimationCels(const Project& project, const Region& region)
{
    const int celCount = CelFrameCount(region);
    std::vector<Bitmap> cels;
    if (celCount == 0)
        return cels;
    CheckCelSize(region, celCount);
    cels.reserve(std::size_t(celCount));
    for (int row = 0; row < AnimationRows; ++row) {
        const std::string& frameName = region.InputFrame[row];
        if (!frameName.empty())
            cels.push_back(CutCel(LoadImageFile(project.FramePath(frameName)), region));
    }
    return cels;
}

int NextCelPos(int celPos, int celCount)
{
    return celPos >= celCount ? 1 : celPos + 1;
}

}  // namespace tolv
