#include "core/project/example_project.h"
#include "support/cli_runner.h"
#include "support/test_files.h"
#include "support/unstorable_names.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tolv {
namespace {

using test::RunCli;

// For the shell: every character as it is, single quotes too.
std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

TEST(CliFill, SavesTheFilledWorksheet)
{
    test::TempDir dir;
    const std::string path = dir.file("p.qvl");
    test::WriteText(path, test::ExampleProjectText());
    const test::CliResult result = RunCli("fill " + Quoted(path) + " --region Door --frames 2-9 --output "
                                          + Quoted("{region}/{frame}_{n:03}.bmp"));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const auto model = nlohmann::json::parse(RunCli("show --json " + Quoted(path)).out);
    const auto& rows = model["Regions"][0]["Rows"];
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0],
              (nlohmann::json{{"Row", 1}, {"InputFrame", "walk02.bmp"}, {"OutputFile", "Door/walk02_001.bmp"}}));
    EXPECT_EQ(model["Regions"][1]["Rows"].size(), 1u);
}

struct RefusedFill {
    const char* name;
    const char* arguments;
    const char* message;
};

class CliFillRefusal : public testing::TestWithParam<RefusedFill> {};

TEST_P(CliFillRefusal, ExitsWithTwoAndLeavesTheFileAsItWas)
{
    test::TempDir dir;
    const std::string path = dir.file("p.qvl");
    test::WriteText(path, test::ExampleProjectText());
    const test::CliResult result = RunCli("fill " + Quoted(path) + " " + GetParam().arguments);
    EXPECT_EQ(result.exitCode, 2);
    std::string message = GetParam().message;
    if (const auto at = message.find("PATH"); at != std::string::npos)
        message.replace(at, 4, path);
    EXPECT_NE(result.err.find("tolvane-cli: " + message + "\n"), std::string::npos) << result.err;
    EXPECT_EQ(test::ReadText(path), test::ExampleProjectText());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliFillRefusal,
    testing::Values(RefusedFill{"UnsafeName", "--region Door --frames 1-2 --output '../{n}.bmp'",
                                "Refused unsafe output name ../1.bmp."},
                    RefusedFill{"UnknownRegion", "--region Window --frames 1-2 --output '{n}.bmp'",
                                "region Window does not exist in PATH"},
                    RefusedFill{"UnknownField", "--region Door --frames 1-2 --output '{count}.bmp'",
                                "Unknown template field {count}."},
                    RefusedFill{"BadRange", "--region Door --frames 2-1 --output '{n}.bmp'",
                                "invalid frame range 2-1 (FROM-TO or FROM-TO:STEP)"},
                    RefusedFill{"NoFrameInRange", "--region Door --frames 60-70 --output '{n}.bmp'",
                                "No frame of the frame list lies in this range."}),
    [](const auto& info) { return std::string(info.param.name); });

class CliFillName : public testing::TestWithParam<test::UnstorableName> {};

TEST_P(CliFillName, ANameThatTheProjectFileCannotHoldIsRefusedAndTheFileLeftAsItWas)
{
    test::TempDir dir;
    const std::string path = dir.file("p.qvl");
    test::WriteText(path, test::ExampleProjectText());
    const test::CliResult result =
        RunCli("fill " + Quoted(path) + " --region Door --frames 1-2 --output " + Quoted(GetParam().name));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "Animation frame files missing.\ntolvane-cli: Row 1: " + GetParam().reason + "\n");
    EXPECT_EQ(test::ReadText(path), test::ExampleProjectText());
}

INSTANTIATE_TEST_SUITE_P(Names, CliFillName, testing::ValuesIn(test::UnstorableOutputNames()),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tolv
