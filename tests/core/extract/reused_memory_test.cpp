// What the run keeps from frame to frame: clip memory and overlays converted
// to the frame's format. Neither may change a pixel.
#include "extract/clip_cut.h"
#include "extract/prefilter.h"
#include "platform/image/atomic_bmp.h"
#include "platform/image/image_file.h"

#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

using test::PatternFrame;

constexpr Color Magenta = RGB(255, 0, 255);

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

// What the run writes straight from the frame is the file of the clip it
// would otherwise cut; a clip that needs pixels of its own is left to it.
TEST(ClipWrittenFromTheFrame, IsTheFileOfTheCutClip)
{
    struct Case {
        Bitmap frame;
        ClipArea area;
        bool direct;
    };
    const Bitmap shortPalette(20, 10, 8, {colors::Black, colors::White});
    const std::vector<Case> cases = {
        {PatternFrame(50, 40, 8, 1), {3, 4, 5, 7}, true},  // rows padded to 4 bytes
        {PatternFrame(50, 40, 24, 2), {0, 0, 50, 40}, true},  // the whole frame
        {PatternFrame(50, 40, 32, 3), {10, 9, 13, 1}, true},
        {PatternFrame(50, 40, 24, 2), {45, 0, 10, 10}, false},  // over the edge
        {PatternFrame(50, 40, 4, 5), {3, 4, 5, 7}, false},
        {PatternFrame(20, 10, 48, 6), {1, 1, 5, 5}, false},
        {shortPalette, {1, 1, 5, 5}, false},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        const ClipArea& a = c.area;
        const std::string path = dir.file("clip.bmp");
        AtomicFile file(path);
        const std::optional<std::uint64_t> size =
            WriteBmpOfArea(c.frame, Rect{a.left, a.top, a.left + a.width, a.top + a.height}, file);
        file.commit(false);
        const std::vector<std::uint8_t> cut = EncodeBmp(CutClip(c.frame, a));
        ASSERT_EQ(size.has_value(), c.direct) << c.frame.bitsPerPixel() << " bits at " << a.left << "," << a.top;
        if (c.direct) {
            EXPECT_EQ(*size, cut.size());
            EXPECT_EQ(test::ReadText(path), std::string(cut.begin(), cut.end())) << c.frame.bitsPerPixel() << " bits";
        } else {
            EXPECT_EQ(test::ReadText(path), "");
        }
    }
}

// The same overlay merged through one set of paints into frames of two
// palettes (black entry 0, then black elsewhere) and the 24-bit frame.
TEST(OverlayPaintsTest, EachFrameFormatGetsItsOwnConversion)
{
    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    Bitmap image(12, 8, 24);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            image.setPixel(x, y, (x + y) % 4 == 0 ? Magenta : x % 3 == 0 ? colors::Black : RGB(200, 30, 30));
    image.setPixel(0, 0, Magenta);
    const Region& overlay = build.overlay(2, 3, 12, 8, image, {});

    std::vector<Color> blackFirst{colors::Black, colors::White, RGB(200, 30, 30), Magenta};
    std::vector<Color> blackLast{colors::White, RGB(200, 30, 30), Magenta, colors::Black};
    const Bitmap frames[] = {PatternFrame(20, 16, 8, 1), Bitmap(20, 16, 8, blackFirst), Bitmap(20, 16, 8, blackLast),
                             PatternFrame(20, 16, 24, 2), Bitmap(20, 16, 8, blackFirst)};
    OverlayPaints paints;
    for (const Bitmap& frame : frames) {
        Bitmap cached = frame;
        Bitmap fresh = frame;
        MergeOverlay(cached, overlay, paints);
        MergeOverlay(fresh, overlay);
        EXPECT_EQ(EncodeBmp(cached), EncodeBmp(fresh)) << frame.bitsPerPixel() << " " << frame.palette().size();
    }
}

}  // namespace
}  // namespace tolv
