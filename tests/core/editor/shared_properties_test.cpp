#include "editor/shared_properties.h"

#include "editor/selection.h"

#include <gtest/gtest.h>

#include <string>

namespace tolv {
namespace {

// Three regions: a clip "A", a text box "B" with its title and an overlay
// "B", the two last of the same size.
Project ThreeRegions()
{
    Project project;
    const RegionKind kinds[] = {RegionKind::Clip, RegionKind::TextBox, RegionKind::Overlay};
    for (int i = 0; i < 3; ++i) {
        auto region = std::make_unique<Region>(i * 30, 0, i == 0 ? 10 : 20, 20);
        region->Name = i == 0 ? "A" : "B";
        region->RegionType = kinds[i];
        region->Title = true;
        project.Regions.push_back(std::move(region));
    }
    project.RegionListChanged();
    return project;
}

TEST(SharedValue, IsTheValueOfEverySelectedRegionOrNothing)
{
    Project project = ThreeRegions();
    EXPECT_EQ(SharedValue(SelectedRegions(project), &Region::Name), std::nullopt);
    ApplySelectionOp(project, {SelectionOp::Kind::SelectRange, 1, 2});
    const std::vector<const Region*> selected = SelectedRegions(project);
    EXPECT_EQ(SharedValue(selected, &Region::Name), "B");
    EXPECT_EQ(SharedValue(selected, &Region::Width), 20);
    EXPECT_EQ(SharedValue(selected, &Region::Left), std::nullopt);
    EXPECT_EQ(SharedValue(selected, &Region::RegionType), std::nullopt);
}

struct AccessCase {
    const char* name;
    int selectFrom;
    int count;
    bool locked;
    std::vector<PropertyGroup> editable;
};

class EditableGroups : public testing::TestWithParam<AccessCase> {};

TEST_P(EditableGroups, FollowTheCurrentRegionSelectedAlone)
{
    Project project = ThreeRegions();
    if (GetParam().selectFrom >= 0)
        ApplySelectionOp(project, {SelectionOp::Kind::SelectRange, GetParam().selectFrom, GetParam().count});
    project.LockObj = GetParam().locked;
    std::vector<PropertyGroup> editable;
    for (const PropertyGroup group : {PropertyGroup::Common, PropertyGroup::Geometry, PropertyGroup::Overlay,
                                      PropertyGroup::TextBox, PropertyGroup::Title})
        if (Editable(project, group))
            editable.push_back(group);
    EXPECT_EQ(editable, GetParam().editable);
}

using enum PropertyGroup;
INSTANTIATE_TEST_SUITE_P(
    Cases, EditableGroups,
    testing::Values(AccessCase{"NoneSelected", -1, 0, false, {}}, AccessCase{"Clip", 0, 1, false, {Common, Geometry}},
                    AccessCase{"TextBox", 1, 1, false, {Common, Geometry, TextBox, Title}},
                    AccessCase{"Overlay", 2, 1, false, {Common, Geometry, Overlay}},
                    AccessCase{"LockedLayoutKeepsTheGeometry", 0, 1, true, {Common}},
                    AccessCase{"SeveralAreOnlyShown", 0, 2, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordWith, ChangesOneFieldAndNothingForTheValueHeldAlready)
{
    Region region(5, 6, 7, 8);
    region.Name = "Ball";
    const std::optional<Region> renamed = RecordWith(region, &Region::Name, std::string("Bat"));
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->Name, "Bat");
    EXPECT_EQ(GeometryOf(*renamed), GeometryOf(region));
    EXPECT_EQ(RecordWith(region, &Region::Name, std::string("Ball")), std::nullopt);
    EXPECT_EQ(GeometryWith(region, &Region::Width, 70), (RegionGeometry{5, 6, 70, 8}));
    EXPECT_EQ(GeometryWith(region, &Region::Top, 6), std::nullopt);
}

}  // namespace
}  // namespace tolv
