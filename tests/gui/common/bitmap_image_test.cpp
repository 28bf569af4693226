#include "gui/common/bitmap_image.h"

#include <gtest/gtest.h>

namespace tolv::gui {
namespace {

// The canvas shows 16-bit samples as the colours the bitmap reads, rounded
// to 8 bits, not their high bytes.
TEST(BitmapImage, SixteenBitSamplesShowAsTheirRoundedColours)
{
    for (const int depth : {48, 64}) {
        Bitmap bitmap(2, 1, depth);
        bitmap.setValue(0, 0, 0x0000'FF00'41FF'00FF);
        bitmap.setValue(1, 0, 0xFFFF'0081'FFFF'0080);
        const QImage image = ToQImage(bitmap);
        EXPECT_EQ(image.pixel(0, 0), qRgb(254, 66, 1)) << depth;
        EXPECT_EQ(image.pixel(1, 0), qRgb(1, 255, 0)) << depth;
    }
}

}  // namespace
}  // namespace tolv::gui
