#include "editor/frame_rule.h"

#include <gtest/gtest.h>

#include <climits>

namespace tolv {
namespace {

// The frame of every case: 640 x 480.
const FrameRule Frame(640, 480);

struct PlaceCase {
    const char* name;
    RegionGeometry typed;
    RegionGeometry placed;
};

class FramePlace : public testing::TestWithParam<PlaceCase> {};

TEST_P(FramePlace, KeepsAPixelOnTheFrameAndOneByOne)
{
    const RegionGeometry placed = Frame.place(GetParam().typed);
    EXPECT_EQ(placed, GetParam().placed);
    EXPECT_TRUE(Frame.holds(placed));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FramePlace,
    testing::Values(PlaceCase{"Inside", {100, 100, 50, 40}, {100, 100, 50, 40}},
                    PlaceCase{"ReachingPastTheEdgesStays", {-49, 470, 50, 40}, {-49, 470, 50, 40}},
                    PlaceCase{"FarRightAndDown", {99999, 2000, 5000, 40}, {639, 479, 5000, 40}},
                    PlaceCase{"FarLeftAndUp", {-50, -50, 10, 10}, {-9, -9, 10, 10}},
                    PlaceCase{"NoSize", {10, 10, 0, 0}, {10, 10, 1, 1}},
                    PlaceCase{"NoSizeFarOut", {99999, 99999, 0, 0}, {639, 479, 1, 1}},
                    PlaceCase{"IntRangeEnds", {INT_MIN, INT_MAX, INT_MAX, INT_MIN}, {INT_MIN + 2, 479, INT_MAX, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

struct MoveCase {
    const char* name;
    std::vector<RegionGeometry> regions;
    Point offset;
    Point allowed;
};

class FrameMove : public testing::TestWithParam<MoveCase> {};

TEST_P(FrameMove, TakesTheNearestOffsetThatKeepsEveryRegionOn)
{
    EXPECT_EQ(Frame.move(GetParam().regions, GetParam().offset), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameMove,
    testing::Values(MoveCase{"Free", {{100, 100, 50, 40}}, {30, -20}, {30, -20}},
                    MoveCase{"StopsAtTheRightAndTop", {{100, 100, 50, 40}}, {99999, -2000}, {539, -139}},
                    MoveCase{"StopsAtTheLeftAndBottom", {{100, 100, 50, 40}}, {-2000, 2000}, {-149, 379}},
                    MoveCase{
                        "TheGroupStopsWithItsFirstMember", {{100, 100, 50, 40}, {600, 100, 20, 20}}, {100, 0}, {39, 0}},
                    MoveCase{"OffTheFrameMayComeBack", {{900, 100, 50, 40}}, {-500, 0}, {-500, 0}},
                    MoveCase{"OffTheFrameGoesNoFurther", {{900, 100, 50, 40}}, {10, 0}, {0, 0}},
                    MoveCase{"NoRegions", {}, {5, 5}, {5, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameRule, HoldsForARegionWithAPixelOnTheFrame)
{
    EXPECT_TRUE(Frame.holds({639, 479, 1, 1}));
    EXPECT_TRUE(Frame.holds({-99, -99, 100, 100}));
    EXPECT_FALSE(Frame.holds({640, 0, 10, 10}));
    EXPECT_FALSE(Frame.holds({-100, 0, 100, 10}));
    EXPECT_FALSE(Frame.holds({10, 10, 0, 5}));
    EXPECT_FALSE(Frame.holds({10, INT_MAX, 5, INT_MAX}));
}

TEST(FrameRule, AllowsTheSelectionAndTheCurrentRegionWhatTheDocumentWillApply)
{
    Project project;
    project.FrameAreaWidth = 640;
    project.FrameAreaHeight = 480;
    for (int left : {10, 300, 630})
        project.Regions.push_back(std::make_unique<Region>(left, 10, 100, 100));
    project.RegionListChanged();
    project.selection.set(*project.Regions[0], SelectionState::Group);
    // The second becomes current; the third stays unselected.
    project.selection.set(*project.Regions[1], SelectionState::Group);
    EXPECT_EQ(AllowedSelectionMove(project, {500, -500}), (Point{339, -109}));
    EXPECT_EQ(AllowedCurrentSize(project, {-5, 5000}), (Point{1, 5000}));
    project.selection.clear();
    EXPECT_EQ(AllowedCurrentSize(project, {-5, 0}), (Point{-5, 0}));
}

}  // namespace
}  // namespace tolv
