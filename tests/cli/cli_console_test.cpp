#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tolv {
namespace {

using test::RunCli;

// One frame and one clip whose two output names differ in letter case only
// and hold control characters, saved as test.qvl.
class CliConsoleTest : public testing::Test {
protected:
    void SetUp() override
    {
        build.frame("f1.bmp", test::PatternFrame(8, 8, 24));
        build.region(RegionKind::Clip, 0, 0, 4, 4, {{"f1.bmp", "A\tb\x01.bmp"}, {"f1.bmp", "a\tB\x01.bmp"}}, "Door");
        SaveProject(build.project);
    }

    std::string project() const { return "'" + build.project.ProjectFilePath() + "'"; }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
};

TEST_F(CliConsoleTest, ControlCharactersInNamesArePrintedEscaped)
{
    const test::CliResult result = RunCli("check " + project());
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.out.find("a\\tb\\x01.bmp\n  Output bitmap name is used more that once.\n"), std::string::npos)
        << result.out;
    EXPECT_EQ(result.out.find('\t'), std::string::npos);
    EXPECT_EQ(result.out.find('\x01'), std::string::npos);
}

// Like RunCli, with standard output going to a device that takes no byte.
test::CliResult RunCliIntoFullDevice(const std::string& arguments)
{
    test::TempDir capture;
    const std::string err = capture.file("err");
    const std::string command = "'" + std::string(TOLV_CLI) + "' " + arguments + " >/dev/full 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return test::CliResult{WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", test::ReadText(err)};
}

class CliFullOutputTest : public CliConsoleTest, public testing::WithParamInterface<const char*> {};

TEST_P(CliFullOutputTest, EndsWithExitThree)
{
    const test::CliResult result = RunCliIntoFullDevice(std::string(GetParam()) + " " + project());
    EXPECT_EQ(result.exitCode, 3);
    // The run names its refusals before the output's end is known.
    const std::string last = "tolvane-cli: cannot write the output: No space left on device\n";
    ASSERT_GE(result.err.size(), last.size()) << result.err;
    EXPECT_EQ(result.err.substr(result.err.size() - last.size()), last);
}

INSTANTIATE_TEST_SUITE_P(Commands, CliFullOutputTest, testing::Values("show --json", "show", "check", "extract"));

}  // namespace
}  // namespace tolv
