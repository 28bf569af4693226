#include "editor/selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolv {
namespace {

// A project with `count` regions named R0, R1, ... side by side.
Project WithRegions(int count)
{
    Project project;
    for (int i = 0; i < count; ++i) {
        auto region = std::make_unique<Region>(i * 20, 0, 10, 10);
        region->Name = "R" + std::to_string(i);
        project.Regions.push_back(std::move(region));
    }
    project.RegionListChanged();
    return project;
}
// The states as numbers: none 0, current 1, group 2.

std::vector<int> States(const Project& project)
{
    std::vector<int> states;
    for (const auto& region : project.Regions)
        states.push_back(int(project.selection.stateOf(*region)));
    return states;
}

Region& At(Project& project, int index)
{
    return *project.Regions[std::size_t(index)];
}

TEST(DeselectAll, ClearsEveryStateAndTheCurrentRegion)
{
    Project project = WithRegions(3);
    project.selection.set(At(project, 0), SelectionState::Group);
    project.selection.set(At(project, 2), SelectionState::Current);
    project.selection.setAnchor(2);
    ApplySelectionOp(project, {SelectionOp::Kind::DeselectAll});
    EXPECT_EQ(States(project), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(project.selection.current(), nullptr);
    EXPECT_EQ(project.selection.anchor(), -1);
}

TEST(SelectRegion, TheOldCurrentRegionGoesBackToZeroAndGroupMembersStay)
{
    Project project = WithRegions(3);
    project.selection.set(At(project, 0), SelectionState::Group);
    project.selection.set(At(project, 1), SelectionState::Group);
    EXPECT_EQ(SelectRegion(project, 2), &At(project, 2));
    EXPECT_EQ(States(project), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(project.selection.anchor(), 2);
}

TEST(SelectRegion, IndexOutsideTheListDoesNothing)
{
    for (int index : {-1, 3, 100}) {
        Project project = WithRegions(3);
        SelectRegion(project, 1);
        EXPECT_EQ(SelectRegion(project, index), nullptr) << index;
        EXPECT_EQ(States(project), (std::vector<int>{0, 1, 0})) << index;
        EXPECT_EQ(project.selection.anchor(), 1) << index;
    }
    Project empty;
    EXPECT_EQ(SelectRegion(empty, 0), nullptr);
}

struct StepCase {
    const char* name;
    int count;
    int selIndex;
    bool forward;
    int expected;  // -1: nothing selected
};

class SelectStep : public testing::TestWithParam<StepCase> {};

TEST_P(SelectStep, WrapsAtBothEnds)
{
    const StepCase& c = GetParam();
    Project project = WithRegions(c.count);
    if (c.selIndex >= 0)
        SelectRegion(project, c.selIndex);
    Region* selected = c.forward ? SelectNext(project) : SelectPrevious(project);
    EXPECT_EQ(project.selection.anchor(), c.expected);
    if (c.expected < 0) {
        EXPECT_EQ(selected, nullptr);
        return;
    }
    EXPECT_EQ(selected, &At(project, c.expected));
    EXPECT_EQ(project.selection.current(), selected);
    for (int i = 0; i < c.count; ++i)
        EXPECT_EQ(project.selection.stateOf(At(project, i)),
                  i == c.expected ? SelectionState::Current : SelectionState::None);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectStep,
    testing::Values(StepCase{"NextFromNone", 3, -1, true, 0}, StepCase{"NextFromMiddle", 3, 1, true, 2},
                    StepCase{"NextFromLastWraps", 3, 2, true, 0}, StepCase{"PreviousFromNoneIsLast", 3, -1, false, 2},
                    StepCase{"PreviousFromFirstWraps", 3, 0, false, 2}, StepCase{"PreviousFromMiddle", 3, 2, false, 1},
                    StepCase{"SingleRegionNext", 1, 0, true, 0}, StepCase{"NoRegionsNext", 0, -1, true, -1},
                    StepCase{"NoRegionsPrevious", 0, -1, false, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectStep, HiddenRegionsArePassedOverBothWays)
{
    Project project = WithRegions(4);
    At(project, 1).Visible = false;
    At(project, 2).Visible = false;
    SelectRegion(project, 0);
    EXPECT_EQ(SelectNext(project), &At(project, 3));
    EXPECT_EQ(SelectPrevious(project), &At(project, 0));
    EXPECT_EQ(SelectPrevious(project), &At(project, 3)) << "wraps past the hidden ones";
}

TEST(SelectStep, WithEveryRegionHiddenNothingChanges)
{
    Project project = WithRegions(2);
    for (int i = 0; i < 2; ++i)
        At(project, i).Visible = false;
    SelectRegion(project, 1);
    EXPECT_EQ(SelectNext(project), nullptr);
    EXPECT_EQ(project.selection.current(), &At(project, 1));
}

TEST(SelectStep, AStaleIndexBeyondTheListStillLandsInside)
{
    Project project = WithRegions(2);
    project.selection.setAnchor(7);
    EXPECT_EQ(SelectNext(project), &At(project, 0));
    project.selection.setAnchor(7);
    EXPECT_EQ(SelectPrevious(project), &At(project, 1));
}

TEST(CanNudgeSelected, NeedsACurrentRegionAndAnUnlockedLayout)
{
    Project project = WithRegions(1);
    EXPECT_FALSE(CanNudgeSelected(project));
    SelectRegion(project, 0);
    EXPECT_TRUE(CanNudgeSelected(project));
    project.LockObj = true;
    EXPECT_FALSE(CanNudgeSelected(project));
}

TEST(SelectedFromLast, VisitsGroupMembersAndTheCurrentRegionFromTheEnd)
{
    Project project = WithRegions(4);
    project.selection.set(At(project, 3), SelectionState::Group);
    project.selection.set(At(project, 0), SelectionState::Current);
    auto selected = SelectedFromLast(project);
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0], &At(project, 3));
    EXPECT_EQ(selected[1], &At(project, 0));
}

struct Geometry {
    int left, top, width, height;
    bool operator==(const Geometry&) const = default;
};

Geometry GeometryOf(const Region& region)
{
    return {region.Left, region.Top, region.Width, region.Height};
}

// Two selected regions of 20 x 12 and one unselected.
Project NudgeProject()
{
    Project project = WithRegions(3);
    for (auto& region : project.Regions) {
        region->Width = 20;
        region->Height = 12;
    }
    SelectRegion(project, 0);
    project.selection.set(At(project, 2), SelectionState::Group);
    project.selection.setCurrent(&At(project, 0));
    return project;
}

TEST(Nudge, MovesEverySelectedRegion)
{
    Project project = NudgeProject();
    const auto visited = MoveSelected(project, 10, -3);
    ASSERT_EQ(visited.size(), 2u);
    EXPECT_EQ(visited[0], &At(project, 2));
    EXPECT_EQ(GeometryOf(At(project, 0)), (Geometry{10, -3, 20, 12}));
    EXPECT_EQ(GeometryOf(At(project, 1)), (Geometry{20, 0, 20, 12}));
    EXPECT_EQ(GeometryOf(At(project, 2)), (Geometry{50, -3, 20, 12}));
}

TEST(Nudge, AGroupStopsTogetherWhereOneOfItWouldLeaveTheFrame)
{
    Project project = NudgeProject();
    MoveSelected(project, -30, 0);
    EXPECT_EQ(GeometryOf(At(project, 0)), (Geometry{-19, 0, 20, 12})) << "one pixel left on the frame";
    EXPECT_EQ(GeometryOf(At(project, 2)), (Geometry{21, 0, 20, 12})) << "the group keeps its shape";
}

struct SizeCase {
    const char* name;
    int dw, dh;
    int width, height;
};

class NudgeSize : public testing::TestWithParam<SizeCase> {};

TEST_P(NudgeSize, KeepsEachRegionOneByOneAtLeast)
{
    const SizeCase& c = GetParam();
    Project project = NudgeProject();
    SizeSelected(project, c.dw, c.dh);
    EXPECT_EQ(GeometryOf(At(project, 0)), (Geometry{0, 0, c.width, c.height}));
    EXPECT_EQ(GeometryOf(At(project, 1)), (Geometry{20, 0, 20, 12}));
}

INSTANTIATE_TEST_SUITE_P(Cases, NudgeSize,
                         testing::Values(SizeCase{"Grow", 10, 1, 30, 13}, SizeCase{"ShrinkBelowSeven", -14, 0, 6, 12},
                                         SizeCase{"ShrinkToOne", -19, -11, 1, 1},
                                         SizeCase{"PastZeroStopsAtOne", -30, 0, 1, 12}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Nudge, NothingWhileLockedOrWithoutACurrentRegion)
{
    Project locked = NudgeProject();
    locked.LockObj = true;
    EXPECT_TRUE(MoveSelected(locked, 5, 5).empty());
    EXPECT_TRUE(SizeSelected(locked, 5, 5).empty());
    EXPECT_EQ(GeometryOf(At(locked, 0)), (Geometry{0, 0, 20, 12}));

    Project none = NudgeProject();
    none.selection.clear();
    EXPECT_TRUE(MoveSelected(none, 5, 5).empty());
}

}  // namespace
}  // namespace tolv
