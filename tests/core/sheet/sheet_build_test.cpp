#include "sheet/sheet_build.h"
#include "sheet/sheet_layout.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

constexpr BitMasks Rgba{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};

// A clip of `width` x `height` with a transparent margin of `margin` pixels
// and a pattern of its own, told apart by `seed`, inside it.
Bitmap MarginedClip(int width, int height, int margin, int bitsPerPixel, std::uint32_t seed)
{
    Bitmap clip(width, height, bitsPerPixel, {}, bitsPerPixel == 32 ? Rgba : BitMasks{});
    for (int y = margin; y < height - margin; ++y) {
        for (int x = margin; x < width - margin; ++x)
            clip.setValue(x, y, (bitsPerPixel == 32 ? 0xFF000000u : 0u) | (seed * 7919u + std::uint32_t(x * 31 + y)));
    }
    return clip;
}

std::vector<SheetFrame> Walk(int bitsPerPixel)
{
    std::vector<SheetFrame> frames;
    for (int i = 0; i < 5; ++i)
        frames.push_back({"walk" + std::to_string(i) + ".png", MarginedClip(12 + i, 9, 1 + i % 2, bitsPerPixel, i)});
    return frames;
}

SheetSource WalkSource()
{
    return {"Walker", {40, 30, 16, 9}, 120, std::nullopt};
}

struct LayoutCase {
    SheetLayout layout;
    int bitsPerPixel;
};

class SheetOfLayout : public testing::TestWithParam<LayoutCase> {};

// What an engine draws for a frame is the output file's pixels, trimmed by
// the offset the atlas records.
TEST_P(SheetOfLayout, EachFrameHoldsItsClipsPixels)
{
    const auto [layout, depth] = GetParam();
    const std::vector<SheetFrame> frames = Walk(depth);
    const BuiltSheet sheet = BuildSheet(frames, layout, WalkSource(), "walk.png");
    ASSERT_EQ(sheet.frames.size(), frames.size());
    EXPECT_TRUE(sheet.image.sameFormat(frames[0].clip));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const AtlasFrame& frame = sheet.frames[i];
        const Bitmap& clip = frames[i].clip;
        EXPECT_EQ(frame.name, frames[i].name);
        EXPECT_EQ(frame.sourceWidth, clip.width());
        EXPECT_EQ(frame.trimmed, layout.Trim);
        EXPECT_EQ(frame.frame.width, frame.spriteSource.width);
        for (int y = 0; y < frame.frame.height; ++y) {
            for (int x = 0; x < frame.frame.width; ++x)
                ASSERT_EQ(sheet.image.value(frame.frame.x + x, frame.frame.y + y),
                          clip.value(frame.spriteSource.x + x, frame.spriteSource.y + y))
                    << frame.name << " at " << x << "," << y;
        }
    }
}

// The extrusion repeats the frame's edge: the pixel beyond a corner is the corner's.
TEST_P(SheetOfLayout, ExtrusionRepeatsTheEdges)
{
    const auto [layout, depth] = GetParam();
    const BuiltSheet sheet = BuildSheet(Walk(depth), layout, WalkSource(), "walk.png");
    for (const AtlasFrame& frame : sheet.frames) {
        const SheetBox& box = frame.frame;
        for (int e = 1; e <= layout.Extrude; ++e) {
            EXPECT_EQ(sheet.image.value(box.x - e, box.y - e), sheet.image.value(box.x, box.y));
            EXPECT_EQ(sheet.image.value(box.x + box.width - 1 + e, box.y + box.height - 1),
                      sheet.image.value(box.x + box.width - 1, box.y + box.height - 1));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SheetOfLayout,
    testing::Values(LayoutCase{{SheetArrangement::Row}, 32}, LayoutCase{{SheetArrangement::Column, 1, 3}, 24},
                    LayoutCase{{SheetArrangement::Grid, 2, 1, 2}, 32},
                    LayoutCase{{SheetArrangement::Packed, 1, 2, 0, true}, 32},
                    LayoutCase{{SheetArrangement::Row, 1, 0, 1, true}, 24},
                    LayoutCase{{SheetArrangement::Packed, 1, 1, 1, true, SheetSizing::PowerOfTwo}, 24}));

TEST(SheetBuild, TrimKeepsTheBoxOfVisiblePixels)
{
    // With alpha the transparent margin goes; without it the colour of pixel 0,0 does.
    for (const int depth : {32, 24}) {
        const BuiltSheet sheet = BuildSheet({{"a.png", MarginedClip(10, 8, 2, depth, 3)}},
                                            {SheetArrangement::Row, 1, 0, 0, true}, WalkSource(), "a.png");
        EXPECT_EQ(sheet.frames[0].spriteSource, (SheetBox{2, 2, 6, 4})) << depth;
        EXPECT_EQ(sheet.meta.width, 6);
    }
}

TEST(SheetBuild, PackingListsFramesOfTheSamePixelsOnce)
{
    std::vector<SheetFrame> frames = Walk(32);
    // The same picture in a larger margin is the same frame once trimmed.
    frames.push_back({"again.png", MarginedClip(14, 11, 2, 32, 0)});
    Bitmap moved = Bitmap::SameFormat(frames[0].clip, 14, 11);
    CopyArea(frames[0].clip, OpaqueBox(frames[0].clip), moved, 2, 2, 0);
    frames.back().clip = moved;
    const BuiltSheet packed = BuildSheet(frames, {SheetArrangement::Packed, 1, 0, 0, true}, WalkSource(), "w.png");
    EXPECT_EQ(packed.frames.back().frame, packed.frames.front().frame);
    EXPECT_EQ(packed.frames.back().spriteSource, (SheetBox{2, 2, 10, 7}));
    const BuiltSheet row = BuildSheet(frames, {SheetArrangement::Row, 1, 0, 0, true}, WalkSource(), "w.png");
    EXPECT_NE(row.frames.back().frame, row.frames.front().frame);
}

TEST(SheetBuild, MetaNamesTheRegionAndItsPivot)
{
    SheetSource source = WalkSource();
    const BuiltSheet centred = BuildSheet(Walk(32), {}, source, "walk.png");
    EXPECT_EQ(centred.meta.region, "Walker");
    EXPECT_EQ(centred.meta.format, "RGBA8888");
    EXPECT_EQ(centred.meta.bounds, (SheetBox{40, 30, 16, 9}));
    EXPECT_EQ(std::pair(centred.meta.pivotX, centred.meta.pivotY), std::pair(8, 4));
    source.pivot = SheetPivot{1, 2};
    const BuiltSheet pinned = BuildSheet(Walk(24), {}, source, "walk.png");
    EXPECT_EQ(std::pair(pinned.meta.pivotX, pinned.meta.pivotY), std::pair(1, 2));
    EXPECT_EQ(pinned.meta.format, "RGB888");
    EXPECT_EQ(pinned.frames[2].duration, 120);
}

TEST(SheetBuild, RefusesClipsItCannotJoin)
{
    std::vector<SheetFrame> mixed = Walk(32);
    mixed.push_back({"flat.bmp", MarginedClip(4, 4, 0, 24, 1)});
    EXPECT_THROW(BuildSheet(mixed, {}, WalkSource(), "m.png"), SheetError);
    EXPECT_THROW(BuildSheet({}, {}, WalkSource(), "m.png"), SheetError);
}

}  // namespace
}  // namespace tolv
