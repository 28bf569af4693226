#include "core/project/example_project.h"
#include "project/project_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

using test::Lines;

class ProjectReader : public testing::Test {
protected:
    LoadResult load(const std::string& text)
    {
        test::WriteText(dir.file("p.qvl"), text);
        return Loadfile(project, dir.file("p.qvl"));
    }

    // Loads a current-layout file with the given region section lines.
    const Region* loadRegion(std::initializer_list<std::string> regionLines)
    {
        std::string text = Lines({"[Main]", "Version2=1", "Regions=1", "[Region1]"});
        for (const auto& line : regionLines)
            text += line + "\r\n";
        load(text);
        return project.Regions.empty() ? nullptr : project.Regions.front().get();
    }

    test::TempDir dir;
    Project project;
};

TEST_F(ProjectReader, ReadsTheCurrentLayout)
{
    const LoadResult result = load(test::ExampleProjectText());
    EXPECT_TRUE(result.FramesMissing);  // no frame files in the folder
    EXPECT_EQ(project.ProjectFolder, dir.path().string());
    EXPECT_EQ(project.ProjectFileName, "p.qvl");
    EXPECT_FALSE(project.Modified);
    EXPECT_TRUE(project.ShowPreview);
    EXPECT_EQ(project.NudgeStep, 5);
    ASSERT_EQ(project.FrameCount(), 2);
    EXPECT_EQ(project.FrameName(2), "walk02.bmp");
    EXPECT_EQ(project.FrameStatusOf(1), FrameMissing);
    EXPECT_EQ(project.FrameStatusOf(3), FrameUnchecked);
    EXPECT_EQ(project.CurrentFrame, -1);
    ASSERT_EQ(project.Regions.size(), 2u);

    const Region& door = *project.Regions[0];
    EXPECT_EQ(door.Name, "Door");
    EXPECT_EQ(door.RegionType, RegionKind::Clip);
    EXPECT_EQ(door.Left, 120);
    EXPECT_EQ(door.Top, 40);
    EXPECT_EQ(door.Width, 64);
    EXPECT_EQ(door.Height, 96);
    EXPECT_EQ(door.InputFrame[1], "walk02.bmp");
    EXPECT_EQ(door.OutputFile[1], "door2.bmp");
    EXPECT_EQ(project.selection.positionOf(door), 0);

    const Region& label = *project.Regions[1];
    EXPECT_EQ(label.RegionType, RegionKind::TextBox);
    EXPECT_TRUE(label.Title);
    EXPECT_EQ(label.TitleColor, colors::Maroon);
    EXPECT_EQ(label.BoxColor, colors::White);
    EXPECT_EQ(label.InputFrame[0], "walk01.bmp");
    EXPECT_EQ(label.OutputFile[0], "");
    EXPECT_EQ(project.selection.positionOf(label), 1);
}

TEST_F(ProjectReader, ReadsTheOlderLayoutWithATextBar)
{
    load(test::OlderProjectText());
    ASSERT_EQ(project.FrameCount(), 2);
    EXPECT_EQ(project.FrameName(2), "b.bmp");
    EXPECT_EQ(project.NudgeStep, 3);
    ASSERT_EQ(project.Regions.size(), 3u);

    const Region& bar = *project.Regions[0];
    EXPECT_EQ(bar.Left, -1);
    EXPECT_EQ(bar.Top, -1);
    EXPECT_EQ(bar.Width, 602);
    EXPECT_EQ(bar.Height, 20);
    EXPECT_EQ(bar.RegionType, RegionKind::TextBox);
    EXPECT_EQ(bar.Name, "New Object");
    EXPECT_FALSE(bar.Visible);
    EXPECT_FALSE(bar.Title);
    EXPECT_EQ(bar.LineWidth, 1);
    EXPECT_EQ(bar.TitleHeight, 1);
    EXPECT_EQ(bar.TitleColor, colors::White);
    EXPECT_EQ(bar.BoxColor, colors::White);
    EXPECT_EQ(bar.InputFrame[2], "b.bmp");

    const Region& source = *project.Regions[1];
    EXPECT_EQ(source.Name, "Source");
    EXPECT_EQ(source.RegionType, RegionKind::Background);
    EXPECT_EQ(source.Left, 5);
    EXPECT_EQ(source.Height, 60);
    // Older files keep their row numbers.
    EXPECT_EQ(source.InputFrame[0], "a.bmp");
    EXPECT_EQ(source.OutputFile[0], "x.bmp");
    EXPECT_EQ(source.InputFrame[2], "b.bmp");

    const Region& plain = *project.Regions[2];
    EXPECT_EQ(plain.Width, 6);
    EXPECT_EQ(plain.Height, 6);
    EXPECT_EQ(plain.RegionType, RegionKind::Clip);
    EXPECT_EQ(project.selection.positionOf(plain), 2);
}

TEST_F(ProjectReader, TextBarSpansTheFrameAreaAsFarAsReadSoFar)
{
    load(Lines({"[Main]", "Regions=2", "[Region1]", "width=900", "[Region2]", "TextBar=1"}));
    ASSERT_EQ(project.Regions.size(), 3u);
    EXPECT_EQ(project.Regions[1]->Width, 902);
    EXPECT_EQ(project.FrameAreaWidth, 900);
}

TEST_F(ProjectReader, RegionsRaiseTheFrameAreaByTheirSizeNotTheirEdges)
{
    load(Lines({"[Main]", "Version2=1", "Regions=1", "[Region1]", "Position=500,500,650,420"}));
    EXPECT_EQ(project.FrameAreaWidth, 650);
    EXPECT_EQ(project.FrameAreaHeight, 420);
}

struct PositionCase {
    const char* name;
    const char* position;
    bool kept;
    int left = 0, top = 0, width = 0, height = 0;
};

class PositionList : public ProjectReader, public testing::WithParamInterface<PositionCase> {};

TEST_P(PositionList, GivesTheRegionOrDropsIt)
{
    const PositionCase& c = GetParam();
    const Region* region = c.position ? loadRegion({std::string("Position=") + c.position}) : loadRegion({"Name=x"});
    ASSERT_EQ(region != nullptr, c.kept);
    if (!region)
        return;
    EXPECT_EQ(region->Left, c.left);
    EXPECT_EQ(region->Top, c.top);
    EXPECT_EQ(region->Width, c.width);
    EXPECT_EQ(region->Height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Cases, PositionList,
                         testing::Values(PositionCase{"TwoNumbers", "10,20", true, 10, 20, 0, 0},
                                         PositionCase{"FourZeros", "0,0,0,0", false},
                                         PositionCase{"Missing", nullptr, false},
                                         PositionCase{"SumZero", "-5,-5,5,5", false},
                                         PositionCase{"NotNumbers", "a,7,b,9", true, 0, 7, 0, 9},
                                         PositionCase{"Hexadecimal", "$10,0x20,1,1", true, 16, 32, 1, 1},
                                         PositionCase{"ExtraFieldsDropped", "1,2,3,4,5,6", true, 1, 2, 3, 4},
                                         PositionCase{"EmptyFields", ",,,7", true, 0, 0, 0, 7},
                                         PositionCase{"TooLargeIsZero", "99999999999,1,1,1", true, 0, 1, 1, 1},
                                         PositionCase{"IntRangeEnds", "-2147483648,2147483647,2147483647,-2147483648",
                                                      true, -2147483647 - 1, 2147483647, 2147483647, -2147483647 - 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RowCase {
    const char* name;
    const char* value;
    const char* input;
    const char* output;
};

class WorksheetRow : public ProjectReader, public testing::WithParamInterface<RowCase> {};

TEST_P(WorksheetRow, SplitsIntoInputAndOutput)
{
    const RowCase& c = GetParam();
    const Region* region = loadRegion({"Position=1,1,10,10", std::string("Clip1=") + c.value});
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->InputFrame[0], c.input);
    EXPECT_EQ(region->OutputFile[0], c.output);
}

INSTANTIATE_TEST_SUITE_P(Cases, WorksheetRow,
                         testing::Values(RowCase{"Both", "in.bmp,,out.bmp", "in.bmp", "out.bmp"},
                                         RowCase{"InputOnly", "in.bmp", "in.bmp", ""},
                                         RowCase{"OutputOnly", ",,out.bmp", "", "out.bmp"},
                                         RowCase{"MiddleDiscarded", "in.bmp,mid,out.bmp", "in.bmp", "out.bmp"},
                                         RowCase{"TextAfterThirdCommaDropped", "a,,b,c", "a", "b"},
                                         RowCase{"CommaInANameShifts", "my,in.bmp,,out.bmp", "my", ""},
                                         RowCase{"Trimmed", "  in.bmp,,out.bmp  ", "in.bmp", "out.bmp"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectReader, RowsCloseUpOverGapsAndStopAtFifty)
{
    const Region* region = loadRegion({"Position=1,1,10,10", "Clip2=a,,1", "Clip5=b,,2", "Clip50=c,,3", "Clip51=d,,4"});
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->InputFrame[0], "a");
    EXPECT_EQ(region->InputFrame[1], "b");
    EXPECT_EQ(region->InputFrame[2], "c");
    EXPECT_EQ(region->InputFrame[3], "");
}

struct TypeCase {
    const char* name;
    const char* backgrnd;
    const char* ovlName;
    RegionKind type;
};

class StoredType : public ProjectReader, public testing::WithParamInterface<TypeCase> {};

TEST_P(StoredType, MapsToTheRegionType)
{
    const TypeCase& c = GetParam();
    const Region* region =
        loadRegion({"Position=1,1,10,10", std::string("Backgrnd=") + c.backgrnd, std::string("OVLName=") + c.ovlName});
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->RegionType, c.type);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredType,
    testing::Values(TypeCase{"Clip", "0", "", RegionKind::Clip},
                    TypeCase{"Background", "1", "", RegionKind::Background},
                    TypeCase{"TextBox", "2", "", RegionKind::TextBox},
                    TypeCase{"Overlay", "3", "", RegionKind::Overlay},
                    TypeCase{"AboveRange", "7", "", RegionKind::Clip}, TypeCase{"Negative", "-1", "", RegionKind::Clip},
                    TypeCase{"NotANumber", "x", "", RegionKind::Clip},
                    TypeCase{"BackgroundWithOverlayFile", "1", "/nowhere/o.bmp", RegionKind::Overlay},
                    TypeCase{"ClipKeepsItsOverlayFile", "0", "/nowhere/o.bmp", RegionKind::Clip}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectReader, TextBoxKeysTakeTheirDefaults)
{
    const Region* region = loadRegion({"Position=1,1,10,10", "Backgrnd=2"});
    ASSERT_NE(region, nullptr);
    EXPECT_FALSE(region->Title);
    EXPECT_EQ(region->LineWidth, 1);
    EXPECT_EQ(region->TitleHeight, 20);
    EXPECT_EQ(region->TitleColor, colors::Red);
    EXPECT_EQ(region->BoxColor, colors::White);
}

TEST_F(ProjectReader, TextBoxKeysOfOtherTypesAreIgnored)
{
    const Region* region = loadRegion({"Position=1,1,10,10", "Backgrnd=0", "LineWidth=4", "TitleColor=0"});
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->LineWidth, 1);
    EXPECT_EQ(region->TitleColor, colors::Red);
}

TEST_F(ProjectReader, FrameListClosesGapsAndAppendsBackgrounds)
{
    load(Lines({"[Frames]", "1=a.bmp", "2=b.bmp", "9=c.bmp", "51=late.bmp", "[Backgrounds]", "1=d.bmp", "2=e.bmp"}));
    ASSERT_EQ(project.FrameCount(), 5);
    EXPECT_EQ(project.FrameName(3), "c.bmp");
    EXPECT_EQ(project.FrameName(5), "e.bmp");
}

TEST_F(ProjectReader, MissingRegionSectionsAreSkipped)
{
    load(Lines({"[Main]", "Version2=1", "Regions=3", "[Region1]", "Name=one", "Position=1,1,9,9", "[Region3]",
                "Name=three", "Position=1,1,9,9", "[Region4]", "Name=beyond", "Position=1,1,9,9"}));
    ASSERT_EQ(project.Regions.size(), 2u);
    EXPECT_EQ(project.Regions[1]->Name, "three");
}

TEST_F(ProjectReader, RegionSectionsMatchWithoutRegardToCaseButOnlyInTheirOwnSpelling)
{
    load(Lines({"[Main]", "Version2=1", "Regions=3", "[REGION2]", "Name=two", "Position=1,1,9,9", "[Region01]",
                "Name=padded", "Position=1,1,9,9", "[Region+3]", "Name=signed", "Position=1,1,9,9"}));
    ASSERT_EQ(project.Regions.size(), 1u);
    EXPECT_EQ(project.Regions[0]->Name, "two");
}

TEST_F(ProjectReader, KeysMatchWithoutRegardToCase)
{
    load(Lines({"[MAIN]", "showpreview=1", "LOCKOBJ=1", "[vidiziz]", "CLIPS=0"}));
    EXPECT_TRUE(project.ShowPreview);
    EXPECT_TRUE(project.LockObj);
    EXPECT_FALSE(project.Clips);
}

TEST_F(ProjectReader, NudgeStepIsTakenWithoutRangeCheck)
{
    load(Lines({"[Main]", "NudgeStep=500"}));
    EXPECT_EQ(project.NudgeStep, 500);
}

TEST_F(ProjectReader, PreFilterFileIsRead)
{
    load(Lines({"[Filters]", "VidIziz=c:\\filters\\pre.bmp"}));
    EXPECT_EQ(project.PreFilterFile, "c:\\filters\\pre.bmp");
}

TEST_F(ProjectReader, MissingFileLoadsAsAnEmptyProjectNamedAfterIt)
{
    project.Regions.push_back(std::make_unique<Region>(1, 1, 10, 10));
    project.LockObj = true;
    const LoadResult result = Loadfile(project, dir.file("absent.qvl"));
    EXPECT_FALSE(result.FramesMissing);
    EXPECT_EQ(project.ProjectFileName, "absent.qvl");
    EXPECT_EQ(project.ProjectFolder, dir.path().string());
    EXPECT_TRUE(project.Regions.empty());
    EXPECT_FALSE(project.LockObj);
    EXPECT_TRUE(result.NeedsSaving.empty());
    EXPECT_EQ(project.FrameAreaWidth, 600);
    EXPECT_EQ(project.FrameAreaHeight, 400);
}

TEST_F(ProjectReader, NothingOfThePreviousProjectSurvives)
{
    load(Lines({"[Main]", "LockObj=1", "ShowPreview=1", "NudgeStep=7", "CleanEdges=1", "Rep=r", "Job=j", "[Filters]",
                "VidIziz=pre.bmp", "[Frames]", "1=a.bmp"}));
    load(Lines({"[Main]", "Regions=0"}));
    EXPECT_FALSE(project.LockObj || project.ShowPreview || project.CleanEdges);
    EXPECT_EQ(project.NudgeStep, 1);
    EXPECT_EQ(project.Rep, "");
    EXPECT_EQ(project.Job, "");
    EXPECT_EQ(project.PreFilterFile, "");
    EXPECT_EQ(project.FrameCount(), 0);
}

TEST_F(ProjectReader, WindowsTextIsReadAsUtf8)
{
    const Region* region = loadRegion({"Position=1,1,10,10", "Name=Caf\xe9"});
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->Name, "Caf\xc3\xa9");
}

struct NeedsSavingCase {
    const char* name;
    std::string text;
    std::vector<SaveNeed> needs;
};

class NeedsSavingAfterLoading : public ProjectReader, public testing::WithParamInterface<NeedsSavingCase> {};

// A file opens as unsaved edits only when what was read is not what the file
// holds; the order of its sections and the switches it sets play no part.
TEST_P(NeedsSavingAfterLoading, OnlyWhenTheProjectIsNotWhatTheFileHolds)
{
    EXPECT_EQ(load(GetParam().text).NeedsSaving, GetParam().needs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NeedsSavingAfterLoading,
    testing::Values(NeedsSavingCase{"NoRegions", Lines({"[Main]", "Regions=0", "[VidIziz]", "Clips=0"}), {}},
                    NeedsSavingCase{"CurrentLayout",
                                    Lines({"[Main]", "Version2=1", "Regions=1", "[VidIziz]", "Clips=0", "[Region1]",
                                           "Position=1,1,9,9"}),
                                    {}},
                    NeedsSavingCase{
                        "OlderLayout", Lines({"[Main]", "Regions=1", "[Region1]", "Name=a"}), {SaveNeed::OlderLayout}},
                    NeedsSavingCase{"OlderLayoutTextBarLast",
                                    Lines({"[Main]", "Regions=2", "[Region1]", "Name=a", "[Region2]", "TextBar=1"}),
                                    {SaveNeed::OlderLayout}},
                    NeedsSavingCase{"ReadIncompletely",
                                    Lines({"[Main]", "Version2=1", "Regions=x", "[Region1]", "Position=1,1,9,9"}),
                                    {SaveNeed::ReadIncompletely}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
