#include "core/project/example_project.h"
#include "platform/errors.h"
#include "project/project_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

using test::Lines;

Region& AddRegion(Project& project, int left, int top, int width, int height)
{
    project.Regions.push_back(std::make_unique<Region>(left, top, width, height));
    return *project.Regions.back();
}

Project ExampleProject()
{
    Project project;
    project.ShowPreview = true;
    project.NudgeStep = 5;
    project.SetFrameNames({"walk01.bmp", "walk02.bmp"});
    Region& door = AddRegion(project, 120, 40, 64, 96);
    door.Name = "Door";
    SetFilenames(door, 1, "walk01.bmp", "door1.bmp");
    SetFilenames(door, 2, "walk02.bmp", "door2.bmp");
    Region& label = AddRegion(project, 10, 10, 200, 60);
    label.Name = "Label";
    label.RegionType = RegionKind::TextBox;
    label.Title = true;
    label.TitleColor = colors::Maroon;
    SetFilenames(label, 1, "walk01.bmp", "");
    return project;
}

class ProjectWriter : public testing::Test {
protected:
    // Saves `project` into the temporary folder and loads it again.
    Project roundTrip(Project& project)
    {
        project.ProjectFolder = dir.path().string();
        project.ProjectFileName = "p.qvl";
        SaveProject(project);
        Project loaded;
        Loadfile(loaded, project.ProjectFilePath());
        return loaded;
    }

    test::TempDir dir;
};

TEST_F(ProjectWriter, WritesTheExampleByteForByte)
{
    Project project = ExampleProject();
    EXPECT_EQ(ProjectText(project), test::ExampleProjectText());
}

TEST_F(ProjectWriter, SaveWritesTheFile)
{
    Project project = ExampleProject();
    project.ProjectFolder = dir.path().string();
    project.ProjectFileName = "p.qvl";
    SaveProject(project);
    EXPECT_EQ(test::ReadText(dir.file("p.qvl")), test::ExampleProjectText());
}

TEST_F(ProjectWriter, EveryRegionTypeSurvivesARoundTrip)
{
    Project project;
    project.LockObj = true;
    project.CleanEdges = true;
    project.NudgeStep = 50;
    project.Rep = "rep text";
    project.Job = "job";
    project.Clips = false;
    std::vector<std::string> frames;
    for (int i = 1; i <= MaxFrames; ++i)
        frames.push_back("f" + std::to_string(i) + ".bmp");
    project.SetFrameNames(frames);
    for (int type = 0; type < 4; ++type) {
        Region& region = AddRegion(project, -10 * type, 5, 30 + type, 40);
        region.Name = type == 1 ? "" : "Region " + std::to_string(type);
        region.RegionType = RegionKind(type);
        region.Visible = type % 2 == 0;
        region.OVLName = type == 3 ? dir.file("missing-overlay.bmp") : "";
        region.LineWidth = 3;
        region.TitleHeight = 33;
        region.TitleColor = colors::Lime;
        region.BoxColor = 0xFFFFFFFF;  // read back from "-1"
        SetFilenames(region, 50, "f50.bmp", type < 2 ? "out.bmp" : "");
    }

    const Project loaded = roundTrip(project);
    EXPECT_TRUE(loaded.LockObj);
    EXPECT_TRUE(loaded.CleanEdges);
    EXPECT_EQ(loaded.NudgeStep, 50);
    EXPECT_EQ(loaded.Rep, "rep text");
    EXPECT_FALSE(loaded.Clips);
    EXPECT_EQ(loaded.FrameNames, project.FrameNames);
    ASSERT_EQ(loaded.Regions.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const Region& before = *project.Regions[i];
        const Region& after = *loaded.Regions[i];
        EXPECT_EQ(after.Name, before.Name);
        EXPECT_EQ(after.RegionType, before.RegionType);
        EXPECT_EQ(after.Visible, before.Visible);
        EXPECT_EQ(after.OVLName, before.OVLName);
        EXPECT_EQ(after.Left, before.Left);
        EXPECT_EQ(after.Width, before.Width);
        // Compacted: row 50 comes back as row 1.
        EXPECT_EQ(after.InputFrame[0], "f50.bmp");
        EXPECT_EQ(after.OutputFile[0], before.OutputFile[49]);
    }
    const Region& textBox = *loaded.Regions[2];
    EXPECT_EQ(textBox.LineWidth, 3);
    EXPECT_EQ(textBox.TitleHeight, 33);
    EXPECT_EQ(textBox.TitleColor, colors::Lime);
    EXPECT_EQ(textBox.BoxColor, 0xFFFFFFFFu);
}

// The sheet's keys follow the worksheet, where older readers pass over them.
TEST_F(ProjectWriter, ASheetComesBackAfterTheRegionsRows)
{
    Project project = ExampleProject();
    Region& door = *project.Regions[0];
    door.Sheet = {
        "door.png", {SheetArrangement::Grid, 3, 1, 2, true, SheetSizing::PowerOfTwo}, true, 90, SheetPivot{5, 6}};
    const std::string text = ProjectText(project);
    EXPECT_NE(text.find("Clip2=walk02.bmp,,door2.bmp\r\nSheet=door.png\r\nSheetLayout=grid:3\r\n"
                        "SheetPadding=1\r\nSheetExtrude=2\r\nSheetTrim=1\r\nSheetSize=pow2\r\nSheetOnly=1\r\n"
                        "FrameTime=90\r\nPivot=5,6\r\n"),
              std::string::npos)
        << text;
    const Project loaded = roundTrip(project);
    EXPECT_EQ(loaded.Regions[0]->Sheet, door.Sheet);
    EXPECT_FALSE(loaded.Regions[1]->Sheet.enabled());
}

TEST_F(ProjectWriter, RowsAreCompacted)
{
    Project project;
    Region& region = AddRegion(project, 1, 1, 10, 10);
    SetFilenames(region, 2, "a.bmp", "");
    SetFilenames(region, 5, "", "b.bmp");
    const std::string text = ProjectText(project);
    EXPECT_NE(text.find("Clip1=a.bmp,,\r\nClip2=,,b.bmp\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Clip3"), std::string::npos);
}

TEST_F(ProjectWriter, TextBoxValuesOfAnotherTypeAreNotSaved)
{
    Project project;
    Region& region = AddRegion(project, 1, 1, 10, 10);
    region.RegionType = RegionKind::Clip;
    region.LineWidth = 5;
    const Project loaded = roundTrip(project);
    EXPECT_EQ(ProjectText(project).find("LineWidth"), std::string::npos);
    EXPECT_EQ(loaded.Regions.at(0)->LineWidth, 1);
}

TEST_F(ProjectWriter, ABackgroundThatKeptItsOverlayFileComesBackAsOverlay)
{
    Project project;
    Region& region = AddRegion(project, 1, 1, 10, 10);
    region.RegionType = RegionKind::Background;
    region.OVLName = "/nowhere/o.bmp";
    EXPECT_NE(ProjectText(project).find("Backgrnd=1\r\n"), std::string::npos);
    EXPECT_EQ(roundTrip(project).Regions.at(0)->RegionType, RegionKind::Overlay);
}

TEST_F(ProjectWriter, ARegionAtTheOriginWithNoSizeIsWrittenButNotReadBack)
{
    Project project;
    AddRegion(project, 0, 0, 0, 0);
    EXPECT_NE(ProjectText(project).find("Position=0,0,0,0"), std::string::npos);
    EXPECT_TRUE(roundTrip(project).Regions.empty());
}

TEST_F(ProjectWriter, NamesComeBackTrimmedOfBlanksAndQuotes)
{
    Project project;
    const char* names[] = {"  padded  ", "\"quoted\"", "'single'", "inner \"quote\" kept", "a;b=c"};
    for (const char* name : names)
        AddRegion(project, 1, 1, 10, 10).Name = name;
    const Project loaded = roundTrip(project);
    ASSERT_EQ(loaded.Regions.size(), 5u);
    EXPECT_EQ(loaded.Regions[0]->Name, "padded");
    EXPECT_EQ(loaded.Regions[1]->Name, "quoted");
    EXPECT_EQ(loaded.Regions[2]->Name, "single");
    EXPECT_EQ(loaded.Regions[3]->Name, "inner \"quote\" kept");
    EXPECT_EQ(loaded.Regions[4]->Name, "a;b=c");
}

TEST_F(ProjectWriter, OlderLayoutIsResavedInTheCurrentOneWithoutItsReadOnlyParts)
{
    test::WriteText(dir.file("old.qvl"), test::OlderProjectText() + Lines({"[Filters]", "VidIziz=pre.bmp"}));
    Project project;
    Loadfile(project, dir.file("old.qvl"));
    SaveProject(project);
    const std::string text = test::ReadText(dir.file("old.qvl"));
    EXPECT_EQ(text.find("Backgrounds"), std::string::npos);
    EXPECT_EQ(text.find("Filters"), std::string::npos);
    EXPECT_EQ(text.find("TextBar"), std::string::npos);
    EXPECT_NE(text.find("[Frames]\r\n1=a.bmp\r\n2=b.bmp\r\n"), std::string::npos);
    EXPECT_NE(text.find("Regions=3\r\n[VidIziz]"), std::string::npos);

    Project again;
    Loadfile(again, dir.file("old.qvl"));
    ASSERT_EQ(again.Regions.size(), 3u);
    EXPECT_EQ(again.Regions[0]->Width, 602);
    EXPECT_EQ(again.Regions[1]->InputFrame[1], "b.bmp");  // compacted now
    EXPECT_EQ(again.PreFilterFile, "");
}

TEST_F(ProjectWriter, RenumbersRegionSectionsAfterGaps)
{
    test::WriteText(dir.file("p.qvl"), Lines({"[Main]", "Version2=1", "Regions=3", "[Region1]", "Position=1,1,9,9",
                                              "[Region3]", "Position=2,2,9,9"}));
    Project project;
    Loadfile(project, dir.file("p.qvl"));
    const std::string text = ProjectText(project);
    EXPECT_NE(text.find("Regions=2"), std::string::npos);
    EXPECT_NE(text.find("[Region2]"), std::string::npos);
    EXPECT_EQ(text.find("[Region3]"), std::string::npos);
}

TEST_F(ProjectWriter, NoFramesMeansNoFramesSection)
{
    Project project;
    EXPECT_EQ(ProjectText(project).find("[Frames]"), std::string::npos);
}

// A save that fails keeps the previous file and leaves the edits unsaved.
class FailedSave : public ProjectWriter {
protected:
    void expectFailure(Project& project)
    {
        try {
            SaveProject(project);
            FAIL() << "the save should fail";
        } catch (const FileWriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + project.ProjectFilePath());
        }
    }
};

TEST_F(FailedSave, InAFolderThatVanished)
{
    Project project = ExampleProject();
    project.ProjectFolder = dir.file("gone");
    project.ProjectFileName = "p.qvl";
    expectFailure(project);
}

TEST_F(FailedSave, OverADirectoryStandingWhereTheFileShouldBe)
{
    std::filesystem::create_directories(dir.file("p.qvl") + "/inside");
    Project project = ExampleProject();
    project.ProjectFolder = dir.path().string();
    project.ProjectFileName = "p.qvl";
    expectFailure(project);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("p.qvl") + "/inside"));
}

}  // namespace
}  // namespace tolv
