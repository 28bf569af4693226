#include "project/project.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

TEST(ProjectModel, FreshProcessStartsInTheCurrentDirectoryWithNothingExamined)
{
    const Project project;
    EXPECT_EQ(project.ProjectFolder, std::filesystem::current_path().string());
    EXPECT_EQ(project.ProjectFileName, "");
    EXPECT_EQ(project.CurrentFrame, -1);
    EXPECT_EQ(project.NudgeStep, 1);
    EXPECT_TRUE(project.Clips);
    EXPECT_TRUE(project.Backgrnds);
    EXPECT_FALSE(project.Modified || project.LockObj || project.ShowPreview || project.CleanEdges);
    for (int i = 1; i <= MaxFrames; ++i)
        EXPECT_EQ(project.FrameStatusOf(i), FrameUnchecked);
}

TEST(ProjectModel, NeverHoldsMoreThanFiftyFrames)
{
    Project project;
    project.SetFrameNames(std::vector<std::string>(70, "f.bmp"));
    EXPECT_EQ(project.FrameCount(), MaxFrames);
    EXPECT_FALSE(project.AddFrameName("g.bmp"));
    EXPECT_EQ(project.FrameCount(), MaxFrames);
}

// A project with something of everything that a reset may or may not clear.
Project UsedProject()
{
    Project project;
    project.Regions.push_back(std::make_unique<Region>(1, 2, 30, 40));
    project.RegionListChanged();
    project.selection.set(*project.Regions.front(), SelectionState::Current);
    project.selection.setAnchor(0);
    project.SetFrameNames({"a.bmp"});
    project.CurrentFrame = 1;
    project.LockObj = true;
    project.ShowPreview = true;
    project.NudgeStep = 9;
    project.CleanEdges = true;
    project.Rep = "A";
    project.Job = "B";
    project.Clips = false;
    project.PreFilterFile = "pre.bmp";
    return project;
}

TEST(ProjectModel, ResetForNewKeepsTheOptions)
{
    Project project = UsedProject();
    project.ResetForNew();
    EXPECT_TRUE(project.Regions.empty());
    EXPECT_TRUE(project.selection.empty());
    EXPECT_EQ(project.selection.current(), nullptr);
    EXPECT_EQ(project.selection.anchor(), -1);
    EXPECT_EQ(project.FrameCount(), 0);
    EXPECT_EQ(project.CurrentFrame, 0);
    EXPECT_FALSE(project.LockObj);
    EXPECT_EQ(project.FrameAreaWidth, 790);
    EXPECT_EQ(project.FrameAreaHeight, 790);
    EXPECT_TRUE(project.ShowPreview);
    EXPECT_EQ(project.NudgeStep, 9);
    EXPECT_TRUE(project.CleanEdges);
    EXPECT_EQ(project.Rep, "A");
    EXPECT_EQ(project.Job, "B");
    EXPECT_FALSE(project.Clips);
    EXPECT_EQ(project.PreFilterFile, "pre.bmp");
}

TEST(ProjectModel, ResetBeforeLoadingEmptiesWhatTheFileDoesNotSet)
{
    Project project = UsedProject();
    project.ResetBeforeLoading();
    EXPECT_TRUE(project.Regions.empty());
    EXPECT_EQ(project.selection.current(), nullptr);
    EXPECT_EQ(project.FrameCount(), 0);
    EXPECT_EQ(project.CurrentFrame, -1);
    EXPECT_FALSE(project.LockObj);
    EXPECT_EQ(project.PreFilterFile, "");
    // The reader compares the switches with the file's, so they stay.
    EXPECT_FALSE(project.Clips);
}

TEST(ProjectModel, ANewRegionHasTheDefaults)
{
    const auto region = std::make_unique<Region>(-1, 2, 3, 4);
    EXPECT_EQ(region->Left, -1);
    EXPECT_EQ(region->Top, 2);
    EXPECT_EQ(region->Width, 3);
    EXPECT_EQ(region->Height, 4);
    EXPECT_EQ(region->Name, "New Object");
    EXPECT_TRUE(region->Visible);
    EXPECT_EQ(region->RegionType, RegionKind::Clip);
    EXPECT_FALSE(region->MergeImage || region->MergeMask);
}

TEST(ProjectModel, SetFilenamesStoresRowsOneToFiftyOnly)
{
    Project project;
    auto region = std::make_unique<Region>(0, 0, 10, 10);
    SetFilenames(*region, 50, "in.bmp", "out.bmp");
    EXPECT_EQ(region->InputFrame[49], "in.bmp");
    EXPECT_EQ(region->OutputFile[49], "out.bmp");

    const Region before = Region(*region);
    SetFilenames(*region, 0, "x", "y");
    SetFilenames(*region, 51, "x", "y");
    EXPECT_EQ(region->InputFrame, before.InputFrame);
    EXPECT_EQ(region->OutputFile, before.OutputFile);
}

TEST(RegionTexts, HintGeometryAndMarker)
{
    Region region(10, 20, 30, 40);
    region.Name = "Gauge";
    EXPECT_EQ(HintText(region), "[Gauge]  x:10  y:20  w:30  h:40");
    EXPECT_EQ(GeometryText(region), " x:10  y:20   w:30 h:40");
    EXPECT_EQ(PickText(region), "Gauge  ");
    region.Visible = false;
    EXPECT_STREQ(VisibilityMarker(region), " <Hidden>");
    EXPECT_EQ(PickText(region), "Gauge <Hidden>");
    region.Left = -5;
    EXPECT_EQ(GeometryText(region), " x:-5  y:20   w:30 h:40");
}

}  // namespace
}  // namespace tolv
