#include "platform/image/raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace tolv {
namespace {

constexpr Color Magenta = RGB(255, 0, 255);
const std::vector<Color> Background = {colors::Silver, colors::Maroon, colors::Green, colors::Aqua, colors::White};
const std::vector<Color> OverlayColors = {colors::Red, colors::Lime, colors::Blue, colors::Yellow};

struct TargetKind {
    const char* name;
    int bitsPerPixel;
    std::vector<Color> palette;
    // Whether black is the all-zero value, so an overlay may use it.
    bool blackIsZero;
};

std::vector<Color> PaletteWithBlackAt(std::size_t index)
{
    std::vector<Color> palette = Background;
    palette.insert(palette.end(), OverlayColors.begin(), OverlayColors.end());
    palette.insert(palette.begin() + std::ptrdiff_t(index), colors::Black);
    return palette;
}

Color BackgroundAt(int x, int y)
{
    return Background[std::size_t(x * 7 + y * 3) % Background.size()];
}

Bitmap Frame(const TargetKind& kind, int width, int height)
{
    Bitmap frame(width, height, kind.bitsPerPixel, kind.palette);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.setPixel(x, y, BackgroundAt(x, y));
    return frame;
}

// Every pixel is as `expected` says; nullopt-like "keep" is the background.
void ExpectPixels(const Bitmap& frame, const std::function<Color(int, int)>& expected)
{
    int wrong = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) != expected(x, y) && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << frame.pixel(x, y) << " not "
                              << expected(x, y);
}

class RasterOnTarget : public testing::TestWithParam<TargetKind> {};

void TextBox(Canvas& canvas, const Rect& area, int lineWidth, Color fill)
{
    const int a = lineWidth / 2;
    canvas.brush = {fill, BrushStyle::Solid, nullptr};
    canvas.pen = {colors::Black, lineWidth, PenStyle::Solid, PenMode::Copy};
    canvas.rectangle({area.left + a, area.top + a, area.right - a, area.bottom - a});
}

TEST_P(RasterOnTarget, TextBoxOutlineStaysInsideItsRegion)
{
    for (const int lineWidth : {1, 2, 3, 4, 5}) {
        Bitmap frame = Frame(GetParam(), 140, 90);
        Canvas canvas(frame);
        const Rect body{10, 10, 110, 60};
        const Rect strip{10, 10, 110, 30};
        TextBox(canvas, body, lineWidth, colors::Yellow);
        TextBox(canvas, strip, lineWidth, colors::Red);
        auto within = [&](const Rect& r, int x, int y) {
            return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
        };
        auto onEdge = [&](const Rect& r, int x, int y) {
            return x < r.left + lineWidth || x >= r.right - lineWidth || y < r.top + lineWidth
                   || y >= r.bottom - lineWidth;
        };
        SCOPED_TRACE(lineWidth);
        ExpectPixels(frame, [&](int x, int y) {
            if (within(strip, x, y))
                return onEdge(strip, x, y) ? colors::Black : colors::Red;
            if (within(body, x, y))
                return onEdge(body, x, y) ? colors::Black : colors::Yellow;
            return BackgroundAt(x, y);
        });
    }
}

// Builds the mask and the blackened overlay as the overlay loader does, then
// composites them: AND the mask, OR the overlay.
void MergeOverlay(Bitmap& frame, const Bitmap& overlay, int left, int top)
{
    Bitmap image = overlay;
    Bitmap mask = MakeMask(image, image.pixel(0, 0));
    const Rect all{0, 0, image.width(), image.height()};
    Canvas(mask).copyRect(all, mask, all, RasterOp::DstInvert);
    Canvas(image).copyRect(all, mask, all, RasterOp::SrcAnd);
    Canvas(mask).copyRect(all, mask, all, RasterOp::DstInvert);

    Canvas canvas(frame);
    const Rect to{left, top, left + image.width(), top + image.height()};
    canvas.copyRect(to, mask, all, RasterOp::SrcAnd);
    canvas.copyRect(to, image, all, RasterOp::SrcPaint);
}

Bitmap Overlay(int width, int height, int bitsPerPixel, std::vector<Color> palette, bool withBlack)
{
    std::vector<Color> colours = OverlayColors;
    if (withBlack)
        colours.push_back(colors::Black);
    Bitmap overlay(width, height, bitsPerPixel, std::move(palette));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            overlay.setPixel(x, y, (x + y) % 3 == 0 ? Magenta : colours[std::size_t(x * 5 + y) % colours.size()]);
    return overlay;
}

void ExpectMerged(const Bitmap& frame, const Bitmap& overlay, int left, int top)
{
    ExpectPixels(frame, [&](int x, int y) {
        const int ox = x - left;
        const int oy = y - top;
        if (ox < 0 || oy < 0 || ox >= overlay.width() || oy >= overlay.height() || overlay.pixel(ox, oy) == Magenta)
            return BackgroundAt(x, y);
        return overlay.pixel(ox, oy);
    });
}

TEST_P(RasterOnTarget, OverlayKeyColourLeavesTheFrameAndTheRestIsCopied)
{
    const TargetKind& kind = GetParam();
    const Bitmap overlay = Overlay(30, 20, 24, {}, kind.blackIsZero);
    for (const auto& [left, top] : {std::pair{12, 7}, std::pair{-5, -3}, std::pair{50, 35}}) {
        Bitmap frame = Frame(kind, 60, 40);
        MergeOverlay(frame, overlay, left, top);
        SCOPED_TRACE(testing::Message() << left << "," << top);
        ExpectMerged(frame, overlay, left, top);
    }
}

TEST_P(RasterOnTarget, PaletteOverlayWhoseFirstEntryIsBlack)
{
    const TargetKind& kind = GetParam();
    std::vector<Color> palette = {colors::Black, Magenta};
    palette.insert(palette.end(), OverlayColors.begin(), OverlayColors.end());
    const Bitmap overlay = Overlay(17, 9, 8, palette, kind.blackIsZero);
    Bitmap frame = Frame(kind, 40, 30);
    MergeOverlay(frame, overlay, 3, 4);
    ExpectMerged(frame, overlay, 3, 4);
}

TEST_P(RasterOnTarget, CleanEdgesChangeOnlyTheFirstColumnAndRow)
{
    Bitmap frame = Frame(GetParam(), 640, 480);
    frame.setPixel(1, 1, colors::Green);
    Canvas canvas(frame);
    canvas.pen = {canvas.pixel(1, 1), 1, PenStyle::Solid, PenMode::Copy};
    canvas.moveTo(0, 480);
    canvas.lineTo(0, 0);
    canvas.lineTo(640, 0);
    canvas.lineTo(640, 480);
    canvas.lineTo(0, 480);
    ExpectPixels(frame, [](int x, int y) {
        if (x == 0 || y == 0 || (x == 1 && y == 1))
            return colors::Green;
        return BackgroundAt(x, y);
    });
}

TEST_P(RasterOnTarget, CheckerboardBrushTilesFromTheOrigin)
{
    Bitmap board(32, 32, 24);
    Canvas boardCanvas(board);
    boardCanvas.fillRect({0, 0, 32, 32});
    boardCanvas.brush.color = colors::Silver;
    boardCanvas.fillRect({0, 0, 16, 16});
    boardCanvas.fillRect({16, 16, 32, 32});

    Bitmap frame = Frame(GetParam(), 100, 70);
    Canvas canvas(frame);
    canvas.brush = {colors::Black, BrushStyle::Pattern, &board};
    canvas.fillRect({-10, 5, 1000, 1000});
    ExpectPixels(frame, [](int x, int y) {
        if (y < 5)
            return BackgroundAt(x, y);
        return (x / 16 + y / 16) % 2 == 0 ? colors::Silver : colors::White;
    });
}

INSTANTIATE_TEST_SUITE_P(Targets, RasterOnTarget,
                         testing::Values(TargetKind{"Rgb24", 24, {}, true},
                                         TargetKind{"Palette8", 8, PaletteWithBlackAt(0), true},
                                         TargetKind{"Palette8BlackLater", 8, PaletteWithBlackAt(4), false},
                                         TargetKind{"Palette4", 4, PaletteWithBlackAt(0), true},
                                         TargetKind{"Rgb48", 48, {}, true}, TargetKind{"Rgba64", 64, {}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RasterLines, ExcludeTheEndPointFollowTheStyleAndXorBack)
{
    Bitmap frame(20, 4, 24);
    Canvas canvas(frame);
    canvas.pen = {colors::Red, 1, PenStyle::Dot, PenMode::Copy};
    canvas.moveTo(0, 1);
    canvas.lineTo(12, 1);
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(frame.pixel(x, 1), x < 12 && x % 6 < 3 ? colors::Red : colors::Black) << x;

    const Bitmap before = frame;
    canvas.pen = {colors::White, 1, PenStyle::Solid, PenMode::Xor};
    for (int pass = 0; pass < 2; ++pass) {
        canvas.moveTo(-3, -2);
        canvas.lineTo(25, 5);
    }
    EXPECT_EQ(frame, before);
}

TEST(RasterRectangle, XorOutlineOfAWidePenTogglesEachPixelOnce)
{
    Bitmap frame(30, 20, 8, {colors::Black, colors::White});
    Canvas canvas(frame);
    canvas.pen = {colors::White, 4, PenStyle::Solid, PenMode::Xor};
    canvas.brush.style = BrushStyle::Clear;
    canvas.rectangle({5, 5, 8, 11});  // 3 wide: the left and right bands overlap
    int set = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool inBand = x >= 3 && x < 10 && y >= 3 && y < 13;
            EXPECT_EQ(frame.value(x, y), inBand ? 1u : 0u) << x << "," << y;
            set += int(frame.value(x, y));
        }
    EXPECT_EQ(set, 7 * 10);
    canvas.rectangle({5, 5, 8, 11});
    EXPECT_EQ(frame, Bitmap(30, 20, 8, {colors::Black, colors::White}));
}

TEST(RasterLines, DiagonalStepsOnePixelPerColumn)
{
    Bitmap frame(8, 8, 8, {colors::Black, colors::White});
    Canvas canvas(frame);
    canvas.pen.color = colors::White;
    canvas.moveTo(0, 0);
    canvas.lineTo(6, 3);
    const int expectedRow[6] = {0, 1, 1, 2, 2, 3};  // a half steps on
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(frame.value(x, y), x < 6 && y == expectedRow[x] ? 1u : 0u) << x << "," << y;
}

TEST(RasterClipping, FarOffShapesTouchOnlyWhatLiesOnTheBitmap)
{
    Bitmap frame(50, 40, 24);
    Canvas canvas(frame);
    canvas.pen = {colors::Red, 5, PenStyle::Solid, PenMode::Copy};
    canvas.brush.color = colors::Blue;
    canvas.rectangle({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_EQ(frame.pixel(0, 0), colors::Blue);
    canvas.rectangle({INT_MAX, INT_MAX, INT_MIN, INT_MIN});
    canvas.pen.width = 1;
    canvas.moveTo(-2000000000, 20);
    canvas.lineTo(2000000000, 20);
    canvas.moveTo(-2000000000, -2000000000);
    canvas.lineTo(2000000000, 2000000000);
    canvas.fillRect({-2000000000, 10, 2000000000, 11});
    canvas.copyRect({INT_MIN, 30, INT_MAX, 31}, frame, {0, 10, 1, 11}, RasterOp::SrcPaint);
    for (int x = 0; x < 50; ++x) {
        EXPECT_EQ(frame.pixel(x, 10), colors::Blue);
        EXPECT_EQ(frame.pixel(x, 20), colors::Red);
    }
    EXPECT_EQ(frame.pixel(35, 35), colors::Red);
}

TEST(RasterCopy, ConvertsFormatsAndReadsZeroOutsideTheSource)
{
    Bitmap indexed(4, 2, 8, {colors::Blue, colors::Lime});
    indexed.setValue(1, 0, 1);
    Bitmap rgb(6, 3, 24);
    Canvas canvas(rgb);
    canvas.brush.color = colors::White;
    canvas.fillRect({0, 0, 6, 3});
    canvas.copyRect({1, 1, 6, 3}, indexed, {0, 0, 5, 2}, RasterOp::SrcCopy);
    EXPECT_EQ(rgb.pixel(0, 1), colors::White);
    EXPECT_EQ(rgb.pixel(1, 1), colors::Blue);
    EXPECT_EQ(rgb.pixel(2, 1), colors::Lime);
    EXPECT_EQ(rgb.pixel(5, 1), colors::Black) << "beyond the source's right edge";

    Bitmap mask(2, 1, 1, {colors::Black, colors::White});
    mask.setValue(1, 0, 1);
    Bitmap nibbles(2, 1, 4, {colors::Red, colors::Green, colors::Blue});
    nibbles.setValue(0, 0, 2);
    nibbles.setValue(1, 0, 2);
    Canvas(nibbles).copyRect({0, 0, 2, 1}, mask, {0, 0, 2, 1}, RasterOp::SrcPaint);
    EXPECT_EQ(nibbles.value(0, 0), 2u);
    EXPECT_EQ(nibbles.value(1, 0), 15u) << "bit 1 is the all-one value";
}

// The copy rule on 16-bit samples: a mask gives the all-zero and all-one
// values, an 8-bit colour c becomes c * 257 (opaque where there is alpha),
// OR keeps a source 0 as 0, and the ops combine the values bit by bit.
TEST(RasterCopy, SixteenBitTargetsFollowTheCopyRule)
{
    // The target's value before the copy, what the source's black and colour
    // convert to, and the depth's all-one value.
    struct Values {
        std::uint64_t target, black, colour, ones;
    };
    struct Case {
        const char* name;
        RasterOp op;
        bool maskSource;
        // The target after the copy at source pixel 0 (mask 0, black) and 1.
        std::uint64_t (*expected)(int pixel, const Values& v);
    };
    const Case cases[] = {
        {"mask copy", RasterOp::SrcCopy, true, [](int p, const Values& v) { return p == 0 ? 0 : v.ones; }},
        {"mask and", RasterOp::SrcAnd, true, [](int p, const Values& v) { return p == 0 ? 0 : v.target; }},
        {"mask or", RasterOp::SrcPaint, true, [](int p, const Values& v) { return p == 0 ? v.target : v.ones; }},
        {"colour copy", RasterOp::SrcCopy, false, [](int p, const Values& v) { return p == 0 ? v.black : v.colour; }},
        {"colour and", RasterOp::SrcAnd, false,
         [](int p, const Values& v) { return v.target & (p == 0 ? v.black : v.colour); }},
        {"colour or", RasterOp::SrcPaint, false,
         [](int p, const Values& v) { return p == 0 ? v.target : v.target | v.colour; }},
        {"invert", RasterOp::DstInvert, false, [](int, const Values& v) { return v.target ^ v.ones; }},
    };
    Bitmap mask(2, 1, 1, {colors::Black, colors::White});
    mask.setValue(1, 0, 1);
    Bitmap colours(2, 1, 24);
    colours.setPixel(1, 0, RGB(0x12, 0x80, 0xFE));
    for (const int depth : {48, 64}) {
        const std::uint64_t alpha = depth == 64 ? 0xFFFF'0000'0000'0000 : 0;
        const std::uint64_t ones = alpha | 0xFFFF'FFFF'FFFF;
        const Values v{0x8001'41FF'00FF'7F80 & ones, alpha, alpha | 0x1212'8080'FEFE, ones};
        for (const Case& k : cases) {
            Bitmap target(2, 1, depth);
            target.setValue(0, 0, v.target);
            target.setValue(1, 0, v.target);
            Canvas(target).copyRect({0, 0, 2, 1}, k.maskSource ? mask : colours, {0, 0, 2, 1}, k.op);
            for (const int p : {0, 1})
                EXPECT_EQ(target.value(p, 0), k.expected(p, v)) << depth << " " << k.name << " " << p;
        }
    }
}

TEST(RasterCopy, OverlappingCopyWithinOneBitmap)
{
    Bitmap row(5, 1, 32);
    for (int x = 0; x < 5; ++x)
        row.setValue(x, 0, std::uint32_t(x));
    Canvas(row).copyRect({1, 0, 5, 1}, row, {0, 0, 4, 1}, RasterOp::SrcCopy);
    for (int x = 1; x < 5; ++x)
        EXPECT_EQ(row.value(x, 0), std::uint32_t(x - 1));
}

TEST(RasterMask, MarksEveryValueOfTheKeyColour)
{
    Bitmap indexed(3, 1, 8, {Magenta, colors::Red, Magenta});
    indexed.setValue(1, 0, 1);
    indexed.setValue(2, 0, 2);
    const Bitmap mask = MakeMask(indexed, Magenta);
    ASSERT_EQ(mask.bitsPerPixel(), 1);
    EXPECT_EQ(mask.pixel(0, 0), colors::White);
    EXPECT_EQ(mask.pixel(1, 0), colors::Black);
    EXPECT_EQ(mask.pixel(2, 0), colors::White);
}

}  // namespace
}  // namespace tolv
