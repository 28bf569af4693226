#include "extract/prefilter.h"

#include "editor/frame_marks.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <limits>

namespace tolv {
namespace {

using test::PatternFrame;

constexpr Color Magenta = RGB(255, 0, 255);

// Magenta (the key, as at 0,0) on every third diagonal, opaque colours
// elsewhere, one near-magenta pixel that must stay opaque, and an opaque black
// one that must not be taken for transparent.
Bitmap KeyedOverlay(int width, int height)
{
    Bitmap overlay(width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool key = (x + y) % 3 == 0;
            overlay.setPixel(x, y, key ? Magenta : RGB(std::uint8_t(x * 5), std::uint8_t(y * 7), 100));
        }
    }
    overlay.setPixel(2, 0, RGB(254, 0, 255));
    overlay.setPixel(4, 0, colors::Black);
    return overlay;
}

// The frame after merging `overlay` at (left, top), limited to width x height.
Bitmap MergedByHand(Bitmap frame, const Bitmap& overlay, int left, int top, int width, int height)
{
    for (int y = 0; y < std::min(height, overlay.height()); ++y) {
        for (int x = 0; x < std::min(width, overlay.width()); ++x) {
            const int fx = left + x;
            const int fy = top + y;
            const bool onFrame = fx >= 0 && fy >= 0 && fx < frame.width() && fy < frame.height();
            if (onFrame && overlay.pixel(x, y) != Magenta) {
                frame.setValue(fx, fy, frame.valueOf(overlay.pixel(x, y)));
            }
        }
    }
    return frame;
}

Bitmap PaletteFrameWithBlackFirst(int width, int height)
{
    std::vector<Color> palette = test::RepeatingPalette();
    palette[0] = colors::Black;
    Bitmap frame(width, height, 8, palette);
    const Bitmap pattern = PatternFrame(width, height, 8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            frame.setValue(x, y, pattern.value(x, y));
        }
    }
    return frame;
}

struct MergeCase {
    const char* name;
    int depth;  // 24, 48 or 64, or 8 with black at entry 0, or -8 without black at 0
    int left, top, width, height;
};

class MergeOverlayTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeOverlayTest, KeyPixelsLeaveTheFrameAndOthersReplaceIt)
{
    const MergeCase& c = GetParam();
    test::TempDir dir;
    test::ProjectBuilder build(dir.path().string());
    const Bitmap overlay = KeyedOverlay(30, 20);
    Region& region = build.overlay(c.left, c.top, 1, 1, overlay, {});
    // The loader grows a small region to the overlay; the cases set their own size.
    region.Width = c.width;
    region.Height = c.height;
    Bitmap frame = c.depth >= 24  ? PatternFrame(80, 60, c.depth)
                   : c.depth == 8 ? PaletteFrameWithBlackFirst(80, 60)
                                  : PatternFrame(80, 60, 8);

    const Bitmap expected = MergedByHand(frame, overlay, c.left, c.top, c.width, c.height);
    MergeOverlay(frame, region);
    EXPECT_TRUE(frame == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, MergeOverlayTest,
    testing::Values(MergeCase{"SameSize24", 24, 10, 5, 30, 20}, MergeCase{"RegionLarger24", 24, 10, 5, 60, 50},
                    MergeCase{"RegionSmallerCuts24", 24, 10, 5, 12, 7},
                    MergeCase{"PartlyOffFrame24", 24, -7, 45, 30, 20}, MergeCase{"Palette8", 8, 10, 5, 60, 50},
                    MergeCase{"PaletteWithoutBlackFirst8", -8, 10, 5, 60, 50}, MergeCase{"Rgb48", 48, 10, 5, 60, 50},
                    MergeCase{"PartlyOffFrameRgba64", 64, -7, 45, 30, 20},
                    MergeCase{"OffFrameEntirely", 24, 500, 500, 30, 20}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MergeOverlayTest, RegionWithoutOverlayBitmapsPaintsNothing)
{
    Region region(0, 0, 20, 20);
    region.RegionType = RegionKind::Overlay;
    Bitmap frame = PatternFrame(40, 30, 24);
    const Bitmap before = frame;
    MergeOverlay(frame, region);
    EXPECT_TRUE(frame == before);
}

// Reference drawing of a one-pixel outlined, filled rectangle.
void OutlinedBox(Bitmap& bitmap, int left, int top, int right, int bottom, Color fill)
{
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const bool edge = x == left || y == top || x == right - 1 || y == bottom - 1;
            bitmap.setValue(x, y, bitmap.valueOf(edge ? colors::Black : fill));
        }
    }
}

Region TextBoxRegion(bool title, int lineWidth)
{
    Region box(10, 10, 100, 50);
    box.RegionType = RegionKind::TextBox;
    box.Title = title;
    box.LineWidth = lineWidth;
    box.TitleHeight = 20;
    box.TitleColor = colors::Maroon;
    box.BoxColor = colors::Yellow;
    return box;
}

struct BoxCase {
    const char* name;
    bool title;
    int depth;
};

class ThinTextBoxTest : public testing::TestWithParam<BoxCase> {};

TEST_P(ThinTextBoxTest, PaintsBodyAndTitleExactly)
{
    const BoxCase& c = GetParam();
    Bitmap frame = PatternFrame(160, 90, c.depth);
    Bitmap expected = frame;
    OutlinedBox(expected, 10, 10, 110, 60, colors::Yellow);
    if (c.title) {
        OutlinedBox(expected, 10, 10, 110, 30, colors::Maroon);
    }
    PaintTextBox(frame, TextBoxRegion(c.title, 1));
    EXPECT_TRUE(frame == expected);
}

INSTANTIATE_TEST_SUITE_P(Variants, ThinTextBoxTest,
                         testing::Values(BoxCase{"Plain", false, 24}, BoxCase{"Titled", true, 24},
                                         BoxCase{"TitledPalette", true, 8}, BoxCase{"Titled48", true, 48},
                                         BoxCase{"Titled64", true, 64}),
                         [](const auto& info) { return std::string(info.param.name); });

class WideOutlineTest : public testing::TestWithParam<int> {};

TEST_P(WideOutlineTest, StaysInsideTheRegion)
{
    const int lineWidth = GetParam();
    const int inset = lineWidth / 2;
    Bitmap frame = PatternFrame(160, 90, 24);
    const Bitmap before = frame;
    PaintTextBox(frame, TextBoxRegion(true, lineWidth));

    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            if (x < 10 || x >= 110 || y < 10 || y >= 60) {
                ASSERT_EQ(frame.value(x, y), before.value(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(frame.pixel(10 + inset, 45), colors::Black);
    EXPECT_EQ(frame.pixel(60, 10 + inset), colors::Black);
    EXPECT_EQ(frame.pixel(60, 20), colors::Maroon);
    EXPECT_EQ(frame.pixel(60, 45), colors::Yellow);
}

INSTANTIATE_TEST_SUITE_P(LineWidths, WideOutlineTest, testing::Values(2, 3, 4, 5));

TEST(TextBoxTest, GeometryAtTheEndsOfTheIntRangePaintsNothingOnTheFrame)
{
    constexpr int Max = std::numeric_limits<int>::max();
    constexpr int Min = std::numeric_limits<int>::min();
    Bitmap frame = PatternFrame(40, 30, 24);
    const Bitmap before = frame;
    for (const auto& [left, width] : {std::pair{Max - 5, 100}, std::pair{Min, -100}, std::pair{Max, Max}}) {
        Region box = TextBoxRegion(true, 5);
        box.Left = left;
        box.Top = left;
        box.Width = width;
        box.Height = width;
        box.TitleHeight = Max;
        PaintTextBox(frame, box);
        EXPECT_TRUE(frame == before) << left << " " << width;
    }
}

TEST(CleanFrameEdgesTest, LeftColumnAndTopRowTakeThePixelAtOneOne)
{
    Bitmap frame = PatternFrame(640, 480, 24);
    Bitmap expected = frame;
    const std::uint32_t edge = frame.value(1, 1);
    for (int x = 0; x < 640; ++x) {
        expected.setValue(x, 0, edge);
    }
    for (int y = 0; y < 480; ++y) {
        expected.setValue(0, y, edge);
    }
    CleanFrameEdges(frame);
    EXPECT_TRUE(frame == expected);
}

TEST(CleanFrameEdgesTest, BitmapWithoutPixelOneOneStaysAsItIs)
{
    for (const auto& [width, height] : {std::pair{1, 5}, std::pair{5, 1}, std::pair{1, 1}}) {
        Bitmap frame = PatternFrame(width, height, 24);
        const Bitmap before = frame;
        CleanFrameEdges(frame);
        EXPECT_TRUE(frame == before) << width << "x" << height;
    }
}

// A titled text box listed before an overlay that overlaps it, both on f1.bmp.
class PassesTest : public testing::Test {
protected:
    void SetUp() override
    {
        Region& box = build.textBox(20, 20, 80, 60, {{"f1.bmp", ""}});
        box.Title = true;
        box.BoxColor = colors::Yellow;
        box.TitleColor = colors::Maroon;
        Bitmap solid(60, 40, 24);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 60; ++x) {
                solid.setPixel(x, y, (x == 0 && y == 0) ? Magenta : colors::Aqua);
            }
        }
        build.overlay(40, 50, 60, 40, solid, {{"F1.BMP", ""}});
        build.region(RegionKind::Clip, 0, 0, 200, 120, {{"f1.bmp", "c.bmp"}});
    }

    Region& box() { return *build.project.Regions[0]; }
    PaintedRegions on(const char* frameName) const { return RegionsPaintedOn(build.project, frameName); }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    Bitmap frame = PatternFrame(200, 120, 24);
};

TEST_F(PassesTest, EditorPaintsInListOrderExtractionOverlaysFirst)
{
    Bitmap display = frame;
    PaintPrefilterRegions(display, build.project, on("f1.bmp"), false);
    EXPECT_EQ(display.pixel(60, 60), colors::Aqua);
    EXPECT_EQ(display.pixel(30, 60), colors::Yellow);

    PrefilterFrame(frame, on("f1.bmp"));
    EXPECT_EQ(frame.pixel(60, 60), colors::Yellow);
    EXPECT_EQ(frame.pixel(30, 60), colors::Yellow);
    EXPECT_EQ(frame.pixel(90, 85), colors::Aqua);
}

TEST_F(PassesTest, HiddenBoxIsExtractedButShownOnlyWithShowPaintAll)
{
    box().Visible = false;
    Bitmap display = frame;
    PaintPrefilterRegions(display, build.project, on("f1.bmp"), false);
    EXPECT_EQ(display.value(30, 60), frame.value(30, 60));

    PaintPrefilterRegions(display, build.project, on("f1.bmp"), true);
    EXPECT_EQ(display.pixel(30, 60), colors::Yellow);

    PrefilterFrame(frame, on("f1.bmp"));
    EXPECT_EQ(frame.pixel(30, 60), colors::Yellow);
}

TEST_F(PassesTest, RegionsNotOnTheFrameArePaintedOnlyWithShowPaintAll)
{
    const Bitmap before = frame;
    Bitmap work = frame;
    PrefilterFrame(work, on("f2.bmp"));
    EXPECT_TRUE(work == before);

    Bitmap display = frame;
    PaintPrefilterRegions(display, build.project, on("f2.bmp"), false);
    EXPECT_TRUE(display == before);
    PaintPrefilterRegions(display, build.project, on("f2.bmp"), true);
    EXPECT_EQ(display.pixel(60, 60), colors::Aqua);
    // The clip region covers the whole frame but is never painted.
    EXPECT_EQ(display.value(150, 10), before.value(150, 10));
}

}  // namespace
}  // namespace tolv
