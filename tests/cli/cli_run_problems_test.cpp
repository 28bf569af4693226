#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

namespace tolv {
namespace {

using test::RunCli;

// A frame with a clip, and an overlay painted into it, saved as test.qvl.
class CliRunProblemsTest : public testing::Test {
public:
    void SetUp() override
    {
        build.frame("f1.bmp", test::PatternFrame(40, 30, 24));
        build.overlay(0, 0, 4, 4, Bitmap(4, 4, 24), {{"f1.bmp", ""}}, "badge.bmp");
        build.region(RegionKind::Clip, 2, 3, 10, 6, {{"f1.bmp", "clip.bmp"}}, "Door");
    }

    std::string save()
    {
        SaveProject(build.project);
        return "'" + build.project.ProjectFilePath() + "'";
    }

    std::string file(const std::string& name) const { return build.project.FramePath(name); }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
};

std::string LastLine(const std::string& text)
{
    const std::size_t end = text.find_last_not_of('\n');
    return text.substr(text.rfind('\n', end) + 1, end - text.rfind('\n', end));
}

struct ProblemCase {
    const char* name;
    std::function<void(CliRunProblemsTest&)> change;
    std::string flags;
    int exitCode;
    std::string kind;  // of the one problem event, "" for none
    std::string result;
};

class CliExitCodeTest : public CliRunProblemsTest, public testing::WithParamInterface<ProblemCase> {};

TEST_P(CliExitCodeTest, ExitsAndNamesWhatWasLeftUndone)
{
    const ProblemCase& c = GetParam();
    const std::string project = save();
    c.change(*this);
    std::string flags = c.flags;
    if (const std::size_t at = flags.find("{dir}"); at != std::string::npos) {
        flags.replace(at, 5, dir.path().string());
    }
    const test::CliResult result = RunCli("extract --json " + flags + " " + project);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    const std::size_t problem = result.out.find("\"event\":\"problem\"");
    if (c.kind.empty()) {
        EXPECT_EQ(problem, std::string::npos) << result.out;
    } else {
        EXPECT_NE(result.out.find("\"kind\":\"" + c.kind + "\""), std::string::npos) << result.out;
        EXPECT_EQ(result.out.find("\"event\":\"problem\"", problem + 1), std::string::npos) << "one problem only";
        EXPECT_NE(result.err.find("tolvane-cli: "), std::string::npos);
    }
    EXPECT_NE(LastLine(result.out).find("{\"event\":\"done\",\"result\":\"" + c.result + "\""), std::string::npos)
        << result.out;
}

void WriteGarbage(const std::string& path)
{
    test::WriteText(path, "XX");
}

const auto Nothing = [](CliRunProblemsTest&) {};

INSTANTIATE_TEST_SUITE_P(
    Cases, CliExitCodeTest,
    testing::Values(
        ProblemCase{"Clean", Nothing, "", 0, "", "finished"},
        ProblemCase{"FrameMissing", [](auto& t) { std::filesystem::remove(t.file("f1.bmp")); }, "", 4, "frame-missing",
                    "incomplete"},
        ProblemCase{"FrameUnreadable", [](auto& t) { WriteGarbage(t.file("f1.bmp")); }, "", 4, "frame-unreadable",
                    "incomplete"},
        ProblemCase{"OverlayMissing", [](auto& t) { std::filesystem::remove(t.file("badge.bmp")); }, "", 4,
                    "overlay-missing", "incomplete"},
        ProblemCase{"OverlayUnreadable", [](auto& t) { WriteGarbage(t.file("badge.bmp")); }, "", 4,
                    "overlay-unreadable", "incomplete"},
        ProblemCase{"Refused",
                    [](auto& t) { std::filesystem::create_directory_symlink(t.dir.path(), t.file("VidIziz")); }, "", 4,
                    "refused", "incomplete"},
        ProblemCase{"AllowMissing", [](auto& t) { std::filesystem::remove(t.file("f1.bmp")); }, "--allow-missing", 0,
                    "frame-missing", "incomplete"},
        ProblemCase{"WriteError", [](auto& t) { test::WriteText(t.file("VidIziz"), ""); }, "", 3, "", "failed"},
        ProblemCase{"NotAnIndex", [](auto& t) { WriteGarbage(t.file("index.json")); }, "--index '{dir}/index.json'", 2,
                    "", "failed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliRunProblemsTest, NothingToExtractExits4WithTheWindowsText)
{
    build.project.Regions.clear();
    const test::CliResult result = RunCli("extract --json " + save());
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_NE(result.err.find("tolvane-cli: Please define your animation frames"), std::string::npos) << result.err;
    EXPECT_NE(LastLine(result.out).find("\"event\":\"done\""), std::string::npos);
}

TEST_F(CliRunProblemsTest, AMissingProjectStillEndsTheJsonStream)
{
    const test::CliResult result = RunCli("extract --json '" + file("absent.qvl") + "'");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.out.find("\"event\":\"error\""), std::string::npos);
    EXPECT_NE(LastLine(result.out).find("\"result\":\"failed\""), std::string::npos) << result.out;
}

// The test runs in another working folder than the project's.
TEST_F(CliRunProblemsTest, ARelativeOverlayIsFoundInTheProjectFolder)
{
    build.project.Regions.front()->OVLName = "badge.bmp";
    const test::CliResult result = RunCli("extract --json " + save());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.find("\"event\":\"problem\""), std::string::npos) << result.out;
}

// Whatever the check reports as a name the run cannot create, the run refuses.
TEST_F(CliRunProblemsTest, CheckAndExtractAgreeOnNames)
{
    for (const std::string name : {"ok.bmp",
                                   "ctl\x01"
                                   "char.bmp",
                                   "../up.bmp", "sub/", "sub/none.bmp"}) {
        build.project.Regions.back()->OutputFile.set(0, name);
        const std::string project = save();
        const bool reported = RunCli("check " + project).exitCode == 1;
        const test::CliResult run = RunCli("extract --json " + project);
        const bool refused = run.out.find("\"kind\":\"refused\"") != std::string::npos;
        EXPECT_EQ(refused, reported && run.exitCode != 3) << name << run.out;
        EXPECT_EQ(run.err.find('\x01'), std::string::npos) << "escaped";
    }
}

// A dry run answers as the real run, however the project is named.
TEST_F(CliRunProblemsTest, DryRunMatchesTheRealRunForEveryNaming)
{
    save();
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::filesystem::create_symlink(file("test.qvl"), file("link.qvl"));
    for (const std::string& name : std::vector<std::string>{"test.qvl", "./test.qvl", file("test.qvl"), "link.qvl"}) {
        const test::CliResult dry = RunCli("extract --dry-run '" + name + "'");
        EXPECT_EQ(dry.exitCode, 0) << name << dry.err;
        EXPECT_FALSE(std::filesystem::exists(file("VidIziz"))) << name;
    }
    std::filesystem::current_path(before);
}

TEST(CliCommandTest, AMisspeltCommandIsNamed)
{
    const test::CliResult result = RunCli("extrakt x.qvl");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("unknown command 'extrakt'"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("extract, check"), std::string::npos);
}

TEST(CliCommandTest, HelpShowsThePairedFlagsCleanly)
{
    const test::CliResult result = RunCli("extract --help");
    EXPECT_NE(result.out.find("--clips, --no-clips "), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("{false}"), std::string::npos);
}

}  // namespace
}  // namespace tolv
