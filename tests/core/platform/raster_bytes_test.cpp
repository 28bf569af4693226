#include "platform/image/raster.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

Bitmap Noise(int width, std::uint32_t seed)
{
    std::vector<Color> palette(256);
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = Color(i * 0x010203u);
    Bitmap bitmap(width, 2, 8, palette);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setValue(x, y, (std::uint32_t(x + 1) * 2654435761u * seed + std::uint32_t(y)) >> 24);
    return bitmap;
}

// Same-format AND and OR work on several bytes at once; every run length and
// offset must still combine each pixel with its own source pixel only.
TEST(RasterCopy, SameFormatAndOrCombineEachPixelWithItsSource)
{
    for (const RasterOp op : {RasterOp::SrcAnd, RasterOp::SrcPaint}) {
        for (const int width : {1, 7, 8, 9, 17, 31}) {
            for (const int offset : {0, 3}) {
                Bitmap target = Noise(40, 3);
                const Bitmap before = target;
                const Bitmap source = Noise(width + offset, 5);
                Canvas(target).copyRect({offset, 1, offset + width, 2}, source, {offset, 0, offset + width, 1}, op);
                for (int x = 0; x < 40; ++x) {
                    const bool inside = x >= offset && x < offset + width;
                    const std::uint32_t with = inside ? source.value(x, 0) : 0;
                    const std::uint32_t expected = !inside                  ? before.value(x, 1)
                                                   : op == RasterOp::SrcAnd ? (before.value(x, 1) & with)
                                                                            : (before.value(x, 1) | with);
                    EXPECT_EQ(target.value(x, 1), expected) << width << " " << offset << " " << x;
                    EXPECT_EQ(target.value(x, 0), before.value(x, 0));
                }
            }
        }
    }
}

}  // namespace
}  // namespace tolv
