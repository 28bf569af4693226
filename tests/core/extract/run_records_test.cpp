#include "extract/extraction_run.h"

#include "core/extract/recording_log.h"
#include "platform/errors.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

namespace tolv {
namespace {

using test::PatternFrame;

std::set<std::string> FilesIn(const std::filesystem::path& folder)
{
    std::set<std::string> files;
    if (std::filesystem::exists(folder)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file())
                files.insert("VidIziz/" + std::filesystem::relative(entry.path(), folder).string());
        }
    }
    return files;
}

std::vector<std::string> FilesOf(const std::vector<OutputRecord>& records)
{
    std::vector<std::string> files;
    for (const OutputRecord& record : records)
        files.push_back(record.file);
    return files;
}

// Two frames, a background of each, a clip of each and a text box on f1.
class RunRecordsTest : public testing::Test {
protected:
    void SetUp() override
    {
        build.frame("f1.bmp", PatternFrame(64, 48, 8, 1)).frame("f2.bmp", PatternFrame(64, 48, 8, 2));
        build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "b1.bmp"}, {"f2.bmp", "b2.bmp"}}, "Back");
        build.region(RegionKind::Clip, 5, 6, 20, 10, {{"f1.bmp", "c1.bmp"}, {"f2.bmp", "c2.bmp"}}, "Door");
        build.textBox(30, 30, 10, 10, {{"f1.bmp", ""}});
    }

    test::RecordingLog run(ExtractSwitches switches)
    {
        test::RecordingLog log;
        RunExtraction(build.project, switches, log);
        return log;
    }

    // What a run recorded, as an incremental run is given it.
    PreviousOutputs recordedRun(const ExtractSwitches& switches)
    {
        PreviousOutputs recorded;
        for (const OutputRecord& record : run(switches).writes)
            recorded[record.file] = record;
        return recorded;
    }

    std::filesystem::path folder() const { return std::filesystem::path(build.output("x")).parent_path(); }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
};

TEST_F(RunRecordsTest, ADryRunPlansExactlyTheFilesTheRealRunWrites)
{
    ExtractSwitches dry;
    dry.dryRun = true;
    const test::RecordingLog planned = run(dry);
    EXPECT_TRUE(FilesIn(folder()).empty());
    const test::RecordingLog real = run({});
    ASSERT_EQ(FilesOf(planned.writes), FilesOf(real.writes));
    const std::vector<std::string> files = FilesOf(real.writes);
    EXPECT_EQ(FilesIn(folder()), std::set<std::string>(files.begin(), files.end()));
    for (std::size_t i = 0; i < real.writes.size(); ++i) {
        const OutputRecord& record = real.writes[i];
        EXPECT_EQ(planned.writes[i].bytes, record.bytes) << record.file;
        EXPECT_EQ(std::filesystem::file_size(JoinPath(build.project.ProjectFolder, record.file)), record.bytes);
        EXPECT_EQ(record.bpp, 8);
    }
    const OutputRecord& clip = real.writes[1];
    EXPECT_EQ(clip.file, "VidIziz/c1.bmp");
    EXPECT_EQ(clip.region, "Door");
    EXPECT_EQ(clip.frame, "f1.bmp");
    EXPECT_EQ(std::vector<int>({clip.x, clip.y, clip.width, clip.height}), std::vector<int>({5, 6, 20, 10}));
    const OutputRecord& background = real.writes[0];
    EXPECT_EQ(background.type, RegionKind::Background);
    EXPECT_EQ(std::vector<int>({background.x, background.y, background.width, background.height}),
              std::vector<int>({0, 0, 64, 48}));
}

TEST_F(RunRecordsTest, ADryRunStopsAtTheRowTheRealRunStopsAt)
{
    build.project.Regions[1]->OutputFile.set(1, "nosuch/c2.bmp");
    ExtractSwitches dry;
    dry.dryRun = true;
    test::RecordingLog planned;
    EXPECT_THROW(RunExtraction(build.project, dry, planned), FileWriteError);
    test::RecordingLog real;
    EXPECT_THROW(RunExtraction(build.project, {}, real), FileWriteError);
    EXPECT_EQ(planned.lines, real.lines);
    EXPECT_EQ(FilesOf(planned.writes), FilesOf(real.writes));
}

TEST_F(RunRecordsTest, AStopEndsTheRunAfterTheRowAtHand)
{
    test::RecordingLog log;
    log.stopAfterRows = 2;
    EXPECT_EQ(RunExtraction(build.project, {}, log), RunEnd::Stopped);
    EXPECT_EQ(FilesIn(folder()), std::set<std::string>({"VidIziz/b1.bmp", "VidIziz/c1.bmp"}));
    ASSERT_GE(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[log.lines.size() - 2].text, "     Saving clip c1.bmp.");
    EXPECT_EQ(log.lines.back(), (test::LoggedLine{"     Stopped.", colors::Red})) << "a stopped run is not done";
}

struct ChangeCase {
    const char* name;
    std::function<void(test::ProjectBuilder&)> change;
    std::vector<std::string> rewritten;
};

class IncrementalRunTest : public RunRecordsTest, public testing::WithParamInterface<ChangeCase> {};

// The second run is given what the first recorded; only outputs whose
// inputs changed are written again, and every other one is reported kept.
TEST_P(IncrementalRunTest, RewritesOnlyWhatChanged)
{
    ExtractSwitches first;
    first.recordOutputs = true;
    const PreviousOutputs previous = recordedRun(first);

    GetParam().change(build);
    ExtractSwitches again = first;
    again.previous = &previous;
    const test::RecordingLog log = run(again);
    EXPECT_EQ(FilesOf(log.writes), GetParam().rewritten);
    EXPECT_EQ(log.writes.size() + log.skips.size(), 4u);
    for (const OutputRecord& kept : log.skips) {
        const auto logged = std::find_if(log.lines.begin(), log.lines.end(), [&](const test::LoggedLine& line) {
            return line.text == "     Unchanged " + kept.file.substr(8);
        });
        EXPECT_NE(logged, log.lines.end()) << kept.file;
    }
}

// A frame whose every output is kept is not read: here it could not be, as
// its bytes went bad without a change of size or time.
TEST_F(RunRecordsTest, AFrameWhoseOutputsAreAllKeptIsNotRead)
{
    ExtractSwitches first;
    first.recordOutputs = true;
    const PreviousOutputs previous = recordedRun(first);
    const std::string frame = build.project.FramePath("f2.bmp");
    const auto time = std::filesystem::last_write_time(frame);
    const auto size = std::filesystem::file_size(frame);
    test::WriteText(frame, std::string(size, 'x'));
    std::filesystem::last_write_time(frame, time);

    ExtractSwitches again = first;
    again.previous = &previous;
    const test::RecordingLog log = run(again);
    EXPECT_TRUE(log.writes.empty());
    EXPECT_EQ(log.skips.size(), 4u);
}

// An input edited between its reading and the writing of what is made from
// it, or while the frame before it is written (when a frame may be read ahead),
// is never recorded as built: the next run writes its outputs again.
TEST_F(RunRecordsTest, AnInputEditedDuringTheRunIsWrittenAgainByTheNextRun)
{
    Region& overlay = build.overlay(2, 2, 4, 4, PatternFrame(4, 4, 8, 7), {{"f2.bmp", ""}});
    const std::string frame = build.project.FramePath("f2.bmp");
    struct Edit {
        ChangeRule rule;
        std::string file;
        const char* during;
    };
    const std::vector<Edit> edits = {{ChangeRule::Stamp, frame, "f1.bmp"},
                                     {ChangeRule::Stamp, frame, "f2.bmp"},
                                     {ChangeRule::Stamp, overlay.OVLName, "f1.bmp"},
                                     {ChangeRule::Content, frame, "f2.bmp"},
                                     {ChangeRule::Content, overlay.OVLName, "f2.bmp"}};
    int seed = 10;
    for (const Edit& edit : edits) {
        ExtractSwitches first;
        first.recordOutputs = true;
        first.rule = edit.rule;
        first.beforeWriting = [&](const std::string& frameName) {
            if (frameName == edit.during) {
                const bool isFrame = edit.file == frame;
                AtomicFile file(edit.file);
                SaveImageFile(PatternFrame(isFrame ? 64 : 4, isFrame ? 48 : 4, 8, ++seed), file, ImageFormat::Bmp,
                              DefaultPngLevel);
            }
        };
        const PreviousOutputs previous = recordedRun(first);
        // The next run reads the project, and so the overlay, anew.
        LoadOverlay(overlay, build.project.ProjectFolder);
        ExtractSwitches again;
        again.rule = edit.rule;
        again.previous = &previous;
        EXPECT_EQ(FilesOf(run(again).writes), std::vector<std::string>({"VidIziz/b2.bmp", "VidIziz/c2.bmp"}))
            << edit.file << " during " << edit.during;
    }
}

void Touch(const std::string& path)
{
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, IncrementalRunTest,
    testing::Values(ChangeCase{"Nothing", [](test::ProjectBuilder&) {}, {}},
                    ChangeCase{"FrameTouched",
                               [](test::ProjectBuilder& b) { Touch(b.project.FramePath("f2.bmp")); },
                               {"VidIziz/b2.bmp", "VidIziz/c2.bmp"}},
                    ChangeCase{"ClipMoved",
                               [](test::ProjectBuilder& b) { b.project.Regions[1]->Left += 1; },
                               {"VidIziz/c1.bmp", "VidIziz/c2.bmp"}},
                    ChangeCase{"TextBoxOfOneFrameEdited",
                               [](test::ProjectBuilder& b) { b.project.Regions[2]->LineWidth = 3; },
                               {"VidIziz/b1.bmp", "VidIziz/c1.bmp"}},
                    ChangeCase{
                        "OutputReplaced",
                        [](test::ProjectBuilder& b) { test::WriteText(b.output("b2.bmp"), "not the bitmap written"); },
                        {"VidIziz/b2.bmp"}},
                    ChangeCase{"OutputDeleted",
                               [](test::ProjectBuilder& b) { std::filesystem::remove(b.output("c1.bmp")); },
                               {"VidIziz/c1.bmp"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
