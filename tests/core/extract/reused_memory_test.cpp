// What the run keeps from frame to frame may not change a pixel.
#include "extract/clip_cut.h"

#include "support/project_builder.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

using test::PatternFrame;

TEST(ReusedClipMemory, GivesTheSameFileAsAFreshClip)
{
    Bitmap frame = PatternFrame(50, 40, 24, 1);
    // Row bytes behind the pixels are not the clip's business.
    for (int y = 0; y < frame.height(); ++y)
        std::fill(frame.row(y) + 150, frame.row(y) + frame.stride(), std::uint8_t(0xEE));
    Bitmap spent = PatternFrame(60, 60, 32, 2);
    for (const ClipArea area : {ClipArea{3, 4, 5, 7}, ClipArea{0, 0, 50, 40}, ClipArea{-2, 30, 9, 20}}) {
        const Bitmap clip = CutClip(frame, area, std::move(spent));
        EXPECT_EQ(EncodeBmp(clip), EncodeBmp(CutClip(frame, area))) << area.left << "," << area.top;
        spent = PatternFrame(60, 60, 32, 3);
    }
}

}  // namespace
}  // namespace tolv
