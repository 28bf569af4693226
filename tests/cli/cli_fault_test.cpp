#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace tolv {
namespace {

namespace fs = std::filesystem;

// Full-HD frames, a background and four clips on each, two of them in a
// sub-folder. Returns the project file.
std::string BuildProject(const test::TempDir& dir)
{
    test::ProjectBuilder build(dir.path().string());
    std::vector<test::Rows> rows(5);
    for (int f = 1; f <= 4; ++f) {
        const std::string frame = "f" + std::to_string(f) + ".bmp";
        build.frame(frame, test::PatternFrame(1920, 1080, 24, f));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            rows[r].emplace_back(frame, (r < 3 ? "" : "sub/") + std::to_string(r) + "_" + frame);
        }
    }
    build.region(RegionKind::Background, 0, 0, 1920, 1080, rows[0]);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        build.region(RegionKind::Clip, int(r) * 250, int(r) * 125, 960, 720, rows[r]);
    }
    SaveProject(build.project);
    fs::create_directories(dir.path() / "VidIziz" / "sub");
    return build.project.ProjectFilePath();
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

// Starts a run that stops itself just before it would put output number
// `finished` + 1 in place.
pid_t StartExtractionStoppingAfter(std::string project, int finished)
{
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> settings = {"LD_PRELOAD=" TOLV_STOP_BEFORE_RENAME,
                                         "TOLV_STOP_BEFORE_RENAME=" + std::to_string(finished + 1),
                                         // A sanitized build would refuse a library loaded before its runtime.
                                         "ASAN_OPTIONS=verify_asan_link_order=0"};
    for (char** setting = environ; *setting; ++setting) {
        settings.emplace_back(*setting);
    }
    std::vector<char*> environment;
    for (std::string& setting : settings) {
        environment.push_back(setting.data());
    }
    environment.push_back(nullptr);
    std::string cli = TOLV_CLI;
    std::string command = "extract";
    char* arguments[] = {cli.data(), command.data(), project.data(), nullptr};
    pid_t run = -1;
    const int failed = posix_spawn(&run, cli.c_str(), &quiet, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&quiet);
    return failed == 0 ? run : -1;
}

// The finished outputs below `outputs` and whether a temporary file is there.
std::pair<int, bool> OutputsAndTemporary(const fs::path& outputs)
{
    int finished = 0;
    bool writing = false;
    for (const auto& entry : fs::recursive_directory_iterator(outputs)) {
        const bool hidden = entry.path().filename().string().front() == '.';
        writing |= hidden;
        finished += entry.is_regular_file() && !hidden ? 1 : 0;
    }
    return {finished, writing};
}

// False when the run ended before it stopped.
bool KillWhenStopped(pid_t run)
{
    int status = 0;
    if (::waitpid(run, &status, WUNTRACED) != run || !WIFSTOPPED(status))
        return false;
    ::kill(run, SIGKILL);
    ::waitpid(run, &status, 0);
    return WIFSIGNALED(status);
}

class KilledExtractionTest : public testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        reference_ = std::make_unique<test::TempDir>();
        const test::CliResult result = test::RunCli("extract '" + BuildProject(*reference_) + "'");
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    static void TearDownTestSuite() { reference_.reset(); }

    static std::unique_ptr<test::TempDir> reference_;
};

std::unique_ptr<test::TempDir> KilledExtractionTest::reference_;

TEST_P(KilledExtractionTest, RerunLeavesExactlyWhatAnUninterruptedRunWrites)
{
    test::TempDir dir;
    const std::string project = BuildProject(dir);
    const pid_t run = StartExtractionStoppingAfter(project, GetParam());
    ASSERT_GT(run, 0);
    ASSERT_TRUE(KillWhenStopped(run)) << "the run ended before the kill";
    ASSERT_EQ(OutputsAndTemporary(dir.path() / "VidIziz"), std::make_pair(GetParam(), true));

    const test::CliResult rerun = test::RunCli("extract '" + project + "'");
    ASSERT_EQ(rerun.exitCode, 0) << rerun.err;
    const std::vector<fs::path> files = FilesBelow(dir.path());
    ASSERT_EQ(files, FilesBelow(reference_->path()));
    for (const fs::path& file : files) {
        EXPECT_TRUE(test::ReadText((dir.path() / file).string())
                    == test::ReadText((reference_->path() / file).string()))
            << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledExtractionTest, testing::Values(0, 3, 9, 15),
                         [](const auto& info) { return "After" + std::to_string(info.param) + "Outputs"; });

}  // namespace
}  // namespace tolv
