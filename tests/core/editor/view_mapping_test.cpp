#include "editor/view_mapping.h"

#include <gtest/gtest.h>

#include <climits>

namespace tolv {
namespace {

TEST(ViewMapping, AScreenPixelShowsTheFramePixelWhoseSpanHoldsIt)
{
    const struct {
        double scale;
        Point screen, pixel;
    } cases[] = {
        {0.125, {1, 2}, {8, 16}},
        {0.125, {-1, 0}, {-8, 0}},
        {0.25, {3, 5}, {12, 20}},
        {1, {17, -3}, {17, -3}},
        // The last screen pixel of frame pixel 1, then the first of pixel 2.
        {4, {7, 8}, {1, 2}},
        {8, {15, 16}, {1, 2}},
        {4, {-1, -4}, {-1, -1}},
        {4, {-5, -8}, {-2, -2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PixelAt(c.screen, c.scale), c.pixel) << c.scale << " " << c.screen.x << "," << c.screen.y;
}

TEST(ViewMapping, AFrameRectangleShowsAtLeastOneScreenPixelWideAndHigh)
{
    const struct {
        double scale;
        Rect frame, screen;
    } cases[] = {
        {0.125, {8, 8, 9, 9}, {1, 1, 2, 2}},   {0.25, {10, 10, 50, 30}, {2, 2, 12, 7}},
        {1, {-3, 4, 20, 30}, {-3, 4, 20, 30}}, {4, {1, 2, 3, 4}, {4, 8, 12, 16}},
        {8, {-1, 0, 1, 1}, {-8, 0, 8, 8}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScreenRect(c.frame, c.scale), c.screen) << c.scale << " " << c.frame.left;
}

TEST(ViewMapping, ABandSpansThePixelsUnderItsCornersInEitherDirection)
{
    const struct {
        double scale;
        Point start, end;
        Rect pixels;
    } cases[] = {
        {2, {11, 21}, {131, 111}, {5, 10, 65, 55}}, {2, {131, 111}, {11, 21}, {5, 10, 65, 55}},
        {1, {40, 50}, {10, 20}, {10, 20, 40, 50}},  {0.25, {1, 1}, {9, 5}, {4, 4, 36, 20}},
        {4, {7, 7}, {-1, -1}, {-1, -1, 1, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BandPixels(c.start, c.end, c.scale), c.pixels) << c.scale << " " << c.start.x;
}

TEST(ViewMapping, ZoomStepsGoFromLevelToLevelWithinTheRange)
{
    const struct {
        double scale;
        int steps;
        double result;
    } cases[] = {
        {1, 1, 2},       {1, -1, 0.5},      {2, 3, 6},        {0.125, -1, 0.125},  {32, 1, 32},
        {24, 5, 32},     {0.25, -5, 0.125}, {1, INT_MAX, 32}, {1, INT_MIN, 0.125}, {0.67, 1, 1},
        {0.67, -1, 0.5}, {0.67, 2, 2},      {5, -1, 4},       {1 + 1e-12, 1, 2},   {0.67, 0, 0.67},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepZoom(c.scale, c.steps), c.result) << c.scale << " by " << c.steps;
}

TEST(ViewMapping, FitTakesTheSmallerRatioWithinTheLevels)
{
    EXPECT_EQ(FitZoom(600, 400, 1200, 1200), 2);
    EXPECT_EQ(FitZoom(600, 400, 300, 400), 0.5);
    EXPECT_DOUBLE_EQ(FitZoom(600, 400, 400, 600), 2.0 / 3);
    EXPECT_EQ(FitZoom(10, 10, 1000, 1000), 32);
    EXPECT_EQ(FitZoom(10000, 10000, 100, 100), 0.125);
    EXPECT_EQ(FitZoom(0, 0, 100, 100), 32);
}

TEST(ViewMapping, ZoomTextShowsLevelsExactlyAndOtherScalesToTheWholePercent)
{
    const std::pair<double, const char*> cases[] = {{1, " 100 %"},    {0.125, " 12.5 %"}, {0.25, " 25 %"},
                                                    {8, " 800 %"},    {32, " 3200 %"},    {2.0 / 3, " 67 %"},
                                                    {0.1251, " 13 %"}};
    for (const auto& [scale, text] : cases)
        EXPECT_EQ(ZoomText(scale), text) << scale;
}

TEST(ViewMapping, AZoomKeepsThePixelUnderThePointer)
{
    const struct {
        Point pointer, scroll;
        double oldScale, newScale;
        Point result;
    } cases[] = {
        {{100, 50}, {0, 0}, 1, 2, {100, 50}},   {{10, 10}, {300, 200}, 4, 8, {610, 410}},
        {{0, 0}, {10, 11}, 3, 4, {13, 14}},     {{100, 100}, {400, 400}, 2, 1, {150, 150}},
        {{60, 0}, {0, 0}, 2.0 / 3, 1, {30, 0}},
    };
    for (const auto& c : cases) {
        const Point scroll = PanToKeep(c.pointer, c.scroll, c.oldScale, c.newScale);
        EXPECT_EQ(scroll, c.result) << c.oldScale << " to " << c.newScale;
        EXPECT_EQ(PixelAt(scroll + c.pointer, c.newScale), PixelAt(c.scroll + c.pointer, c.oldScale));
    }
}

}  // namespace
}  // namespace tolv
