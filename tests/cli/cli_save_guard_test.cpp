// resave and fill write over the project file only as they read it: not a
// project read incompletely (unless --force), not a file changed meanwhile.
#include "core/project/example_project.h"
#include "support/cli_runner.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace tolv {
namespace {

using test::RunCli;

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

struct CountCase {
    const char* name;
    std::string line;  // Main's Regions line, or none
    std::string value;
};

class CliIncompleteRead : public testing::TestWithParam<CountCase> {};

TEST_P(CliIncompleteRead, IsNotSavedOverUnlessForcedAndTheCheckSaysWhy)
{
    test::TempDir dir;
    const std::string path = dir.file("p.qvl");
    std::string text = test::ExampleProjectText();
    text.replace(text.find("Regions=2\r\n"), 11, GetParam().line);
    test::WriteText(path, text);
    const std::string refusal = "tolvane-cli: Some of p.qvl could not be read; saving will write only what was read\n"
                                "tolvane-cli: check lists what could not be read; --force saves it anyway.\n";
    for (const std::string& command :
         {"resave " + Quoted(path), "fill " + Quoted(path) + " --region Door --frames 1 --output x.bmp"}) {
        const test::CliResult refused = RunCli(command);
        EXPECT_EQ(refused.exitCode, 2) << command;
        EXPECT_EQ(refused.err, "Animation frame files missing.\n" + refusal) << command;
        EXPECT_EQ(test::ReadText(path), text) << command;
    }

    const test::CliResult check = RunCli("check " + Quoted(path));
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.out.find(path + "\n  The region count Regions" + GetParam().value
                             + "; the 2 region sections present were read.\n"),
              std::string::npos)
        << check.out;

    ASSERT_EQ(RunCli("resave --force " + Quoted(path)).exitCode, 0);
    EXPECT_EQ(test::ReadText(path), test::ExampleProjectText()) << "every section was read";
}

INSTANTIATE_TEST_SUITE_P(
    Counts, CliIncompleteRead,
    testing::Values(CountCase{"Missing", "", " is missing"}, CountCase{"Empty", "Regions=\r\n", "= is not a count"},
                    CountCase{"Negative", "Regions=-1\r\n", "=-1 is not a count"},
                    CountCase{"PastTheIntegerRange", "Regions=2147483648\r\n", "=2147483648 is not a count"},
                    CountCase{"Exponent", "Regions=1e3\r\n", "=1e3 is not a count"}),
    [](const auto& info) { return std::string(info.param.name); });

// The command's stderr is a pipe filled to the brim before it starts, so
// its first line ("Animation frame files missing.", written once the project
// is read and before it is saved) holds it until the pipe is drained: a
// change made then comes between its read and its save, every time.
class HeldCommand {
public:
    explicit HeldCommand(const std::vector<std::string>& arguments)
    {
        int pipeEnds[2];
        EXPECT_EQ(::pipe(pipeEnds), 0);
        readEnd_ = pipeEnds[0];
        ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
        const std::string filler(4096, '#');
        while (::write(pipeEnds[1], filler.data(), filler.size()) > 0)
            filled_ += filler.size();
        ::fcntl(pipeEnds[1], F_SETFL, 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(pipeEnds[1], 2);
            ::close(pipeEnds[0]);
            std::vector<char*> argv{const_cast<char*>(TOLV_CLI)};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(TOLV_CLI, argv.data());
            ::_exit(127);
        }
        ::close(pipeEnds[1]);
    }

    // Whether the command now waits in its write to stderr, as far as the
    // system lets a parent see it.
    std::optional<bool> waitsInWrite() const
    {
        std::ifstream syscall("/proc/" + std::to_string(pid_) + "/syscall");
        std::string number, fd;
        if (!(syscall >> number))
            return std::nullopt;
        // "running" while it runs.
        return number == std::to_string(SYS_write) && syscall >> fd && fd == "0x2";
    }

    // Lets it go on; its exit code and what it wrote after the filler.
    std::pair<int, std::string> finish()
    {
        std::string err;
        char buffer[4096];
        for (ssize_t got; (got = ::read(readEnd_, buffer, sizeof buffer)) > 0;)
            err.append(buffer, std::size_t(got));
        ::close(readEnd_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, err.substr(filled_)};
    }

private:
    pid_t pid_ = -1;
    int readEnd_ = -1;
    std::size_t filled_ = 0;
};

struct RaceCase {
    const char* name;
    std::vector<std::string> arguments;  // after the project path
};

class CliRacingChange : public testing::TestWithParam<RaceCase> {};

TEST_P(CliRacingChange, AFileChangedBetweenReadAndSaveIsLeftAsItIsWithExitThree)
{
    test::TempDir dir;
    const std::string path = dir.file("p.qvl");
    test::WriteText(path, test::ExampleProjectText());
    std::vector<std::string> arguments{GetParam().arguments.front(), path};
    arguments.insert(arguments.end(), GetParam().arguments.begin() + 1, GetParam().arguments.end());
    HeldCommand command(arguments);
    std::optional<bool> waiting;
    for (int tries = 0; tries < 1000 && (waiting = command.waitsInWrite()).value_or(false) == false; ++tries) {
        if (!waiting)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!waiting) {
        command.finish();
        GTEST_SKIP() << "the system does not show a process's system call";
    }
    ASSERT_TRUE(*waiting);

    const std::string outside = test::ExampleProjectText() + "; written by another program\r\n";
    test::WriteText(path + ".new", outside);
    std::filesystem::rename(path + ".new", path);
    const auto [exitCode, err] = command.finish();
    EXPECT_EQ(exitCode, 3);
    EXPECT_EQ(err, "Animation frame files missing.\ntolvane-cli: " + path
                       + " was changed on disk since it was opened. It was left as it is.\n");
    EXPECT_EQ(test::ReadText(path), outside);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliRacingChange,
    testing::Values(RaceCase{"Resave", {"resave"}},
                    RaceCase{"Fill", {"fill", "--region", "Door", "--frames", "1-2", "--output", "{n}.bmp"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
