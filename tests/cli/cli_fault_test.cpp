#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

extern char** environ;

namespace tolv {
namespace {

namespace fs = std::filesystem;

constexpr int FrameCount = 4;

// Full-HD frames, a background and four clips on each, two of them in a
// sub-folder: big enough that a kill lands in the middle of a file.
void BuildProject(const std::string& folder)
{
    test::ProjectBuilder build(folder);
    test::Rows backgrounds;
    std::vector<test::Rows> clips(4);
    for (int f = 1; f <= FrameCount; ++f) {
        const std::string frame = "f" + std::to_string(f) + ".bmp";
        build.frame(frame, test::PatternFrame(1920, 1080, 24, f));
        backgrounds.emplace_back(frame, "bg" + std::to_string(f) + ".bmp");
        for (std::size_t c = 0; c < clips.size(); ++c) {
            const std::string folderPart = c < 2 ? "" : "sub/";
            clips[c].emplace_back(frame, folderPart + "c" + std::to_string(c) + "_" + std::to_string(f) + ".bmp");
        }
    }
    build.region(RegionKind::Background, 0, 0, 1920, 1080, backgrounds, "Back");
    for (std::size_t c = 0; c < clips.size(); ++c) {
        const int offset = int(c) * 250;
        build.region(RegionKind::Clip, offset, offset / 2, 960, 720, clips[c], "Clip" + std::to_string(c));
    }
    SaveProject(build.project);
    fs::create_directories(fs::path(folder) / "VidIziz" / "sub");
}

std::string ProjectFile(const test::TempDir& dir)
{
    return dir.file("test.qvl");
}

// Every file below `folder`, by its path relative to it.
std::vector<fs::path> FilesBelow(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_directory()) {
            files.push_back(fs::relative(entry.path(), folder));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

pid_t StartExtraction(std::string project)
{
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    std::string cli = TOLV_CLI;
    std::string command = "extract";
    char* arguments[] = {cli.data(), command.data(), project.data(), nullptr};
    pid_t run = -1;
    const int failed = posix_spawn(&run, cli.c_str(), &quiet, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&quiet);
    return failed == 0 ? run : -1;
}

struct OutputState {
    int finished = 0;
    bool writing = false;
};

// Files come and go while the run writes, so a vanished entry is skipped.
OutputState ScanOutputs(const fs::path& folder)
{
    OutputState state;
    std::error_code error;
    for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (entry->is_regular_file(error)) {
            const bool hidden = entry->path().filename().string().front() == '.';
            state.writing |= hidden;
            state.finished += hidden ? 0 : 1;
        }
    }
    return state;
}

// Kills the run once `finished` outputs exist and another is being written.
// False when the run ended before that moment came.
bool KillWhileWriting(pid_t run, const fs::path& outputs, int finished)
{
    int status = 0;
    while (::waitpid(run, &status, WNOHANG) == 0) {
        const OutputState state = ScanOutputs(outputs);
        if (state.finished >= finished && state.writing) {
            ::kill(run, SIGKILL);
            ::waitpid(run, &status, 0);
            return WIFSIGNALED(status);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    return false;
}

class KilledExtractionTest : public testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        reference_ = std::make_unique<test::TempDir>();
        BuildProject(reference_->path().string());
        const test::CliResult result = test::RunCli("extract '" + ProjectFile(*reference_) + "'");
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    static void TearDownTestSuite() { reference_.reset(); }

    static std::unique_ptr<test::TempDir> reference_;
};

std::unique_ptr<test::TempDir> KilledExtractionTest::reference_;

TEST_P(KilledExtractionTest, RerunLeavesExactlyWhatAnUninterruptedRunWrites)
{
    test::TempDir dir;
    BuildProject(dir.path().string());
    const pid_t run = StartExtraction(ProjectFile(dir));
    ASSERT_GT(run, 0);
    EXPECT_TRUE(KillWhileWriting(run, dir.path() / "VidIziz", GetParam())) << "the run ended before the kill";

    const test::CliResult rerun = test::RunCli("extract '" + ProjectFile(dir) + "'");
    ASSERT_EQ(rerun.exitCode, 0) << rerun.err;
    const std::vector<fs::path> files = FilesBelow(dir.path());
    ASSERT_EQ(files, FilesBelow(reference_->path()));
    for (const fs::path& file : files) {
        EXPECT_TRUE(test::ReadText((dir.path() / file).string()) == test::ReadText((reference_->path() / file).string()))
            << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledExtractionTest, testing::Values(0, 3, 9, 15),
                         [](const auto& info) { return "After" + std::to_string(info.param) + "Outputs"; });

}  // namespace
}  // namespace tolv
