// The number of threads that cut and encode outputs is the run's own
// business: files, logs and events stay those of a run with one worker, and
// a run that is stopped or fails stops at the same row.
#include "extract/extraction_run.h"

#include "core/extract/recording_log.h"
#include "platform/errors.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

namespace tolv {
namespace {

namespace fs = std::filesystem;

enum class Trouble { None, StopAfterRow7, UnreadableFrame, DirectoryWhereAClipGoes };

// The frames begun and ended and the files written, in the order told.
class OrderLog : public test::RecordingLog {
public:
    void frameStarted(const std::string& frame, int) override { order.push_back("frame " + frame); }
    void progress(int done, int toDo) override { order.push_back("done " + std::to_string(done)), (void)toDo; }
    void wrote(const OutputRecord& output) override
    {
        order.push_back("wrote " + output.frame);
        test::RecordingLog::wrote(output);
    }

    std::vector<std::string> order;
};

// Everything a run leaves: the files below the output folder, the log and
// the events.
struct RunTrace {
    std::map<std::string, std::string> files;
    std::vector<std::string> order;
    std::vector<test::LoggedLine> lines;
    std::vector<std::tuple<std::string, std::string, int, int, std::uint64_t, std::uint64_t>> writes;
    std::vector<std::string> refusals;
    bool raised = false;
};

RunTrace RunWith(int workers, Trouble trouble)
{
    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    for (int f = 1; f <= 4; ++f) {
        const std::string name = "f" + std::to_string(f) + (f == 2 ? ".png" : ".bmp");
        build.frame(name, test::PatternFrame(96, 64, f == 3 ? 8 : 24, f));
    }
    auto rows = [&](const std::string& stem, const std::string& extension) {
        test::Rows all;
        for (const std::string& frame : build.project.FrameNames) {
            all.push_back({frame, stem + "_" + frame.substr(0, 2) + extension});
        }
        return all;
    };
    build.region(RegionKind::Clip, 5, 6, 30, 20, rows("a", ".png"), "A");
    build.region(RegionKind::Clip, 50, 10, 40, 40, rows("b", ".bmp"), "B");
    build.region(RegionKind::Clip, 90, 60, 20, 20, rows("outside", ".bmp"), "Outside");
    build.region(RegionKind::Clip, 0, 0, 96, 64, rows("c", ".png"), "C");
    build.region(RegionKind::Background, 0, 0, 1, 1, rows("bg", ".png"), "Bg");
    OrderLog log;
    switch (trouble) {
    case Trouble::None:
        break;
    case Trouble::StopAfterRow7:
        log.stopAfterRows = 7;
        break;
    case Trouble::UnreadableFrame:
        test::WriteText(build.project.FramePath("f3.bmp"), "no bitmap");
        break;
    case Trouble::DirectoryWhereAClipGoes:
        fs::create_directories(build.output("b_f3.bmp") + "/inside");
        break;
    }
    RunTrace trace;
    ExtractSwitches switches;
    switches.workers = workers;
    switches.recordOutputs = true;
    try {
        RunExtraction(build.project, switches, log);
    } catch (const TolvError&) {
        trace.raised = true;
    }
    for (const auto& entry : fs::recursive_directory_iterator(JoinPath(build.project.ProjectFolder, "VidIziz"))) {
        if (entry.is_regular_file()) {
            trace.files[entry.path().filename().string()] = test::ReadText(entry.path().string());
        }
    }
    trace.lines = log.lines;
    trace.order = log.order;
    for (const OutputRecord& w : log.writes) {
        trace.writes.emplace_back(w.file, w.frame, w.width, w.bpp, w.bytes, w.hash);
    }
    for (const Refusal& refusal : log.refusals) {
        trace.refusals.push_back(refusal.message);
    }
    return trace;
}

class RunWorkersTest : public testing::TestWithParam<Trouble> {};

TEST_P(RunWorkersTest, AnyNumberOfWorkersLeavesWhatOneLeaves)
{
    const RunTrace one = RunWith(1, GetParam());
    ASSERT_FALSE(one.writes.empty());
    for (const int workers : {2, 8}) {
        const RunTrace many = RunWith(workers, GetParam());
        EXPECT_TRUE(many.files == one.files) << workers << " workers";
        EXPECT_EQ(many.lines, one.lines) << workers << " workers";
        EXPECT_EQ(many.order, one.order) << workers << " workers";
        EXPECT_TRUE(many.writes == one.writes) << workers << " workers";
        EXPECT_EQ(many.refusals, one.refusals) << workers << " workers";
        EXPECT_EQ(many.raised, one.raised) << workers << " workers";
    }
}

// The rows of a frame are written while the next one is read and decided;
// what the run tells still goes frame by frame.
TEST(RunWorkersOrderTest, EachFrameIsDoneBeforeTheNextBegins)
{
    const RunTrace trace = RunWith(2, Trouble::None);
    std::vector<std::string> expected;
    int done = 0;
    for (const std::string frame : {"f1.bmp", "f2.png", "f3.bmp", "f4.bmp"}) {
        expected.push_back("frame " + frame);
        expected.insert(expected.end(), 5, "wrote " + frame);
        expected.push_back("done " + std::to_string(++done));
    }
    EXPECT_EQ(trace.order, expected);
}

INSTANTIATE_TEST_SUITE_P(Runs, RunWorkersTest,
                         testing::Values(Trouble::None, Trouble::StopAfterRow7, Trouble::UnreadableFrame,
                                         Trouble::DirectoryWhereAClipGoes));

}  // namespace
}  // namespace tolv
