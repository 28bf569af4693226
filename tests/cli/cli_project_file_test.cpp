#include "core/project/file_kinds.h"
#include "platform/image/bitmap.h"
#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sys/stat.h>

#if defined(__SANITIZE_ADDRESS__)
#define TOLV_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOLV_ADDRESS_SANITIZER 1
#endif
#endif

namespace tolv {
namespace {

using test::RunCli;

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

std::string NotAProjectText(const std::string& path)
{
    return "tolvane-cli: " + path + " is not a project file.\n";
}

class CliRefusedFile : public testing::TestWithParam<test::FileKind> {};

TEST_P(CliRefusedFile, ShowAndResaveExitWithTwoAndLeaveItsBytes)
{
    test::TempDir dir;
    const std::string path = dir.file("p.qvl");
    test::WriteText(path, GetParam().bytes);
    for (const std::string command : {"show ", "resave "}) {
        const test::CliResult result = RunCli(command + Quoted(path));
        EXPECT_EQ(result.exitCode, 2) << command;
        EXPECT_EQ(result.err, NotAProjectText(path)) << command;
        EXPECT_EQ(result.out, "") << command;
    }
    EXPECT_EQ(test::ReadText(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CliRefusedFile, testing::ValuesIn(test::NotProjectFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CliRefusedEntry, FolderAndFifoAreNotProjectFiles)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("folder.qvl"));
    ASSERT_EQ(::mkfifo(dir.file("fifo.qvl").c_str(), 0600), 0);
    for (const std::string name : {"folder.qvl", "fifo.qvl"}) {
        for (const std::string command : {"show ", "resave "}) {
            const test::CliResult result = RunCli(command + Quoted(dir.file(name)));
            EXPECT_EQ(result.exitCode, 2) << command << name;
            EXPECT_EQ(result.err, NotAProjectText(dir.file(name))) << command << name;
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.qvl")));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo.qvl")));
}

class CliAcceptedFile : public testing::TestWithParam<test::FileKind> {};

TEST_P(CliAcceptedFile, LoadsAndResavesAsAProject)
{
    test::TempDir dir;
    const std::string path = dir.file("p.qvl");
    test::WriteText(path, GetParam().bytes);
    for (const std::string command : {"show --json ", "resave ", "show --json "}) {
        const test::CliResult result = RunCli(command + Quoted(path));
        ASSERT_EQ(result.exitCode, 0) << command << result.err;
        if (!result.out.empty()) {
            EXPECT_EQ(nlohmann::json::parse(result.out)["NudgeStep"], GetParam().nudgeStep) << command;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CliAcceptedFile, testing::ValuesIn(test::ProjectFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

class CliOutputs : public testing::Test {
protected:
    std::string save()
    {
        SaveProject(build.project);
        return Quoted(build.project.ProjectFilePath());
    }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
};

// A frame of four palette entries whose pixels go up to 200, as some
// programs write them, with its resolution.
TEST_F(CliOutputs, ClipOfAShortPaletteFrameHasEveryEntryAndTheFrameResolution)
{
    Bitmap frame(8, 2, 8, {colors::Red, colors::Green, colors::Blue, colors::White});
    frame.setResolution({2835, 3780});
    frame.setValue(1, 0, 3);
    std::vector<std::uint8_t> file = EncodeBmp(frame);
    const std::uint32_t pixelOffset = file[10] | file[11] << 8;
    file[pixelOffset + 2] = 200;  // the bottom row comes first
    test::WriteText(build.project.FramePath("f1.bmp"), std::string(file.begin(), file.end()));
    build.listFrame("f1.bmp", FrameLoaded);
    build.region(RegionKind::Clip, 0, 0, 4, 2, {{"f1.bmp", "clip.bmp"}});

    ASSERT_EQ(RunCli("extract " + save()).exitCode, 0);
    const Bitmap clip = LoadBmp(build.output("clip.bmp"));
    EXPECT_EQ(clip.palette().size(), 201u);
    EXPECT_EQ(clip.value(2, 1), 200u);
    EXPECT_EQ(clip.value(1, 0), 3u);
    EXPECT_EQ(clip.resolution(), (Resolution{2835, 3780}));
}

TEST_F(CliOutputs, ThousandsOfRegionsOfOneLargeOverlayFitInAModestMemory)
{
#ifdef TOLV_ADDRESS_SANITIZER
    GTEST_SKIP() << "an address-space limit leaves no room for the sanitizer's shadow memory";
#endif
    build.frame("f1.bmp", test::PatternFrame(40, 30, 24));
    build.region(RegionKind::Clip, 2, 3, 10, 6, {{"f1.bmp", "clip.bmp"}});
    // 2,000 decoded copies of this overlay would take 1.4 GB.
    const std::string overlay = build.project.FramePath("overlay.bmp");
    SaveBmp(test::PatternFrame(600, 400, 24), overlay);
    for (int i = 0; i < 2000; ++i)
        build.region(RegionKind::Overlay, 0, 0, 10, 10, {{"f1.bmp", ""}}).OVLName = overlay;
    const std::string project = save();

    const std::string limit = "prlimit --as=" + std::to_string(256 << 20);
    for (const std::string command : {"show ", "check ", "extract "}) {
        const test::CliResult result = RunCli(command + project, limit);
        EXPECT_LE(result.exitCode, 1) << command << result.err;
        EXPECT_EQ(result.err.find("memory"), std::string::npos) << command << result.err;
    }
    EXPECT_TRUE(std::filesystem::exists(build.output("clip.bmp")));
}

TEST_F(CliOutputs, RunningOutOfMemoryIsReportedNotDumped)
{
#ifdef TOLV_ADDRESS_SANITIZER
    GTEST_SKIP() << "an address-space limit leaves no room for the sanitizer's shadow memory";
#endif
    build.frame("f1.bmp", test::PatternFrame(4000, 4000, 24));
    build.region(RegionKind::Clip, 0, 0, 10, 10, {{"f1.bmp", "clip.bmp"}});
    const test::CliResult result = RunCli("extract " + save(), "prlimit --as=" + std::to_string(40 << 20));
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "tolvane-cli: Not enough memory to complete the operation.\n");
}

}  // namespace
}  // namespace tolv
