#include "document/document.h"
#include "document/edit_values.h"
#include "editor/edit_commands.h"
#include "platform/io/inifile.h"
#include "project/project_file.h"
#include "project/region_fields.h"
#include "project/region_reader.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

// A value other than the default, for each type a field can have.
void Change(std::string& value)
{
    value += "x.bmp";
}
void Change(bool& value)
{
    value = !value;
}
void Change(int& value)
{
    value += 7;
}
void Change(Color& value)
{
    value ^= 0x123456;
}
void Change(RegionKind& value)
{
    value = value == RegionKind::TextBox ? RegionKind::Overlay : RegionKind::TextBox;
}
void Change(SheetSettings& value)
{
    value = {"sheet.png", {SheetArrangement::Packed, 1, 2, 1, true}, true, 90, SheetPivot{1, 2}};
}
// Row 1: the file closes rows up over gaps.
void Change(WorksheetColumn& value)
{
    value.set(0, "f1.bmp");
}

Region SavedAndRead(const Region& region)
{
    Project project;
    project.Regions.push_back(std::make_unique<Region>(region));
    Project read;
    ReadRegionSections(read, IniReader::FromText(ProjectText(project)), OverlayBitmaps::Leave);
    return read.Regions.size() == 1 ? *read.Regions.front() : Region();
}

// The region as an undone and a redone change of its properties leave it.
std::pair<Region, Region> UndoneAndRedone(const Region& base, const Region& changed)
{
    Project project;
    project.Regions.push_back(std::make_unique<Region>(base));
    Document document(std::move(project));
    document.changeSelection({SelectionOp::Kind::Pick, 0});
    document.setRegionProperties(changed);
    document.undo();
    Region undone = *document.project().Regions.front();
    document.redo();
    return {undone, *document.project().Regions.front()};
}

// Every member the table covers reaches the file, duplicate, undo and the
// no-op check.
TEST(RegionFields, EachFieldIsSavedCopiedAndCompared)
{
    ForEachPersistentMember([](auto member) {
        Region base(1, 2, 3, 4);
        base.RegionType = RegionKind::TextBox;
        Region changed = base;
        Change(changed.*member);
        const std::string which = "field changed: " + std::to_string(HeapBytes(changed) - HeapBytes(base));
        EXPECT_FALSE(SameProperties(base, changed)) << which;
        EXPECT_TRUE(SamePersistentFields(SavedAndRead(changed), changed)) << which;
        Project project;
        Region copy = *DuplicateRegion(project, changed);
        copy.Name = changed.Name;
        copy.Visible = changed.Visible;
        EXPECT_TRUE(SamePersistentFields(copy, changed)) << which;
        const auto [undone, redone] = UndoneAndRedone(base, changed);
        EXPECT_TRUE(SamePersistentFields(undone, base)) << which;
        EXPECT_TRUE(SamePersistentFields(redone, changed)) << which;
    });
}

}  // namespace
}  // namespace tolv
