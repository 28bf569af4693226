#include "gui/app/command_line.h"

#include <gtest/gtest.h>

namespace tolv::gui {
namespace {

using Request = CommandLine::Request;

struct CommandLineCase {
    QStringList arguments;
    Request request;
    QStringList projects;
};

class CommandLineParsing : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineParsing, TellsWhatTheProgramShouldDo)
{
    const CommandLine commandLine = ParseCommandLine(GetParam().arguments);
    EXPECT_EQ(commandLine.request, GetParam().request);
    EXPECT_EQ(commandLine.projects, GetParam().projects);
    EXPECT_EQ(commandLine.mistake.isEmpty(), GetParam().request != Request::RejectUsage);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, CommandLineParsing,
    testing::Values(CommandLineCase{{}, Request::OpenWindow, {}},
                    CommandLineCase{{"a.qvl"}, Request::OpenWindow, {"a.qvl"}},
                    CommandLineCase{{"--version"}, Request::ShowVersion, {}},
                    CommandLineCase{{"a.qvl", "--help"}, Request::ShowHelp, {}},
                    CommandLineCase{{"-h"}, Request::ShowHelp, {}},
                    CommandLineCase{{"--verbose", "a.qvl"}, Request::RejectUsage, {}},
                    CommandLineCase{{"-x"}, Request::RejectUsage, {}},
                    CommandLineCase{{"a.qvl", "b.qvl"}, Request::RejectUsage, {}},
                    CommandLineCase{{"-style", "fusion", "a.qvl"}, Request::OpenWindow, {"a.qvl"}},
                    CommandLineCase{{"--platform=offscreen", "-reverse", "a.qvl"}, Request::OpenWindow, {"a.qvl"}},
                    CommandLineCase{{"--", "--version"}, Request::OpenWindow, {"--version"}}));

TEST(CommandLine, DarkAsksForTheDarkLookAndKeepsTheProject)
{
    const CommandLine commandLine = ParseCommandLine({"--dark", "a.qvl"});
    EXPECT_EQ(commandLine.request, Request::OpenWindow);
    EXPECT_TRUE(commandLine.dark);
    EXPECT_EQ(commandLine.projects, QStringList{"a.qvl"});
}

}  // namespace
}  // namespace tolv::gui
