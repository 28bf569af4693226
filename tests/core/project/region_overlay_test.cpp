#include "platform/image/bitmap.h"
#include "platform/image/raster.h"
#include "project/region_overlay.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

constexpr Color Magenta = 0xFF00FF;

class Overlay : public testing::Test {
protected:
    // A 50 x 50 overlay: magenta (its key) with a blue square at 10..19.
    std::string writeOverlay()
    {
        Bitmap overlay(50, 50, 24);
        Canvas canvas(overlay);
        canvas.brush.color = Magenta;
        canvas.fillRect({0, 0, 50, 50});
        canvas.brush.color = colors::Blue;
        canvas.fillRect({10, 10, 20, 20});
        SaveBmp(overlay, dir.file("overlay.bmp"));
        return dir.file("overlay.bmp");
    }

    Region overlayRegion(int width, int height, const std::string& file)
    {
        Region region(0, 0, width, height);
        region.RegionType = RegionKind::Overlay;
        region.OVLName = file;
        return region;
    }

    test::TempDir dir;
};

TEST_F(Overlay, KeyColourBecomesTransparent)
{
    Region region = overlayRegion(100, 100, writeOverlay());
    LoadOverlay(region, "");
    ASSERT_TRUE(region.MergeImage && region.MergeMask);
    EXPECT_EQ(region.MergeImage->pixel(0, 0), colors::Black);
    EXPECT_EQ(region.MergeImage->pixel(15, 15), colors::Blue);
    EXPECT_EQ(region.MergeMask->pixel(0, 0), colors::White);
    EXPECT_EQ(region.MergeMask->pixel(15, 15), colors::Black);

    // Composited as the frame painting does it, magenta leaves the frame as it was.
    Bitmap frame(50, 50, 24);
    Canvas canvas(frame);
    canvas.brush.color = colors::Green;
    canvas.fillRect({0, 0, 50, 50});
    canvas.copyRect({0, 0, 50, 50}, *region.MergeMask, {0, 0, 50, 50}, RasterOp::SrcAnd);
    canvas.copyRect({0, 0, 50, 50}, *region.MergeImage, {0, 0, 50, 50}, RasterOp::SrcPaint);
    EXPECT_EQ(frame.pixel(2, 2), colors::Green);
    EXPECT_EQ(frame.pixel(15, 15), colors::Blue);
}

struct SizeCase {
    const char* name;
    int width, height;
    int expectedWidth, expectedHeight;
};

class OverlaySize : public Overlay, public testing::WithParamInterface<SizeCase> {};

TEST_P(OverlaySize, RegionTakesTheOverlaySizeWhenSmallerInEitherDirection)
{
    Region region = overlayRegion(GetParam().width, GetParam().height, writeOverlay());
    LoadOverlay(region, "");
    EXPECT_EQ(region.Width, GetParam().expectedWidth);
    EXPECT_EQ(region.Height, GetParam().expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(Cases, OverlaySize,
                         testing::Values(SizeCase{"Narrower", 100, 10, 50, 50}, SizeCase{"Larger", 200, 200, 200, 200},
                                         SizeCase{"Equal", 50, 50, 50, 50}, SizeCase{"ShorterOnly", 300, 49, 50, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Overlay, NothingIsLoadedForAMissingFileAnInvalidFileOrAnotherType)
{
    test::WriteText(dir.file("text.bmp"), "not a bitmap");
    Region missing = overlayRegion(10, 10, dir.file("absent.bmp"));
    Region invalid = overlayRegion(10, 10, dir.file("text.bmp"));
    Region clip = overlayRegion(10, 10, writeOverlay());
    clip.RegionType = RegionKind::Clip;
    for (Region* region : {&missing, &invalid, &clip}) {
        LoadOverlay(*region, "");
        EXPECT_FALSE(region->MergeImage || region->MergeMask);
        EXPECT_EQ(region->Width, 10);
    }
}

TEST_F(Overlay, ReloadingReplacesAndFreeReleases)
{
    Region region = overlayRegion(10, 10, writeOverlay());
    LoadOverlay(region, "");
    ASSERT_TRUE(region.MergeImage);
    region.OVLName = dir.file("absent.bmp");
    LoadOverlay(region, "");
    EXPECT_FALSE(region.MergeImage || region.MergeMask);
    region.OVLName = dir.file("overlay.bmp");
    LoadOverlay(region, "");
    FreeOverlay(region);
    EXPECT_FALSE(region.MergeImage || region.MergeMask);
}

TEST_F(Overlay, RegionsOfOneFileShareOneCopyUntilTheFileChanges)
{
    Region first = overlayRegion(10, 10, writeOverlay());
    Region second = overlayRegion(10, 10, first.OVLName);
    LoadOverlay(first, "");
    LoadOverlay(second, "");
    EXPECT_EQ(first.MergeImage, second.MergeImage);
    EXPECT_EQ(first.MergeMask, second.MergeMask);

    SaveBmp(Bitmap(60, 60, 24), first.OVLName);
    LoadOverlay(second, "");
    ASSERT_TRUE(second.MergeImage);
    EXPECT_NE(second.MergeImage, first.MergeImage);
    EXPECT_EQ(second.MergeImage->width(), 60);
}

}  // namespace
}  // namespace tolv
