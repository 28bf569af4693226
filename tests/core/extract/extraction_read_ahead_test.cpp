// The run reads frames ahead; these are the cases where a read-ahead could
// show: errors of later frames, frames the run writes itself, frames it skips.
#include "extract/extraction_run.h"

#include "core/extract/recording_log.h"
#include "platform/errors.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

using test::LoggedLine;
using test::PatternFrame;

constexpr Color Black = colors::Black;

LoggedLine FrameLine(const std::string& name)
{
    return {"Animation frame " + name, Black};
}

LoggedLine Background(const std::string& name)
{
    return {"     Saving background " + name + ".", Black};
}

class ReadAheadTest : public testing::Test {
protected:
    ReadAheadTest()
    {
        for (int i = 1; i <= 4; ++i) {
            frames.push_back(PatternFrame(64, 48, 24, i));
            build.frame(name(i), frames.back());
        }
    }

    static std::string name(int i) { return "f" + std::to_string(i) + ".bmp"; }

    // Every frame but the first from the log's fifth line on.
    std::vector<LoggedLine> body() const
    {
        std::vector<LoggedLine> lines = log.from(4);
        lines.pop_back();
        return lines;
    }

    void backgrounds(std::initializer_list<int> which)
    {
        test::Rows rows;
        for (const int i : which) {
            rows.push_back({name(i), "b" + std::to_string(i) + ".bmp"});
        }
        build.region(RegionKind::Background, 0, 0, 1, 1, rows);
    }

    Bitmap output(const std::string& file) const { return LoadBmp(build.output(file)); }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    test::RecordingLog log;
    std::vector<Bitmap> frames;
};

TEST_F(ReadAheadTest, AnUnreadableFrameStopsTheRunWhereItIsReached)
{
    backgrounds({1, 2, 3, 4});
    test::WriteText(build.project.FramePath(name(3)), "not a bitmap");
    EXPECT_THROW(RunExtraction(build.project, {}, log), InvalidBitmapError);
    EXPECT_EQ(body(), (std::vector<LoggedLine>{FrameLine(name(1)), Background("b1.bmp"), FrameLine(name(2)),
                                               Background("b2.bmp"), FrameLine(name(3))}));
    EXPECT_TRUE(output("b2.bmp") == frames[1]);
    EXPECT_FALSE(std::filesystem::exists(build.output("b4.bmp")));
}

TEST_F(ReadAheadTest, ErrorsOfFramesTheRunDoesNotReachAreNeverRaised)
{
    // Frame 2 is not loaded (no row), frame 3 only for a clip that is off,
    // and the write into a file where the folder belongs stops at frame 4.
    backgrounds({1, 4});
    build.region(RegionKind::Clip, 0, 0, 4, 4, {{name(3), "c3.bmp"}});
    test::WriteText(build.project.FramePath(name(2)), "not a bitmap");
    std::filesystem::remove(build.project.FramePath(name(3)));
    EXPECT_NO_THROW(RunExtraction(build.project, {false, true}, log));
    EXPECT_EQ(body(), (std::vector<LoggedLine>{FrameLine(name(1)), Background("b1.bmp"), FrameLine(name(4)),
                                               Background("b4.bmp")}));

    log.lines.clear();
    std::filesystem::remove_all(dir.path() / "VidIziz");
    test::WriteText((dir.path() / "VidIziz").string(), "x");
    EXPECT_THROW(RunExtraction(build.project, {}, log), FileWriteError);
    EXPECT_EQ(body(), (std::vector<LoggedLine>{FrameLine(name(1)), Background("b1.bmp")}));
}

TEST_F(ReadAheadTest, AFrameThatTheRunWritesIsReadAfterItIsWritten)
{
    // Frame 2 is the background the run writes from frame 1, over an older
    // file of that name: its clip must come from the new file.
    std::filesystem::create_directories(dir.path() / "VidIziz");
    SaveBmp(frames[3], build.output("b1.bmp"));
    build.listFrame("VidIziz/b1.bmp", FrameLoaded);
    backgrounds({1});
    build.region(RegionKind::Clip, 0, 0, 64, 48, {{"VidIziz/b1.bmp", "c.bmp"}});
    RunExtraction(build.project, {}, log);
    EXPECT_TRUE(output("c.bmp") == frames[0]);
}

}  // namespace
}  // namespace tolv
