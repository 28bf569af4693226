#include "extract/project_check.h"

#include "project/project_file.h"

#include "core/extract/output_links.h"
#include "core/extract/recording_log.h"
#include "support/png_file.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    std::filesystem::create_directories(dir.path() / "VidIziz" / "sub");
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(log.lines, Report().opening().closing().lines);
}

TEST_F(ProjectCheckTest, ReportsARegionWithNoPixelOnTheFrame)
{
    build.frame("f1.bmp", frame);
    build.project.FrameAreaWidth = 600;
    build.project.FrameAreaHeight = 400;
    build.region(RegionKind::Clip, 99999, 2000, 5000, 40, {{"f1.bmp", "far.bmp"}}, "Far");
    build.region(RegionKind::TextBox, -1, -1, 602, 20, {{"f1.bmp", ""}}, "Bar");
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(log.lines, Report().opening().finding("Far", "Region lies outside the frame").closing().lines)
        << "a region reaching past the edges lies on the frame";
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

TEST_F(ProjectCheckTest, PngNamesAreCheckedAsBmpNamesAreAndTheContentDecides)
{
    // A frame and an overlay are judged by what they hold, whatever they are called.
    build.frame("f1.png", frame).listFrame("cut.png", FrameUnusable);
    test::WriteText(dir.file("cut.png"), test::PngFile({}).substr(0, 40));
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"F1.PNG", "Door.png"}, {"cut.png", "door.PNG"}}, "Door");
    build.overlay(0, 0, 5, 5, frame, {{"f1.png", ""}}, "badge.png");

    EXPECT_EQ(check(), 2);
    EXPECT_EQ(log.lines, Report()
                             .opening()
                             .finding(dir.file("cut.png"), "Animation frame file is not a bitmap file!")
                             .finding("door.png", "Output bitmap name is used more that once.")
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

TEST_F(ProjectCheckTest, DuplicatesAmongManyRowsAreFoundAsAmongFew)
{
    build.frame("f1.bmp", frame);
    const int regions = 2000;
    for (int i = 0; i < regions; ++i) {
        test::Rows rows;
        for (int r = 0; r < WorksheetRows; ++r) {
            rows.emplace_back("", "r" + std::to_string(i) + "_" + std::to_string(r) + ".bmp");
        }
        build.region(RegionKind::Background, 0, 0, 5, 5, rows);
    }
    // Met in this order: Same (0), OTHER (5), Other (1000), same (1999).
    build.project.Regions[0]->OutputFile.set(0, "Same.bmp");
    build.project.Regions[5]->OutputFile.set(3, "OTHER.bmp");
    build.project.Regions[1000]->OutputFile.set(10, "Other.bmp");
    build.project.Regions[regions - 1]->OutputFile.set(WorksheetRows - 1, "same.BMP");
    EXPECT_EQ(check(), 2);

    test::TempDir fewDir;
    test::ProjectBuilder few{fewDir.path().string()};
    few.frame("f1.bmp", frame);
    few.region(RegionKind::Background, 0, 0, 5, 5,
               {{"", "Same.bmp"}, {"", "OTHER.bmp"}, {"", "Other.bmp"}, {"", "same.BMP"}});
    test::RecordingLog fewLog;
    EXPECT_EQ(CheckProject(few.project, fewLog), 2);
    EXPECT_EQ(log.from(3), fewLog.from(3));
}

struct UncreatableCase {
    const char* name;
    std::string output;
    bool outputFolder;  // whether VidIziz is there
    std::string message;  // "" when the name is fine
};

class UncreatableNameTest : public ProjectCheckTest, public testing::WithParamInterface<UncreatableCase> {};

TEST_P(UncreatableNameTest, IsReportedOnce)
{
    const UncreatableCase& c = GetParam();
    if (c.outputFolder) {
        std::filesystem::create_directories(dir.path() / "VidIziz" / "dir");
    }
    build.frame("f1.bmp", frame);
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"f1.bmp", "safe.bmp"}, {"f1.bmp", c.output}}, "Door");
    const Report findings = c.message.empty() ? Report() : Report().finding("Door <Clip 2>", c.message);
    EXPECT_EQ(check(), c.message.empty() ? 0 : 1);
    EXPECT_EQ(log.from(3), Report(findings).closing().lines);
}

const std::string NoFileName = "Output bitmap name has no file name.";
const std::string Control = "Output bitmap name contains a control character.";
const std::string TooLong = "Output bitmap name has a part longer than 255 bytes.";
const std::string NoSubFolder = "Output bitmap name is in a VidIziz sub-folder that does not exist.";

INSTANTIATE_TEST_SUITE_P(
    Names, UncreatableNameTest,
    testing::Values(
        UncreatableCase{"Dot", ".", true, NoFileName}, UncreatableCase{"DotInFolder", "dir/.", true, NoFileName},
        UncreatableCase{"DotDotLeavesFirst", "..", true, "Output bitmap name leaves the VidIziz folder."},
        UncreatableCase{"EndsWithSlash", "dir/", true, NoFileName}, UncreatableCase{"Tab", "a\tb.bmp", true, Control},
        UncreatableCase{"LowByte", "a\x01.bmp", true, Control}, UncreatableCase{"Delete", "a\x7f.bmp", true, Control},
        UncreatableCase{"LongFileName", std::string(252, 'f') + ".bmp", true, TooLong},
        UncreatableCase{"LongFolderName", std::string(256, 'd') + "/c.bmp", true, TooLong},
        UncreatableCase{"LongestFileName", std::string(251, 'f') + ".bmp", true, ""},
        UncreatableCase{"MissingSubFolder", "dir/nope/c.bmp", true, NoSubFolder},
        UncreatableCase{"SubFolderWithoutVidIziz", "dir/c.bmp", false, NoSubFolder},
        UncreatableCase{"PlainNameWithoutVidIziz", "./c.bmp", false, ""},
        UncreatableCase{"ExistingSubFolder", "dir/c.bmp", true, ""}),
    [](const testing::TestParamInfo<UncreatableCase>& info) { return std::string(info.param.name); });

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

namespace tolv {
namespace {

// A file written by another program: rows whose names the file cannot hold
// are read as the reader always read them, and the check reports each; so
// does what could not be read at all.
TEST_F(ProjectCheckTest, ReportsEveryRowThatTheFileCannotHoldAndWhatWasNotRead)
{
    build.frame("f1.bmp", frame);
    SaveProject(build.project);
    std::string text = test::ReadText(build.project.ProjectFilePath());
    text.replace(text.find("Regions=0\r\n"), 11, "Regions=many\r\n");
    text += "[Region1]\r\nName=Door\r\nPosition=0,0,5,5\r\n";
    text += "Clip1=a,b.bmp,,x.bmp\r\nClip2=f1.bmp,,ok.bmp\r\nClip3=f\x01.bmp,,y.bmp\r\n";
    text += "[Region2]\r\nName=Gate\r\nPosition=0,0,5,5\r\nClip1=f1.bmp,,'z.bmp'\r\n";
    const std::string path = build.project.ProjectFilePath();
    test::WriteText(path, text);
    Project read;
    Loadfile(read, path);
    EXPECT_EQ(CheckProject(read, log), 6);
    const std::string comma = " holds a comma, which the project file puts between the names of a worksheet row";
    EXPECT_EQ(
        log.from(3),
        Report()
            .finding(path, "The region count Regions=many is not a count; the 2 region sections present were read.")
            .finding("Door <Clip 1>", "A name in \"a,b.bmp,,x.bmp\"" + comma
                                          + ": it was read as input frame \"a\" and output file \"\".")
            .finding("Door <Clip 1>", "This object references an animation frame source file that is not in your "
                                      "project folder")
            .finding("Door <Clip 3>", "This object references an animation frame source file that is not in your "
                                      "project folder")
            .finding("Door <Clip 3>",
                     "Input frame holds a control character or a line break, which the project file cannot hold.")
            .finding("Gate <Clip 1>",
                     "Output file \"'z.bmp'\" is enclosed in quotes, which the project file does not keep.")
            .closing()
            .lines);
}

}  // namespace
}  // namespace tolv
