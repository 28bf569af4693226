#include "project/project.h"

#include <gtest/gtest.h>

#include <vector>

namespace tolv {
namespace {

Project WithRegions(int count)
{
    Project project;
    for (int i = 0; i < count; ++i)
        project.Regions.push_back(std::make_unique<Region>(i * 20, 0, 10, 10));
    project.RegionListChanged();
    return project;
}

TEST(Selection, EnteringASelectedStateMakesTheRegionCurrentButLeavingDoesNot)
{
    Project project = WithRegions(2);
    Region& first = *project.Regions[0];
    Region& second = *project.Regions[1];
    Selection& selection = project.selection;
    EXPECT_TRUE(selection.set(second, SelectionState::Group));
    EXPECT_EQ(selection.current(), &second);
    EXPECT_TRUE(selection.set(first, SelectionState::Current));
    EXPECT_EQ(selection.current(), &first);
    EXPECT_TRUE(selection.set(first, SelectionState::None));
    EXPECT_EQ(selection.current(), &first) << "current, though no longer selected";
    EXPECT_FALSE(selection.contains(first));
}

TEST(Selection, TheSameStateChangesNothing)
{
    Project project = WithRegions(2);
    Region& first = *project.Regions[0];
    Region& second = *project.Regions[1];
    Selection& selection = project.selection;
    selection.set(first, SelectionState::Group);
    selection.setCurrent(&second);
    EXPECT_FALSE(selection.set(second, SelectionState::None));
    EXPECT_FALSE(selection.set(first, SelectionState::Group));
    EXPECT_EQ(selection.current(), &second);
}

TEST(Selection, ARegionTakenOutOfTheListLeavesItAndNoDanglingCurrent)
{
    Project project = WithRegions(4);
    Selection& selection = project.selection;
    selection.set(*project.Regions[0], SelectionState::Group);
    selection.set(*project.Regions[3], SelectionState::Group);
    selection.set(*project.Regions[2], SelectionState::Current);
    selection.setAnchor(2);
    const std::unique_ptr<Region> removed = std::move(project.Regions[2]);
    project.Regions.erase(project.Regions.begin() + 2);
    project.RegionListChanged();

    EXPECT_EQ(selection.current(), nullptr);
    EXPECT_FALSE(selection.contains(*removed));
    EXPECT_EQ(selection.positionOf(*removed), -1);
    EXPECT_EQ(selection.positions(), (std::vector<int>{0, 2})) << "the last region moved up";
    EXPECT_EQ(selection.anchor(), 2) << "the anchor is a position, not a region";
}

TEST(Selection, PositionsFollowARegionInsertedBeforeTheSelected)
{
    Project project = WithRegions(2);
    Region& second = *project.Regions[1];
    project.selection.set(second, SelectionState::Current);
    project.Regions.insert(project.Regions.begin(), std::make_unique<Region>());
    project.RegionListChanged();

    EXPECT_EQ(project.selection.positionOf(second), 2);
    EXPECT_EQ(project.selection.positions(), (std::vector<int>{2}));
    EXPECT_EQ(project.selection.current(), &second);
}

}  // namespace
}  // namespace tolv
