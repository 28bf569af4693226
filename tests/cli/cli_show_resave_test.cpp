#include "core/project/example_project.h"
#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace tolv {
namespace {

using test::RunCli;

class CliProject : public testing::Test {
protected:
    std::string write(const std::string& text, const std::string& name = "p.qvl")
    {
        test::WriteText(dir.file(name), text);
        return dir.file(name);
    }

    static std::string quoted(const std::string& path) { return "'" + path + "'"; }

    test::TempDir dir;
};

TEST_F(CliProject, ShowJsonPrintsTheLoadedModel)
{
    const std::string path = write(test::ExampleProjectText());
    const test::CliResult result = RunCli("show --json " + quoted(path));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "Animation frame files missing.\n");

    const auto model = nlohmann::json::parse(result.out);
    EXPECT_EQ(model["ProjectFolder"], dir.path().string());
    EXPECT_EQ(model["ProjectFileName"], "p.qvl");
    EXPECT_EQ(model["Modified"], false);
    EXPECT_EQ(model["ShowPreview"], true);
    EXPECT_EQ(model["NudgeStep"], 5);
    EXPECT_EQ(model["Clips"], true);
    EXPECT_EQ(model["PreFilterFile"], "");
    EXPECT_EQ(model["FrameAreaWidth"], 600);
    EXPECT_EQ(model["FrameAreaHeight"], 400);
    ASSERT_EQ(model["Frames"].size(), 2u);
    EXPECT_EQ(model["Frames"][1]["Name"], "walk02.bmp");
    EXPECT_EQ(model["Frames"][1]["Status"], 1);
    ASSERT_EQ(model["Regions"].size(), 2u);

    const auto& door = model["Regions"][0];
    EXPECT_EQ(door["Name"], "Door");
    EXPECT_EQ(door["Left"], 120);
    EXPECT_EQ(door["Height"], 96);
    EXPECT_EQ(door["RegionType"], 0);
    EXPECT_EQ(door["Visible"], true);
    ASSERT_EQ(door["Rows"].size(), 2u);
    EXPECT_EQ(door["Rows"][1], (nlohmann::json{{"Row", 2}, {"InputFrame", "walk02.bmp"}, {"OutputFile", "door2.bmp"}}));

    const auto& label = model["Regions"][1];
    EXPECT_EQ(label["RegionType"], 2);
    EXPECT_EQ(label["Title"], true);
    EXPECT_EQ(label["TitleColor"], 128);
    EXPECT_EQ(label["BoxColor"], 16777215);
    EXPECT_EQ(label["Rows"].size(), 1u);
}

TEST_F(CliProject, ShowJsonOfAnOlderLayoutHasTheTextBarRegion)
{
    const test::CliResult result = RunCli("show --json " + quoted(write(test::OlderProjectText())));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto model = nlohmann::json::parse(result.out);
    EXPECT_EQ(model["Modified"], true);
    ASSERT_EQ(model["Regions"].size(), 3u);
    EXPECT_EQ(model["Regions"][0]["Left"], -1);
    EXPECT_EQ(model["Regions"][0]["Width"], 602);
    EXPECT_EQ(model["Regions"][0]["RegionType"], 2);
    // Older files keep their row numbers: rows 1 and 3.
    EXPECT_EQ(model["Regions"][1]["Rows"][1]["Row"], 3);
}

TEST_F(CliProject, ShowPrintsTheSameAsReadableText)
{
    const test::CliResult result = RunCli("show " + quoted(write(test::ExampleProjectText())));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* line :
         {"ProjectFileName: p.qvl\n", "Modified: false\n", "NudgeStep: 5\n", "Rep: \n",
          "Frames:\n  - Name: walk01.bmp\n    Status: 1\n", "Regions:\n  - Name: Door\n    Left: 120\n",
          "    Rows:\n      - Row: 1\n        InputFrame: walk01.bmp\n        OutputFile: door1.bmp\n"}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line << "\nin:\n" << result.out;
    }
}

TEST_F(CliProject, ShowOfAnEmptyProjectSaysNone)
{
    const test::CliResult result = RunCli("show " + quoted(write("")));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Frames: none\nRegions: none\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.err, "");
}

TEST_F(CliProject, ResaveOfTheCurrentLayoutKeepsTheBytes)
{
    const std::string path = write(test::ExampleProjectText());
    const test::CliResult result = RunCli("resave " + quoted(path));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(test::ReadText(path), test::ExampleProjectText());
}

TEST_F(CliProject, ResaveConvertsAnOlderLayout)
{
    const std::string path = write(test::OlderProjectText());
    ASSERT_EQ(RunCli("resave " + quoted(path)).exitCode, 0);
    const std::string text = test::ReadText(path);
    EXPECT_NE(text.find("Version2=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("Position=-1,-1,602,20\r\n"), std::string::npos);
    EXPECT_EQ(text.find("TextBar"), std::string::npos);
    const auto model = nlohmann::json::parse(RunCli("show --json " + quoted(path)).out);
    EXPECT_EQ(model["Regions"].size(), 3u);
    EXPECT_EQ(model["Modified"], false);
}

TEST_F(CliProject, ResaveThatCannotWriteKeepsTheFileAndExitsWithThree)
{
    // The new file is larger than the file size limit below, so it cannot be completed.
    const std::string path = write(test::ExampleProjectText() + "; " + std::string(3000, 'x') + "\r\n");
    const std::string before = test::ReadText(path);
    const test::CliResult result = RunCli("resave " + quoted(path), "--ignore-signal=XFSZ prlimit --fsize=200");
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "Animation frame files missing.\ntolvane-cli: Unable to write to " + path + "\n");
    EXPECT_EQ(test::ReadText(path), before);
}

TEST_F(CliProject, MissingProjectFileAndUsageErrorsExitWithTwo)
{
    const test::CliResult missing = RunCli("show " + quoted(dir.file("absent.qvl")));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find(dir.file("absent.qvl")), std::string::npos);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(RunCli("resave " + quoted(dir.file("absent.qvl"))).exitCode, 2);
    EXPECT_EQ(RunCli("resave").exitCode, 2);
    EXPECT_EQ(RunCli("show --yaml " + quoted(write(""))).exitCode, 2);
}

}  // namespace
}  // namespace tolv

namespace tolv {
namespace {

// One Windows-1252 byte on the Job line no longer turns the UTF-8 names of
// the other lines into mojibake, in the run or in the file saved.
TEST(CliDecoding, AStrayByteChangesOnlyItsOwnLine)
{
    test::TempDir dir;
    test::ProjectBuilder build(dir.path().string());
    build.frame("f1.bmp", test::PatternFrame(8, 8, 24));
    build.region(RegionKind::Background, 0, 0, 8, 8, {{"f1.bmp", "hintergrund_\xC3\xA4.bmp"}});
    SaveProject(build.project);
    const std::string path = build.project.ProjectFilePath();
    std::string text = test::ReadText(path);
    text.replace(text.find("Job=\r\n"), 6, "Job=Caf\xE9\r\n");
    test::WriteText(path, text);

    ASSERT_EQ(RunCli("extract '" + path + "'").exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(build.output("hintergrund_\xC3\xA4.bmp")));
    ASSERT_EQ(RunCli("resave '" + path + "'").exitCode, 0);
    std::string expected = text;
    expected.replace(expected.find("Job=Caf\xE9"), 8, "Job=Caf\xC3\xA9");
    EXPECT_EQ(test::ReadText(path), expected);
}

}  // namespace
}  // namespace tolv
