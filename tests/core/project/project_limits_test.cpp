#include "core/project/project_lines.h"
#include "project/project_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <random>

namespace tolv {
namespace {

using test::Lines;

// Bad and oversized input: the reader never crashes or hangs and keeps within
// the model's limits.
class ProjectReaderLimits : public testing::Test {
protected:
    LoadResult load(const std::string& text) { return LoadProjectText(project, dir.path().string(), "p.qvl", text); }

    test::TempDir dir;
    Project project;
};

// What is not a project is refused, never loaded as an empty one.
TEST_F(ProjectReaderLimits, EmptyLoadsAsAnEmptyProjectAndGarbageIsRefused)
{
    std::mt19937 random(7);
    std::string garbage(100000, '\0');
    for (char& c : garbage)
        c = char(random());
    load("");
    EXPECT_EQ(project.FrameCount(), 0);
    EXPECT_EQ(project.ProjectFileName, "p.qvl");
    for (const std::string& text : {garbage, std::string("[[[[===]]]\n=\n[\n"), std::string(5000, '[')})
        EXPECT_THROW(load(text), NotAProjectError);
}

TEST_F(ProjectReaderLimits, ATenMegabyteFileLoads)
{
    std::string text = Lines({"[Main]", "Version2=1", "Regions=1", "[Region1]", "Position=1,2,30,40", "Name=big"});
    while (text.size() < 10 * 1024 * 1024)
        text += "; filler comment line that carries nothing at all, repeated many times over\r\n";
    test::WriteText(dir.file("big.qvl"), text);
    Loadfile(project, dir.file("big.qvl"));
    ASSERT_EQ(project.Regions.size(), 1u);
    EXPECT_EQ(project.Regions[0]->Name, "big");
}

TEST_F(ProjectReaderLimits, AHundredThousandCharacterValueIsCut)
{
    load(Lines({"[Main]", "Version2=1", "Regions=1", "[Region1]", "Position=1,2,30,40",
                "Name=" + std::string(100000, 'n'), "Clip1=" + std::string(100000, 'c')}));
    ASSERT_EQ(project.Regions.size(), 1u);
    EXPECT_EQ(project.Regions[0]->Name.size(), 2047u);
    EXPECT_EQ(project.Regions[0]->InputFrame[0].size(), 2047u);
}

TEST_F(ProjectReaderLimits, FiveHundredFramesKeepTheFirstFifty)
{
    std::string text = "[Frames]\r\n";
    for (int i = 1; i <= 500; ++i)
        text += std::to_string(i) + "=f" + std::to_string(i) + ".bmp\r\n";
    text += "[Backgrounds]\r\n1=b.bmp\r\n";
    load(text);
    ASSERT_EQ(project.FrameCount(), MaxFrames);
    EXPECT_EQ(project.FrameName(50), "f50.bmp");
    EXPECT_EQ(project.FrameStatusOf(50), FrameMissing);
}

TEST_F(ProjectReaderLimits, TenThousandRegionsLoadAndSave)
{
    std::string text = Lines({"[Main]", "Version2=1", "Regions=10000"});
    for (int r = 1; r <= 10000; ++r)
        text += Lines({"[Region" + std::to_string(r) + "]", "Name=r" + std::to_string(r), "Position=1,1,9,9",
                       "Clip1=a.bmp,,b.bmp"});
    load(text);
    ASSERT_EQ(project.Regions.size(), 10000u);
    EXPECT_EQ(project.Regions.back()->Name, "r10000");
    EXPECT_EQ(project.selection.positionOf(*project.Regions.back()), 9999);
    Project again;
    LoadProjectText(again, dir.path().string(), "p.qvl", ProjectText(project));
    EXPECT_EQ(again.Regions.size(), 10000u);
}

TEST_F(ProjectReaderLimits, AHugeRegionCountReadsOnlyTheSectionsThatExist)
{
    load(Lines({"[Main]", "Version2=1", "Regions=2147483647", "[Region1]", "Position=1,1,9,9", "[Region2147483647]",
                "Name=last", "Position=1,1,9,9", "[Region2147483648]", "Name=beyond", "Position=1,1,9,9"}));
    ASSERT_EQ(project.Regions.size(), 2u);
    EXPECT_EQ(project.Regions[1]->Name, "last");
}

TEST_F(ProjectReaderLimits, ANegativeRegionCountReadsEverySectionAndTheProjectIncompletely)
{
    load(Lines({"[Main]", "Version2=1", "Regions=-3", "[Region1]", "Position=1,1,9,9"}));
    EXPECT_EQ(project.Regions.size(), 1u);
    EXPECT_TRUE(project.ReadIncompletely());
}

TEST_F(ProjectReaderLimits, RegionSectionsWithoutKeysDoNotExist)
{
    load(Lines({"[Main]", "Regions=2", "[Region1]", "; only a comment", "[Region2]", "", "[Region3]", "Name=x"}));
    EXPECT_TRUE(project.Regions.empty());
}

TEST_F(ProjectReaderLimits, HugeRegionsSaturateTheTextBar)
{
    load(Lines({"[Main]", "Regions=2", "[Region1]", "width=2147483647", "height=-2147483648", "[Region2]",
                "left=-2147483648", "TextBar=1"}));
    ASSERT_EQ(project.Regions.size(), 3u);
    EXPECT_EQ(project.FrameAreaWidth, 2147483647);
    EXPECT_EQ(project.FrameAreaHeight, 400);
    EXPECT_EQ(project.Regions[1]->Width, 2147483647);
    EXPECT_EQ(project.Regions[2]->Left, -2147483647 - 1);
}

}  // namespace
}  // namespace tolv
