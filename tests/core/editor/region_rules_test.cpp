#include "editor/region_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace tolv {
namespace {

struct SizeCase {
    const char* name;
    int left;
    int w, h;
    int width, height;  // expected, starting from 20 x 30 at (left, 6)
};

class SetSizeRule : public testing::TestWithParam<SizeCase> {};

TEST_P(SetSizeRule, KeepsOneByOneAndAPixelOnTheFrame)
{
    Project project;  // a 600 x 400 frame area
    Region region(GetParam().left, 6, 20, 30);
    SetSize(project, region, GetParam().w, GetParam().h);
    EXPECT_EQ(region.Width, GetParam().width);
    EXPECT_EQ(region.Height, GetParam().height);
    EXPECT_EQ(region.Left, GetParam().left);
    EXPECT_EQ(region.Top, 6);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetSizeRule,
                         testing::Values(SizeCase{"Plain", 5, 33, 44, 33, 44}, SizeCase{"OneByOne", 5, 1, 1, 1, 1},
                                         SizeCase{"ZeroAndBelowBecomeOne", 5, 0, -40, 1, 1},
                                         SizeCase{"NoUpperLimit", 5, 100000, 7, 100000, 7},
                                         SizeCase{"SmallestInt", 5, INT_MIN, INT_MIN, 1, 1},
                                         SizeCase{"PastTheLeftEdgeKeepsAPixelOn", -15, 3, 3, 16, 3},
                                         SizeCase{"OffTheFrameMayGrowButNotShrink", -25, 10, 40, 20, 40}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MovebyRule, MovesWithoutClamping)
{
    Region region(5, 6, 20, 30);
    Moveby(region, -1000, 0);
    EXPECT_EQ(region.Left, -995);
    EXPECT_EQ(region.Top, 6);
}

TEST(MovebyRule, StopsAtTheEndsOfTheIntRange)
{
    Region region(INT_MAX - 1, INT_MIN + 1, 20, 30);
    Moveby(region, 10, -10);
    EXPECT_EQ(region.Left, INT_MAX);
    EXPECT_EQ(region.Top, INT_MIN);
}

struct EnclosureCase {
    const char* name;
    Region inner;
    bool enclosed;
};

class EnclosesRule : public testing::TestWithParam<EnclosureCase> {};

TEST_P(EnclosesRule, CountsEqualEdgesAsInside)
{
    const Region outer(10, 10, 100, 50);
    EXPECT_EQ(Encloses(outer, GetParam().inner), GetParam().enclosed);
}

INSTANTIATE_TEST_SUITE_P(Cases, EnclosesRule,
                         testing::Values(EnclosureCase{"Inside", Region(20, 20, 10, 10), true},
                                         EnclosureCase{"SameRectangle", Region(10, 10, 100, 50), true},
                                         EnclosureCase{"TouchingRightBottom", Region(100, 50, 10, 10), true},
                                         EnclosureCase{"OneBeyondRight", Region(101, 50, 10, 10), false},
                                         EnclosureCase{"OneAboveTop", Region(20, 9, 10, 10), false},
                                         EnclosureCase{"Larger", Region(0, 0, 200, 200), false},
                                         EnclosureCase{"WouldWrapAround", Region(20, 20, INT_MAX, 10), false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
