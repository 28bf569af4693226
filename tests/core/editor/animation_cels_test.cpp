#include "editor/animation_cels.h"

#include "platform/errors.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace tolv {
namespace {

// Frames whose every pixel tells where it is, so a cut shows exactly which
// part of which frame it came from.
Color PixelTag(int frame, int x, int y)
{
    return RGB(std::uint8_t(frame * 40), std::uint8_t(x), std::uint8_t(y));
}

class AnimationCelsTest : public testing::Test {
protected:
    AnimationCelsTest() { project.ProjectFolder = dir.path().string(); }

    void SaveTaggedFrame(const std::string& name, int frame, int width, int height)
    {
        Bitmap bitmap(width, height, 24);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                bitmap.setPixel(x, y, PixelTag(frame, x, y));
        }
        SaveBmp(bitmap, dir.file(name));
    }

    test::TempDir dir;
    Project project;
    Region region{2, 3, 4, 5};
};

TEST_F(AnimationCelsTest, RowsOneToTenWithAFrameGiveCelsInRowOrder)
{
    SaveTaggedFrame("a.bmp", 1, 20, 20);
    SaveTaggedFrame("b.bmp", 2, 20, 20);
    SaveTaggedFrame("c.bmp", 3, 20, 20);
    region.InputFrame.set(0, "b.bmp");
    region.InputFrame.set(1, "a.bmp");
    region.InputFrame.set(3, "c.bmp");
    region.OutputFile.set(2, "only_output.bmp");
    region.InputFrame.set(10, "a.bmp");  // row 11: beyond the animation
    const auto cels = MakeAnimationCels(project, region);
    ASSERT_EQ(cels.size(), 3u);
    const int frameOfCel[] = {2, 1, 3};
    for (std::size_t i = 0; i < cels.size(); ++i) {
        ASSERT_EQ(cels[i].width(), 4);
        ASSERT_EQ(cels[i].height(), 5);
        EXPECT_EQ(cels[i].bitsPerPixel(), 24);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(cels[i].pixel(x, y), PixelTag(frameOfCel[i], 2 + x, 3 + y)) << i << " " << x << "," << y;
        }
    }
}

TEST_F(AnimationCelsTest, RowsBeyondTenAloneGiveNoCels)
{
    for (int row = 10; row < 20; ++row)
        region.InputFrame.set(row, "missing.bmp");
    EXPECT_EQ(CelFrameCount(region), 0);
    EXPECT_TRUE(MakeAnimationCels(project, region).empty());
}

TEST_F(AnimationCelsTest, PartsOutsideTheFrameAreBlack)
{
    SaveTaggedFrame("a.bmp", 1, 6, 6);
    region = Region(-2, 4, 10, 4);
    region.InputFrame.set(0, "a.bmp");
    const Bitmap cel = MakeAnimationCels(project, region).at(0);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool onFrame = x >= 2 && x < 8 && y < 2;
            EXPECT_EQ(cel.pixel(x, y), onFrame ? PixelTag(1, x - 2, 4 + y) : colors::Black) << x << "," << y;
        }
    }
}

// Palette frames keep their colours in the 24-bit cels; a monochrome frame
// is not taken as a black-and-white mask.
TEST_F(AnimationCelsTest, PaletteFramesAreConvertedToTwentyFourBits)
{
    for (int depth : {1, 4, 8}) {
        SCOPED_TRACE(depth);
        Bitmap frame(8, 8, depth, {colors::Maroon, colors::Aqua});
        frame.setValue(3, 4, 1);
        SaveBmp(frame, dir.file("p.bmp"));
        region = Region(2, 3, 3, 3);
        region.InputFrame.set(0, "p.bmp");
        const Bitmap cel = MakeAnimationCels(project, region).at(0);
        ASSERT_EQ(cel.bitsPerPixel(), 24);
        EXPECT_EQ(cel.pixel(0, 0), colors::Maroon);
        EXPECT_EQ(cel.pixel(1, 1), colors::Aqua);
        EXPECT_EQ(cel.pixel(2, 2), colors::Maroon);
    }
}

TEST_F(AnimationCelsTest, AFrameThatCannotBeLoadedFailsTheWholeStart)
{
    SaveTaggedFrame("a.bmp", 1, 8, 8);
    test::WriteText(dir.file("text.bmp"), "not a bitmap");
    region.InputFrame.set(0, "a.bmp");
    region.InputFrame.set(1, "gone.bmp");
    EXPECT_THROW(MakeAnimationCels(project, region), FileReadError);
    region.InputFrame.set(1, "text.bmp");
    EXPECT_THROW(MakeAnimationCels(project, region), InvalidBitmapError);
}

struct SizeCase {
    const char* name;
    int width;
    int height;
    int rows;
};

class HugeRegionTest : public AnimationCelsTest, public testing::WithParamInterface<SizeCase> {};

// Refused before any frame is read: the frames named here do not exist.
TEST_P(HugeRegionTest, IsRefusedWithoutAllocating)
{
    const SizeCase& c = GetParam();
    region = Region(0, 0, c.width, c.height);
    for (int row = 0; row < c.rows; ++row)
        region.InputFrame.set(row, "missing.bmp");
    try {
        MakeAnimationCels(project, region);
        FAIL() << "no error";
    } catch (const FileReadError&) {
        FAIL() << "a frame was read";
    } catch (const TolvError& error) {
        EXPECT_STREQ(error.what(), "Region is too large to animate");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HugeRegionTest,
                         testing::Values(SizeCase{"TenLargeCels", 8000, 8000, 10},
                                         SizeCase{"OneCelBeyondTheBudget", 10000, 9000, 1},
                                         SizeCase{"SideBeyondTheCodec", 40000, 1, 1},
                                         SizeCase{"IntMax", 2147483647, 2147483647, 1}, SizeCase{"ZeroWidth", 0, 10, 1},
                                         SizeCase{"NegativeHeight", 10, -5, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NextCelPos, StepsAndWrapsToTheFirst)
{
    EXPECT_EQ(NextCelPos(1, 3), 2);
    EXPECT_EQ(NextCelPos(2, 3), 3);
    EXPECT_EQ(NextCelPos(3, 3), 1);
    EXPECT_EQ(NextCelPos(1, 1), 1);
}

}  // namespace
}  // namespace tolv
