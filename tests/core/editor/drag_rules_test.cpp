#include "editor/drag_rules.h"

#include "editor/selection.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

Region& Add(Project& project, int left, int top, int width, int height)
{
    project.Regions.push_back(std::make_unique<Region>(left, top, width, height));
    project.RegionListChanged();
    return *project.Regions.back();
}

struct BandCase {
    const char* name;
    Point start, end;
    Rect band;
    bool creates;
};

class Band : public testing::TestWithParam<BandCase> {};

TEST_P(Band, OrdersCornersAndCreatesFromSevenBySeven)
{
    const Rect band = BandRect(GetParam().start, GetParam().end);
    EXPECT_EQ(band, GetParam().band);
    EXPECT_EQ(BandCreatesRegion(band), GetParam().creates);
}

INSTANTIATE_TEST_SUITE_P(Cases, Band,
                         testing::Values(BandCase{"SevenBySeven", {10, 10}, {17, 17}, {10, 10, 17, 17}, true},
                                         BandCase{"SixWide", {10, 10}, {16, 60}, {10, 10, 16, 60}, false},
                                         BandCase{"SixHigh", {10, 10}, {60, 16}, {10, 10, 60, 16}, false},
                                         BandCase{"DraggedUpLeft", {40, 50}, {10, 20}, {10, 20, 40, 50}, true},
                                         BandCase{"OutsideCanvas", {5, 5}, {-20, 30}, {-20, 5, 5, 30}, true},
                                         BandCase{"Click", {3, 3}, {3, 3}, {3, 3, 3, 3}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CatchBand, TouchingByOnePixelCatchesBothAsGroupTheLastCurrent)
{
    Project project;
    Region& a = Add(project, 0, 0, 20, 20);
    Region& b = Add(project, 40, 0, 20, 20);
    // Band from x 19 (a's last column) to 41 (just into b).
    const auto caught = CatchBand(project, BandRect({19, 5}, {41, 10}));
    ASSERT_EQ(caught.size(), 2u);
    EXPECT_EQ(project.selection.stateOf(a), SelectionState::Group);
    EXPECT_EQ(project.selection.stateOf(b), SelectionState::Group);
    EXPECT_EQ(project.selection.current(), &b);
    EXPECT_EQ(project.selection.anchor(), -1);
}

TEST(CatchBand, EdgesThatOnlyMeetCatchNothing)
{
    Project project;
    Add(project, 0, 0, 20, 20);
    EXPECT_TRUE(CatchBand(project, BandRect({20, 0}, {40, 20})).empty());
    EXPECT_TRUE(CatchBand(project, BandRect({0, 20}, {40, 40})).empty());
}

TEST(CatchBand, SkipsHiddenRegionsAndKeepsCurrentAtLastChanged)
{
    Project project;
    Region& a = Add(project, 0, 0, 20, 20);
    Region& hidden = Add(project, 0, 0, 20, 20);
    hidden.Visible = false;
    Region& c = Add(project, 0, 0, 20, 20);
    project.selection.set(c, SelectionState::Group);
    const auto caught = CatchBand(project, BandRect({1, 1}, {5, 5}));
    EXPECT_EQ(caught, std::vector<Region*>{&a});
    EXPECT_EQ(project.selection.stateOf(hidden), SelectionState::None);
    // c was a group member already: a changed last.
    EXPECT_EQ(project.selection.current(), &a);
}

TEST(CatchBand, PassesOverARegionThatCoversTheWholeFrame)
{
    Project project;
    project.FrameAreaWidth = 64;
    project.FrameAreaHeight = 48;
    Add(project, 0, 0, 64, 48);
    Region& inner = Add(project, 10, 10, 20, 20);
    Add(project, 0, 0, 63, 48);
    const auto caught = CatchBand(project, BandRect({5, 5}, {15, 15}));
    EXPECT_EQ(caught, (std::vector<Region*>{&inner, project.Regions[2].get()}));
}

TEST(SelectionBounds, SpansCurrentAndEveryMember)
{
    Project project;
    EXPECT_EQ(SelectionBounds(project), Rect{});
    Region& a = Add(project, 10, 20, 30, 40);
    Add(project, 0, 0, 5, 5);
    Region& c = Add(project, 100, 5, 10, 10);
    project.selection.set(c, SelectionState::Group);
    project.selection.set(a, SelectionState::Current);
    EXPECT_EQ(SelectionBounds(project), (Rect{10, 5, 110, 60}));
}

TEST(MoveDrag, ClampsThePointerNotTheRegions)
{
    EXPECT_EQ(ClampToCanvas({-15, 30}, 200, 150), (Point{0, 30}));
    EXPECT_EQ(ClampToCanvas({250, 151}, 200, 150), (Point{200, 150}));
    Project project;
    Region& a = Add(project, 10, 10, 30, 30);
    Region& b = Add(project, 50, 50, 10, 10);
    Region& idle = Add(project, 80, 80, 10, 10);
    project.selection.set(a, SelectionState::Group);
    project.selection.set(b, SelectionState::Current);
    // Grabbed at x 25, dragged to the clamped edge: the region ends left of 0.
    const auto moved = MoveSelectionBy(project, Point{0, 40} - Point{25, 40});
    EXPECT_EQ(moved, (std::vector<Region*>{&a, &b}));
    EXPECT_EQ(a.Left, -15);
    EXPECT_EQ(b.Left, 25);
    EXPECT_EQ(idle.Left, 80);
}

TEST(MoveDrag, ZeroOffsetChangesNothing)
{
    Project project;
    Region& a = Add(project, 10, 10, 30, 30);
    project.selection.set(a, SelectionState::Current);
    EXPECT_TRUE(MoveSelectionBy(project, {}).empty());
}

TEST(SizeDrag, KeepsTheGrabOffsetToTheCorner)
{
    const Region region(10, 20, 30, 40);
    EXPECT_EQ(SizeGrabAt(region, {37, 58}), (Point{3, 2}));
    EXPECT_TRUE(InSizeHandle(30, 40, {24, 34}));
    EXPECT_FALSE(InSizeHandle(30, 40, {23, 39}));
    EXPECT_FALSE(InSizeHandle(30, 40, {29, 33}));
}

struct PressCase {
    const char* name;
    SelectionState selected;
    Point local;
    bool shift, left;
    RegionPress press;
};

class Press : public testing::TestWithParam<PressCase> {};

TEST_P(Press, FollowsShiftHandleAndSelection)
{
    const bool inHandle = InSizeHandle(30, 20, GetParam().local);
    EXPECT_EQ(ClassifyRegionPress(GetParam().selected, inHandle, GetParam().shift, GetParam().left), GetParam().press);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Press,
    testing::Values(PressCase{"ShiftUnselected", SelectionState::None, {1, 1}, true, true, RegionPress::JoinGroup},
                    PressCase{"ShiftCurrent", SelectionState::Current, {1, 1}, true, true, RegionPress::ToGroup},
                    PressCase{"ShiftMember", SelectionState::Group, {1, 1}, true, true, RegionPress::Nothing},
                    PressCase{"ShiftInHandle", SelectionState::None, {29, 19}, true, true, RegionPress::JoinGroup},
                    PressCase{
                        "HandleOfUnselected", SelectionState::None, {24, 14}, false, true, RegionPress::StartSize},
                    PressCase{"HandleOfMember", SelectionState::Group, {29, 19}, false, true, RegionPress::StartSize},
                    PressCase{"RightInHandle", SelectionState::None, {29, 19}, false, false, RegionPress::SelectAlone},
                    PressCase{"RightOnMember", SelectionState::Group, {29, 19}, false, false, RegionPress::Nothing},
                    PressCase{"Unselected", SelectionState::None, {5, 5}, false, true, RegionPress::SelectAlone},
                    PressCase{"AlreadySelected", SelectionState::Current, {5, 5}, false, true, RegionPress::Nothing}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StatusTexts, HaveTheirSpacing)
{
    EXPECT_EQ(PointerText({3, -4}), " x:3  y:-4");
    EXPECT_EQ(MovingText({0, 12}), " Moving to x:0  y:12");
    EXPECT_EQ(SizingText({20, 30}), " Sizing to x:20  y:30");
    EXPECT_EQ(BackgroundText(200, 150), " Background   w:200 h:150");
    EXPECT_EQ(BandGeometryText({10, 20, 17, 27}), " x:10  y:20   w:7 h:7");
}

}  // namespace
}  // namespace tolv
