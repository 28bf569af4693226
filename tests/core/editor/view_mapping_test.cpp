#include "editor/view_mapping.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace tolv {
namespace {

struct PixelCase {
    double scale;
    Point screen;
    Point pixel;
};

class ScreenToFrame : public testing::TestWithParam<PixelCase> {};

TEST_P(ScreenToFrame, TakesThePixelWhoseScreenSpanHoldsThePoint)
{
    EXPECT_EQ(PixelAt(GetParam().screen, GetParam().scale), GetParam().pixel);
}

INSTANTIATE_TEST_SUITE_P(Levels, ScreenToFrame,
                         testing::Values(PixelCase{0.125, {1, 2}, {8, 16}}, PixelCase{0.125, {-1, 0}, {-8, 0}},
                                         PixelCase{0.25, {3, 5}, {12, 20}}, PixelCase{1, {17, -3}, {17, -3}},
                                         // The last screen pixel of frame pixel 1, the first of pixel 2.
                                         PixelCase{4, {7, 8}, {1, 2}}, PixelCase{8, {15, 16}, {1, 2}},
                                         PixelCase{4, {-1, -4}, {-1, -1}}, PixelCase{4, {-5, -8}, {-2, -2}}));

struct RectCase {
    double scale;
    Rect frame;
    Rect screen;
};

class FrameToScreen : public testing::TestWithParam<RectCase> {};

TEST_P(FrameToScreen, MapsEachEdgeAndKeepsAtLeastOneScreenPixel)
{
    EXPECT_EQ(ScreenRect(GetParam().frame, GetParam().scale), GetParam().screen);
}

INSTANTIATE_TEST_SUITE_P(Levels, FrameToScreen,
                         testing::Values(RectCase{0.125, {8, 8, 9, 9}, {1, 1, 2, 2}},
                                         RectCase{0.25, {10, 10, 50, 30}, {2, 2, 12, 7}},
                                         RectCase{1, {-3, 4, 20, 30}, {-3, 4, 20, 30}},
                                         RectCase{4, {1, 2, 3, 4}, {4, 8, 12, 16}},
                                         RectCase{8, {-1, 0, 1, 1}, {-8, 0, 8, 8}}));

struct BandCase {
    double scale;
    Point start, end;
    Rect pixels;
};

class BandOnScreen : public testing::TestWithParam<BandCase> {};

TEST_P(BandOnScreen, SpansThePixelsUnderItsCorners)
{
    EXPECT_EQ(BandPixels(GetParam().start, GetParam().end, GetParam().scale), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Directions, BandOnScreen,
                         testing::Values(BandCase{2, {11, 21}, {131, 111}, {5, 10, 65, 55}},
                                         BandCase{2, {131, 111}, {11, 21}, {5, 10, 65, 55}},
                                         BandCase{1, {40, 50}, {10, 20}, {10, 20, 40, 50}},
                                         BandCase{0.25, {1, 1}, {9, 5}, {4, 4, 36, 20}},
                                         BandCase{4, {7, 7}, {-1, -1}, {-1, -1, 1, 1}}));

struct StepCase {
    double scale;
    int steps;
    double result;
};

class ZoomSteps : public testing::TestWithParam<StepCase> {};

TEST_P(ZoomSteps, GoFromLevelToLevelWithinTheRange)
{
    EXPECT_EQ(StepZoom(GetParam().scale, GetParam().steps), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZoomSteps,
                         testing::Values(StepCase{1, 1, 2}, StepCase{1, -1, 0.5}, StepCase{2, 3, 6},
                                         StepCase{0.125, -1, 0.125}, StepCase{32, 1, 32}, StepCase{24, 5, 32},
                                         StepCase{0.25, -5, 0.125}, StepCase{1, INT_MAX, 32},
                                         StepCase{1, INT_MIN, 0.125}, StepCase{0.67, 1, 1}, StepCase{0.67, -1, 0.5},
                                         StepCase{0.67, 2, 2}, StepCase{5, -1, 4}, StepCase{1 + 1e-12, 1, 2},
                                         StepCase{0.67, 0, 0.67}));

struct FitCase {
    int frameWidth, frameHeight, viewWidth, viewHeight;
    double scale;
};

class Fit : public testing::TestWithParam<FitCase> {};

TEST_P(Fit, TakesTheSmallerRatioWithinTheLevels)
{
    const FitCase& c = GetParam();
    EXPECT_DOUBLE_EQ(FitZoom(c.frameWidth, c.frameHeight, c.viewWidth, c.viewHeight), c.scale);
}

INSTANTIATE_TEST_SUITE_P(Cases, Fit,
                         testing::Values(FitCase{600, 400, 1200, 1200, 2}, FitCase{600, 400, 300, 400, 0.5},
                                         FitCase{600, 400, 400, 600, 2.0 / 3}, FitCase{10, 10, 1000, 1000, 32},
                                         FitCase{10000, 10000, 100, 100, 0.125}, FitCase{0, 0, 100, 100, 32}));

TEST(ZoomText, ShowsLevelsExactlyAndOtherScalesToTheWholePercent)
{
    const std::pair<double, const char*> cases[] = {
        {1, " 100 %"}, {0.125, " 12.5 %"}, {0.25, " 25 %"}, {8, " 800 %"}, {32, " 3200 %"}, {2.0 / 3, " 67 %"},
        {0.1251, " 13 %"}};
    for (const auto& [scale, text] : cases)
        EXPECT_EQ(ZoomText(scale), text) << scale;
}

struct PanCase {
    Point pointer, scroll;
    double oldScale, newScale;
    Point result;
};

class Pan : public testing::TestWithParam<PanCase> {};

TEST_P(Pan, KeepsThePixelUnderThePointer)
{
    const PanCase& c = GetParam();
    const Point scroll = PanToKeep(c.pointer, c.scroll, c.oldScale, c.newScale);
    EXPECT_EQ(scroll, c.result);
    if (c.newScale == std::floor(c.newScale)) {
        EXPECT_EQ(PixelAt(scroll + c.pointer, c.newScale), PixelAt(c.scroll + c.pointer, c.oldScale));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Pan,
                         testing::Values(PanCase{{100, 50}, {0, 0}, 1, 2, {100, 50}},
                                         PanCase{{10, 10}, {300, 200}, 4, 8, {610, 410}},
                                         PanCase{{0, 0}, {10, 11}, 3, 4, {13, 14}},
                                         PanCase{{100, 100}, {400, 400}, 2, 1, {150, 150}},
                                         PanCase{{60, 0}, {0, 0}, 2.0 / 3, 1, {30, 0}}));

}  // namespace
}  // namespace tolv
