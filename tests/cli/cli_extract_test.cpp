#include "platform/image/image_file.h"
#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

using test::RunCli;

const std::string Header = "Processing project: test.qvl\n" + std::string(50, '*') + "\n\nExtracting VidIziz\n";

// One frame with a clip and a background region, saved as test.qvl.
class CliExtractTest : public testing::Test {
protected:
    void SetUp() override
    {
        build.frame("f1.bmp", frame);
        build.region(RegionKind::Clip, 2, 3, 10, 6, {{"f1.bmp", "clip.bmp"}}, "Door");
        build.region(RegionKind::Background, 0, 0, 1, 1, {{"F1.bmp", "bg.bmp"}}, "Back");
    }

    std::string save()
    {
        SaveProject(build.project);
        return "'" + build.project.ProjectFilePath() + "'";
    }

    bool written(const std::string& name) const { return std::filesystem::exists(build.output(name)); }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    Bitmap frame = test::PatternFrame(40, 30, 24);
};

TEST_F(CliExtractTest, PrintsTheRunLogAndWritesTheFiles)
{
    const std::string project = save();
    const std::string before = test::ReadText(build.project.ProjectFilePath());
    const test::CliResult result = RunCli("extract " + project);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, Header
                              + "Animation frame f1.bmp\n"
                                "     Saving background bg.bmp.\n"
                                "     Saving clip clip.bmp.\n"
                                "All Done!!!\n");
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(LoadBmp(build.output("bg.bmp")) == frame);
    EXPECT_EQ(LoadBmp(build.output("clip.bmp")).value(0, 0), frame.value(2, 3));
    EXPECT_EQ(test::ReadText(build.project.ProjectFilePath()), before);
}

struct SwitchCase {
    const char* name;
    bool projectClips, projectBackgrounds;
    std::string flags;
    bool clip, background;
};

class CliSwitchTest : public CliExtractTest, public testing::WithParamInterface<SwitchCase> {};

TEST_P(CliSwitchTest, FlagsOverrideTheProjectSwitches)
{
    const SwitchCase& c = GetParam();
    build.project.Clips = c.projectClips;
    build.project.Backgrnds = c.projectBackgrounds;
    const test::CliResult result = RunCli("extract " + c.flags + " " + save());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(written("clip.bmp"), c.clip);
    EXPECT_EQ(written("bg.bmp"), c.background);
}

INSTANTIATE_TEST_SUITE_P(Switches, CliSwitchTest,
                         testing::Values(SwitchCase{"ProjectSwitches", false, true, "", false, true},
                                         SwitchCase{"NoBackgrounds", true, true, "--no-backgrounds", true, false},
                                         SwitchCase{"NoClips", true, true, "--no-clips", false, true},
                                         SwitchCase{"ClipsOn", false, false, "--clips", true, false},
                                         SwitchCase{"BothOn", false, false, "--clips --backgrounds", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliExtractTest, ColoursOnlyWhenAsked)
{
    build.region(RegionKind::Clip, 0, 0, 2, 2, {{"f1.bmp", "../up.bmp"}});
    const std::string project = save();
    const std::string blue = "\x1b[34m";
    const std::string green = "\x1b[32m";
    const std::string red = "\x1b[31m";
    const std::string reset = "\x1b[0m";
    const std::string coloured = blue + "Processing project: test.qvl" + reset + "\n" + blue + std::string(50, '*')
                                 + reset + "\n" + green + reset + "\n" + green + "Extracting VidIziz" + reset + "\n"
                                 + "Animation frame f1.bmp\n"
                                   "     Saving background bg.bmp.\n"
                                   "     Saving clip clip.bmp.\n"
                                 + red + "     Refused unsafe output name ../up.bmp." + reset + "\n" + blue
                                 + "All Done!!!" + reset + "\n";
    EXPECT_EQ(RunCli("extract --color=always " + project).out, coloured);
    EXPECT_EQ(RunCli("extract --color=always " + project, "NO_COLOR=1").out, coloured);
    EXPECT_EQ(RunCli("extract " + project).out.find('\x1b'), std::string::npos);
    EXPECT_EQ(RunCli("extract --color=never " + project).out.find('\x1b'), std::string::npos);
}

TEST_F(CliExtractTest, StoppedRunExitsWithThreeAndTheErrorAfterTheLog)
{
    build.project.Regions[0]->OutputFile.set(0, "nosuch/clip.bmp");
    const test::CliResult result = RunCli("extract " + save());
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out, Header
                              + "Animation frame f1.bmp\n"
                                "     Saving background bg.bmp.\n"
                                "     Saving clip nosuch/clip.bmp.\n"
                                "All Done!!!\n");
    EXPECT_NE(result.err.find("Unable to write to "), std::string::npos) << result.err;
    EXPECT_TRUE(written("bg.bmp"));
}

// A dry run says what the real run then says, stops where it stops, and
// writes nothing, with or without the output folder there.
TEST_F(CliExtractTest, ADryRunPrintsTheRealRunsLogAndWritesNothing)
{
    build.region(RegionKind::Clip, 1, 1, 4, 4, {{"f1.bmp", "../up.bmp"}, {"f1.bmp", "nosuch/late.bmp"}}, "Odd");
    const std::string project = save();
    const std::filesystem::path output = std::filesystem::path(build.output("x")).parent_path();
    for (const bool folderThere : {false, true}) {
        std::filesystem::remove_all(output);
        if (folderThere)
            std::filesystem::create_directory(output);
        const test::CliResult dry = RunCli("extract --dry-run " + project);
        EXPECT_EQ(std::filesystem::exists(output), folderThere);
        if (folderThere) {
            EXPECT_TRUE(std::filesystem::is_empty(output));
        }
        const test::CliResult real = RunCli("extract " + project);
        EXPECT_EQ(dry.exitCode, real.exitCode);
        EXPECT_EQ(dry.out, real.out);
        EXPECT_EQ(dry.err, real.err);
        EXPECT_NE(real.out.find("Saving clip nosuch/late.bmp."), std::string::npos) << real.out;
        EXPECT_TRUE(written("clip.bmp"));
    }
}

// The level trades size for time only: every level writes the same pixels.
TEST_F(CliExtractTest, ThePngLevelChangesTheSizeOfPngOutputsAndNotTheirPixels)
{
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "bg.png"}}, "Png");
    const std::string project = save();
    std::uintmax_t sizes[2] = {};
    Bitmap pictures[2];
    for (const int level : {0, 9}) {
        ASSERT_EQ(RunCli("extract --png-level " + std::to_string(level) + " " + project).exitCode, 0);
        sizes[level / 9] = std::filesystem::file_size(build.output("bg.png"));
        pictures[level / 9] = LoadImageFile(build.output("bg.png"));
    }
    EXPECT_GT(sizes[0], sizes[1]);
    EXPECT_TRUE(pictures[0] == frame);
    EXPECT_TRUE(pictures[1] == frame);
}

struct UsageCase {
    const char* name;
    std::string arguments;
};

class CliUsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageTest, ExitsWithTwo)
{
    const test::TempDir dir;
    const test::CliResult result = RunCli(GetParam().arguments + " '" + dir.file("absent.qvl") + "'");
    EXPECT_EQ(result.exitCode, 2) << result.out << result.err;
    EXPECT_FALSE(result.err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "VidIziz"));
}

INSTANTIATE_TEST_SUITE_P(Arguments, CliUsageTest,
                         testing::Values(UsageCase{"ExtractMissingProject", "extract"},
                                         UsageCase{"CheckMissingProject", "check"},
                                         UsageCase{"ExtractUnknownColour", "extract --color=purple"},
                                         UsageCase{"CheckUnknownOption", "check --clips"},
                                         UsageCase{"ExtractTwoProjects", "extract a.qvl"},
                                         UsageCase{"ExtractPngLevelBeyondNine", "extract --png-level 10"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CliCheckTest, ExitsWithZeroWithoutFindingsAndOneWithThem)
{
    test::TempDir dir;
    test::ProjectBuilder build(dir.path().string());
    build.frame("f1.bmp", test::PatternFrame(8, 8, 24));
    build.region(RegionKind::Clip, 0, 0, 2, 2, {{"f1.bmp", "a.bmp"}});
    SaveProject(build.project);
    const std::string project = "'" + build.project.ProjectFilePath() + "'";

    const test::CliResult clean = RunCli("check " + project);
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(clean.out, "Checking current project <test.qvl>.\n  \n \nCross reference check done\n  \n \n");

    build.region(RegionKind::Clip, 0, 0, 2, 2, {{"f1.bmp", "A.BMP"}}, "Twin");
    SaveProject(build.project);
    const test::CliResult found = RunCli("check --color=always " + project);
    EXPECT_EQ(found.exitCode, 1) << found.err;
    const std::string red = "\x1b[31m";
    const std::string reset = "\x1b[0m";
    EXPECT_NE(found.out.find(red + "a.bmp" + reset + "\n" + red + "  Output bitmap name is used more that once." + reset
                             + "\n" + red + " " + reset + "\n"),
              std::string::npos)
        << found.out;
}

}  // namespace
}  // namespace tolv
