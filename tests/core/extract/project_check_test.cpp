#include "extract/project_check.h"

#include "core/extract/output_links.h"
#include "core/extract/recording_log.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

using test::LoggedLine;

// The three lines of one report item.
class Report {
public:
    Report& item(const std::string& subject, const std::string& message, Color color)
    {
        lines.push_back({subject, color});
        lines.push_back({"  " + message, color});
        lines.push_back({" ", color});
        return *this;
    }
    Report& finding(const std::string& subject, const std::string& message = "")
    {
        return item(subject, message, colors::Red);
    }
    Report& opening() { return item("Checking current project <test.qvl>.", "", colors::Blue); }
    Report& closing() { return item("Cross reference check done", "", colors::Blue); }

    std::vector<LoggedLine> lines;
};

class ProjectCheckTest : public testing::Test {
protected:
    int check() { return CheckProject(build.project, log); }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    test::RecordingLog log;
    Bitmap frame = test::PatternFrame(16, 8, 24);
};

TEST_F(ProjectCheckTest, ProjectWithoutFramesStopsAfterSayingSo)
{
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"f1.bmp", "x.bmp"}, {"", "x.bmp"}});
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(log.lines,
              Report().opening().finding("No animation frames have been entered in the Project Setup dialog!").lines);
}

TEST_F(ProjectCheckTest, FramesWithoutRegions)
{
    build.frame("f1.bmp", frame);
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(log.lines, Report().opening().finding("No bitmap clip or background objects").closing().lines);
}

TEST_F(ProjectCheckTest, SoundProjectHasNoFindings)
{
    build.frame("f1.bmp", frame).frame("f2.bmp", frame);
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"F1.bmp", "a.bmp"}, {"f2.bmp", "sub/b.bmp"}});
    build.overlay(0, 0, 5, 5, frame, {{"f1.bmp", ""}});
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(log.lines, Report().opening().closing().lines);
}

TEST_F(ProjectCheckTest, ReportsEveryFindingInOrder)
{
    build.frame("f1.bmp", frame).listFrame("missing.bmp", FrameMissing).listFrame("text.bmp", FrameUnusable);
    test::WriteText(dir.file("text.bmp"), "hello");
    SaveBmp(frame, dir.file("extra.bmp"));

    build.region(RegionKind::Clip, 0, 0, 5, 5,
                 {{"f1.bmp", "Door.bmp"}, {"extra.bmp", "door.BMP"}, {"nowhere.bmp", "../up.bmp"}}, "Door");
    build.region(RegionKind::TextBox, 0, 0, 5, 5, {{"f1.bmp", "door.bmp"}, {"f1.bmp", "door.bmp"}}, "Box");
    Region& missing = build.region(RegionKind::Overlay, 0, 0, 5, 5, {}, "Gone");
    missing.OVLName = dir.file("no_overlay.bmp");
    Region& notBitmap = build.region(RegionKind::Overlay, 0, 0, 5, 5, {}, "Text");
    notBitmap.OVLName = dir.file("text.bmp");
    build.region(RegionKind::Overlay, 0, 0, 5, 5, {}, "Unset");
    build.region(RegionKind::Background, 0, 0, 5, 5, {{"", "Other.bmp"}, {"", "other.bmp"}, {"", "solo.bmp"}}, "Bg");
    // An overlay file name is checked as stored, for overlay regions only.
    build.region(RegionKind::Clip, 0, 0, 5, 5, {}, "Clip").OVLName = dir.file("no_overlay.bmp");

    EXPECT_EQ(check(), 9);
    const std::string folderMessage =
        "This object references an animation frame source file that is not in your project folder";
    EXPECT_EQ(log.lines,
              Report()
                  .opening()
                  .finding(dir.file("missing.bmp"), "Animation frame file does not exist!")
                  .finding(dir.file("text.bmp"), "Animation frame file is not a bitmap file!")
                  .finding("Door <Clip 2>",
                           "This object references an animation frame source file that is not in your project list")
                  .finding("Door <Clip 3>", folderMessage)
                  .finding("Door <Clip 3>", "Output bitmap name leaves the VidIziz folder.")
                  .finding(dir.file("no_overlay.bmp"), "Background overlay file does not exist!")
                  .finding(dir.file("text.bmp"), "Background overlay file is not a bitmap file!")
                  .finding("door.bmp", "Output bitmap name is used more that once.")
                  .finding("other.bmp", "Output bitmap name is used more that once.")
                  .closing()
                  .lines);
}

TEST_F(ProjectCheckTest, DuplicatesAreReportedInTheOrderFirstMet)
{
    build.frame("f1.bmp", frame);
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"f1.bmp", "B.bmp"}, {"f1.bmp", "A.bmp"}});
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"f1.bmp", "a.BMP"}, {"f1.bmp", "b.bmp"}, {"f1.bmp", "B.BMP"}});
    EXPECT_EQ(check(), 2);
    EXPECT_EQ(log.from(3), Report()
                               .finding("b.bmp", "Output bitmap name is used more that once.")
                               .finding("a.bmp", "Output bitmap name is used more that once.")
                               .closing()
                               .lines);
}

class OutputLinkCheckTest : public ProjectCheckTest, public testing::WithParamInterface<test::OutputLinkCase> {};

TEST_P(OutputLinkCheckTest, IsReportedOnce)
{
    const test::OutputLinkCase& c = GetParam();
    test::TempDir outside;
    test::LayOutLink(c, dir.path(), outside.path());
    build.frame("f1.bmp", frame);
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"f1.bmp", "safe.bmp"}, {"f1.bmp", c.output}}, "Door");
    EXPECT_EQ(check(), 1);
    const Report expected = c.outputFolder()
                                ? Report().finding(dir.file("VidIziz"), "VidIziz folder is a symbolic link.")
                                : Report().finding("Door <Clip 2>", "Output bitmap name goes through a symbolic link.");
    EXPECT_EQ(log.from(3), Report(expected).closing().lines);
}

INSTANTIATE_TEST_SUITE_P(Links, OutputLinkCheckTest, test::OutputLinkCases(), test::OutputLinkName);

}  // namespace
}  // namespace tolv
