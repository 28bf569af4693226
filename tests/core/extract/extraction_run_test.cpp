#include "extract/extraction_run.h"

#include "core/extract/output_links.h"
#include "core/extract/recording_log.h"
#include "core/platform/ended_process.h"
#include "platform/errors.h"
#include "platform/io/temporary_files.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tolv {
namespace {

using test::LoggedLine;
using test::PatternFrame;

constexpr Color Black = colors::Black;
constexpr Color Red = colors::Red;

std::vector<LoggedLine> Header()
{
    return {{"Processing project: test.qvl", colors::Blue},
            {std::string(50, '*'), colors::Blue},
            {"", colors::Green},
            {"Extracting VidIziz", colors::Green}};
}

std::vector<LoggedLine> WithFrame(std::vector<LoggedLine> body)
{
    std::vector<LoggedLine> all = Header();
    all.insert(all.end(), body.begin(), body.end());
    all.push_back({"All Done!!!", colors::Blue});
    return all;
}

// The part of `frame` at (left, top), value 0 where it leaves the frame.
Bitmap CutByHand(const Bitmap& frame, int left, int top, int width, int height)
{
    Bitmap clip = Bitmap::SameFormat(frame, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int fx = left + x;
            const int fy = top + y;
            if (fx >= 0 && fy >= 0 && fx < frame.width() && fy < frame.height()) {
                clip.setValue(x, y, frame.value(fx, fy));
            }
        }
    }
    return clip;
}

class ExtractionRunTest : public testing::Test {
protected:
    void run(ExtractSwitches switches = {}) { RunExtraction(build.project, switches, log); }

    Bitmap output(const std::string& name) const { return LoadBmp(build.output(name)); }
    bool written(const std::string& name) const { return std::filesystem::is_regular_file(build.output(name)); }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    test::RecordingLog log;
    Bitmap f1 = PatternFrame(160, 120, 24, 1);
    Bitmap f2 = PatternFrame(160, 120, 24, 2);
};

TEST_F(ExtractionRunTest, BackgroundsOfAFrameComeBeforeItsClips)
{
    build.frame("f1.bmp", f1);
    build.region(RegionKind::Clip, 20, 30, 100, 50, {{"f1.bmp", "door.bmp"}});
    build.region(RegionKind::Background, 0, 0, 160, 120, {{"f1.bmp", "bg.bmp"}});
    run();

    EXPECT_EQ(log.lines, WithFrame({{"Animation frame f1.bmp", Black},
                                    {"     Saving background bg.bmp.", Black},
                                    {"     Saving clip door.bmp.", Black}}));
    EXPECT_TRUE(output("bg.bmp") == f1);
    const Bitmap door = output("door.bmp");
    EXPECT_TRUE(door == CutByHand(f1, 20, 30, 100, 50));
    EXPECT_EQ(door.value(0, 0), f1.value(20, 30));
    EXPECT_EQ(log.reports, (std::vector<std::pair<int, int>>{{1, 1}}));
}

TEST_F(ExtractionRunTest, PaletteFramesKeepTheirPaletteAndValues)
{
    const Bitmap frame = PatternFrame(97, 41, 8, 3);
    build.frame("p.bmp", frame);
    build.region(RegionKind::Clip, 5, 7, 33, 20, {{"p.bmp", "c.bmp"}});
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"p.bmp", "b.bmp"}});
    run();

    const Bitmap clip = output("c.bmp");
    EXPECT_EQ(clip.bitsPerPixel(), 8);
    EXPECT_EQ(clip.palette(), frame.palette());
    EXPECT_TRUE(clip == CutByHand(frame, 5, 7, 33, 20));
    EXPECT_TRUE(output("b.bmp") == frame);
}

TEST_F(ExtractionRunTest, SubBytePixelsAreCutAtAnyOffset)
{
    for (const int depth : {1, 4}) {
        const Bitmap frame = PatternFrame(53, 17, depth, depth);
        const std::string name = "d" + std::to_string(depth);
        build.frame(name + ".bmp", frame);
        build.region(RegionKind::Clip, 3, 2, 21, 9, {{name + ".bmp", name + "_clip.bmp"}});
        build.region(RegionKind::Clip, -5, 10, 13, 11, {{name + ".bmp", name + "_edge.bmp"}});
        run();
        EXPECT_TRUE(output(name + "_clip.bmp") == CutByHand(frame, 3, 2, 21, 9)) << depth;
        EXPECT_TRUE(output(name + "_edge.bmp") == CutByHand(frame, -5, 10, 13, 11)) << depth;
    }
}

struct SwitchCase {
    const char* name;
    ExtractSwitches switches;
    std::vector<LoggedLine> body;
};

class ExtractSwitchesTest : public ExtractionRunTest, public testing::WithParamInterface<SwitchCase> {};

TEST_P(ExtractSwitchesTest, OnlyTheChosenKindsLoadAndWrite)
{
    build.frame("f1.bmp", f1).frame("f2.bmp", f2);
    build.region(RegionKind::Clip, 0, 0, 10, 10, {{"f2.bmp", "c2.bmp"}});
    build.region(RegionKind::Background, 0, 0, 10, 10, {{"f1.bmp", "b1.bmp"}, {"f2.bmp", "b2.bmp"}});
    run(GetParam().switches);
    EXPECT_EQ(log.lines, WithFrame(GetParam().body));
    EXPECT_EQ(log.reports, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
}

INSTANTIATE_TEST_SUITE_P(Switches, ExtractSwitchesTest,
                         testing::Values(SwitchCase{"Both",
                                                    {true, true},
                                                    {{"Animation frame f1.bmp", Black},
                                                     {"     Saving background b1.bmp.", Black},
                                                     {"Animation frame f2.bmp", Black},
                                                     {"     Saving background b2.bmp.", Black},
                                                     {"     Saving clip c2.bmp.", Black}}},
                                         SwitchCase{
                                             "ClipsOnly",
                                             {true, false},
                                             {{"Animation frame f2.bmp", Black}, {"     Saving clip c2.bmp.", Black}}},
                                         SwitchCase{"BackgroundsOnly",
                                                    {false, true},
                                                    {{"Animation frame f1.bmp", Black},
                                                     {"     Saving background b1.bmp.", Black},
                                                     {"Animation frame f2.bmp", Black},
                                                     {"     Saving background b2.bmp.", Black}}},
                                         SwitchCase{"Neither", {false, false}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExtractionRunTest, WorksheetRowsMatchFramesIgnoringCaseAndSkipEmptyOutputs)
{
    build.frame("f1.bmp", f1);
    build.listFrame("gone.bmp", FrameMissing);
    Region& clip = build.region(RegionKind::Clip, 1, 1, 8, 8,
                                {{"F1.BMP", "upper.bmp"},
                                 {"f1.bmp", ""},
                                 {"gone.bmp", "gone_out.bmp"},
                                 {"f1.bmp", "twice.bmp"},
                                 {"f1.bmp", "again.bmp"}});
    clip.Visible = false;
    run();
    EXPECT_EQ(log.lines, WithFrame({{"Animation frame f1.bmp", Black},
                                    {"     Saving clip upper.bmp.", Black},
                                    {"     Saving clip twice.bmp.", Black},
                                    {"     Saving clip again.bmp.", Black},
                                    {"Frame gone.bmp does not exist; its rows were not written.", Red}}));
    EXPECT_TRUE(output("twice.bmp") == output("again.bmp"));
    EXPECT_EQ(log.reports, (std::vector<std::pair<int, int>>{{1, 1}}));
}

TEST_F(ExtractionRunTest, TextBoxesAndOverlaysArePaintedOnlyIntoTheFramesTheyList)
{
    build.frame("f1.bmp", f1).frame("f2.bmp", f2);
    Region& box = build.textBox(10, 10, 40, 30, {{"F2.bmp", ""}});
    box.BoxColor = colors::Lime;
    Bitmap solid(20, 10, 24);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            solid.setPixel(x, y, (x == 0 && y == 0) ? colors::Black : colors::Aqua);
        }
    }
    Region& overlay = build.overlay(100, 100, 20, 10, solid, {{"f1.bmp", ""}});
    overlay.Visible = false;
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "b1.bmp"}, {"f2.bmp", "b2.bmp"}});
    run();

    const Bitmap b1 = output("b1.bmp");
    const Bitmap b2 = output("b2.bmp");
    EXPECT_EQ(b1.value(20, 20), f1.value(20, 20));
    EXPECT_EQ(b1.pixel(110, 105), colors::Aqua);
    EXPECT_EQ(b2.pixel(20, 20), colors::Lime);
    EXPECT_EQ(b2.value(110, 105), f2.value(110, 105));
}

TEST_F(ExtractionRunTest, CleanEdgesAppliesBeforeThePreFilter)
{
    build.project.CleanEdges = true;
    build.frame("f1.bmp", f1);
    build.textBox(0, 0, 10, 10, {{"f1.bmp", ""}}).BoxColor = colors::Lime;
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "b.bmp"}});
    run();
    const Bitmap b = output("b.bmp");
    EXPECT_EQ(b.pixel(0, 50), f1.pixel(1, 1));
    EXPECT_EQ(b.pixel(50, 0), f1.pixel(1, 1));
    EXPECT_EQ(b.pixel(5, 5), colors::Lime);
    EXPECT_EQ(b.value(159, 119), f1.value(159, 119));
}

TEST_F(ExtractionRunTest, PreFilterLineOnlyForAnExistingFile)
{
    build.project.PreFilterFile = dir.file("missing.bmp");
    run();
    EXPECT_EQ(log.lines, WithFrame({}));

    log.lines.clear();
    test::WriteText(dir.file("pre.bmp"), "x");
    build.project.PreFilterFile = dir.file("pre.bmp");
    run();
    std::vector<LoggedLine> expected = Header();
    expected.push_back({"Using pre-filter " + dir.file("pre.bmp") + ".", colors::Green});
    expected.push_back({"All Done!!!", colors::Blue});
    EXPECT_EQ(log.lines, expected);
}

// A file replaced keeps its mode, as the run found it when it looked at the name.
TEST_F(ExtractionRunTest, ExistingOutputFolderAndFilesAreReused)
{
    namespace fs = std::filesystem;
    build.frame("f1.bmp", f1);
    build.region(RegionKind::Clip, 0, 0, 4, 4, {{"f1.bmp", "sub/c.bmp"}});
    fs::create_directories(dir.path() / "VidIziz" / "sub");
    test::WriteText(build.output("sub/c.bmp"), "old");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(build.output("sub/c.bmp"), mode);
    run();
    run();
    EXPECT_TRUE(output("sub/c.bmp") == CutByHand(f1, 0, 0, 4, 4));
    EXPECT_EQ(fs::status(build.output("sub/c.bmp")).permissions(), mode);
}

struct RefusalCase {
    const char* name;
    std::string output;
    int width, height;
    std::string line;
    int left = 0, top = 0;
};

class RefusedRowTest : public ExtractionRunTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedRowTest, IsLoggedInRedAndTheRunGoesOn)
{
    const RefusalCase& c = GetParam();
    build.frame("f1.bmp", f1);
    build.region(RegionKind::Clip, c.left, c.top, c.width, c.height, {{"f1.bmp", c.output}});
    build.region(RegionKind::Clip, 0, 0, 3, 3, {{"f1.bmp", "after.bmp"}});
    run();
    EXPECT_EQ(log.lines, WithFrame({{"Animation frame f1.bmp", Black},
                                    {"     " + c.line, Red},
                                    {"     Saving clip after.bmp.", Black}}));
    EXPECT_TRUE(written("after.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "escaped.bmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedRowTest,
    testing::Values(
        RefusalCase{"ParentFolder", "../escaped.bmp", 4, 4, "Refused unsafe output name ../escaped.bmp."},
        RefusalCase{"ParentInside", "a/../../escaped.bmp", 4, 4, "Refused unsafe output name a/../../escaped.bmp."},
        RefusalCase{"BackslashParent", "..\\escaped.bmp", 4, 4, "Refused unsafe output name ..\\escaped.bmp."},
        RefusalCase{"Absolute", "/tmp/escaped.bmp", 4, 4, "Refused unsafe output name /tmp/escaped.bmp."},
        RefusalCase{"Huge", "huge.bmp", 100000, 100000, "Refused clip size 100000 x 100000 for huge.bmp."},
        RefusalCase{"TooWide", "wide.bmp", 32769, 1, "Refused clip size 32769 x 1 for wide.bmp."},
        RefusalCase{"Empty", "flat.bmp", 0, 5, "Refused clip size 0 x 5 for flat.bmp."},
        // Not a file of nothing but black: a file loaded may hold such a region.
        RefusalCase{"OffTheFrame", "far.bmp", 30, 20, "Refused clip far.bmp: region Region lies outside the frame.",
                    5000, -300},
        RefusalCase{"JustPastTheRightEdge", "past.bmp", 5000, 40,
                    "Refused clip past.bmp: region Region lies outside the frame.", 160, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExtractionRunTest, UnsafeBackgroundNameIsRefusedToo)
{
    build.frame("f1.bmp", f1);
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "../escaped.bmp"}});
    run();
    EXPECT_EQ(log.lines,
              WithFrame({{"Animation frame f1.bmp", Black}, {"     Refused unsafe output name ../escaped.bmp.", Red}}));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "escaped.bmp"));
}

TEST_F(ExtractionRunTest, FrameThatChangedSizeOnDiskIsUsedAsItIsNow)
{
    build.frame("f1.bmp", f1);
    const Bitmap smaller = PatternFrame(30, 20, 24, 9);
    SaveBmp(smaller, build.project.FramePath("f1.bmp"));
    build.region(RegionKind::Clip, 20, 10, 20, 20, {{"f1.bmp", "c.bmp"}});
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "b.bmp"}});
    run();
    EXPECT_TRUE(output("b.bmp") == smaller);
    EXPECT_TRUE(output("c.bmp") == CutByHand(smaller, 20, 10, 20, 20));
}

TEST_F(ExtractionRunTest, OverlayThatIsNotABitmapPaintsNothing)
{
    build.frame("f1.bmp", f1);
    Region& overlay = build.region(RegionKind::Overlay, 0, 0, 50, 50, {{"f1.bmp", ""}});
    overlay.OVLName = dir.file("notes.bmp");
    test::WriteText(overlay.OVLName, "not a bitmap");
    LoadOverlay(overlay, build.project.ProjectFolder);
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "b.bmp"}});
    run();
    EXPECT_TRUE(output("b.bmp") == f1);
}

// The log names what the run cannot use where it meets it: an unusable frame
// in place of its frame line, an overlay once, at its first frame.
TEST_F(ExtractionRunTest, LogNamesUnusableFramesAndMissingOverlaysInRed)
{
    build.listFrame("gone.bmp", FrameMissing);
    build.frame("f1.bmp", f1).frame("f2.bmp", f1);
    Region& overlay = build.region(RegionKind::Overlay, 0, 0, 5, 5, {{"f1.bmp", ""}, {"f2.bmp", ""}}, "Badge");
    overlay.OVLName = "badge.bmp";
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"gone.bmp", "a.bmp"}, {"f1.bmp", "b.bmp"}, {"f2.bmp", "c.bmp"}});
    run();
    const std::string missing = " does not exist; ";
    EXPECT_EQ(log.lines, WithFrame({{"Frame gone.bmp" + missing + "its rows were not written.", Red},
                                    {"Animation frame f1.bmp", Black},
                                    {"     Overlay badge.bmp of region Badge" + missing + "it was not painted.", Red},
                                    {"     Saving background b.bmp.", Black},
                                    {"Animation frame f2.bmp", Black},
                                    {"     Saving background c.bmp.", Black}}));
}

// Stops that end the run: the closing line is still logged, the error is
// raised, and files written before it stay.
struct StopCase {
    const char* name;
    std::function<void(test::ProjectBuilder&)> breakIt;
    std::vector<LoggedLine> body;
};

class StoppedRunTest : public ExtractionRunTest, public testing::WithParamInterface<StopCase> {};

TEST_P(StoppedRunTest, LogsAllDoneRaisesAndKeepsEarlierFiles)
{
    build.frame("f1.bmp", f1).frame("f2.bmp", f2);
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "b1.bmp"}, {"f2.bmp", "b2.bmp"}});
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"f2.bmp", "c2.bmp"}});
    GetParam().breakIt(build);
    EXPECT_THROW(run(), TolvError);
    EXPECT_EQ(log.lines, WithFrame(GetParam().body));
    if (GetParam().body.size() > 2) {
        EXPECT_TRUE(output("b1.bmp") == f1);
    }
    EXPECT_FALSE(written("c2.bmp"));
}

const std::vector<LoggedLine> FirstFrameDone = {
    {"Animation frame f1.bmp", Black}, {"     Saving background b1.bmp.", Black}, {"Animation frame f2.bmp", Black}};

std::vector<LoggedLine> Plus(std::vector<LoggedLine> lines, const LoggedLine& line)
{
    lines.push_back(line);
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Stops, StoppedRunTest,
    testing::Values(
        StopCase{"FrameDeletedAfterSetUp",
                 [](test::ProjectBuilder& b) { std::filesystem::remove(b.project.FramePath("f2.bmp")); },
                 FirstFrameDone},
        StopCase{"FrameNoLongerABitmap",
                 [](test::ProjectBuilder& b) { test::WriteText(b.project.FramePath("f2.bmp"), "text"); },
                 FirstFrameDone},
        StopCase{"MissingSubFolder",
                 [](test::ProjectBuilder& b) { b.project.Regions[1]->OutputFile.set(0, "nosuch/c2.bmp"); },
                 Plus(Plus(FirstFrameDone, {"     Saving background b2.bmp.", Black}),
                      {"     Saving clip nosuch/c2.bmp.", Black})},
        StopCase{"OutputFolderIsAFile",
                 [](test::ProjectBuilder& b) { test::WriteText(JoinPath(b.project.ProjectFolder, "VidIziz"), "x"); },
                 {{"Animation frame f1.bmp", Black}, {"     Saving background b1.bmp.", Black}}},
        StopCase{"DirectoryStandsWhereTheFileGoes",
                 [](test::ProjectBuilder& b) { std::filesystem::create_directories(b.output("c2.bmp") + "/inside"); },
                 Plus(Plus(FirstFrameDone, {"     Saving background b2.bmp.", Black}),
                      {"     Saving clip c2.bmp.", Black})}),
    [](const auto& info) { return std::string(info.param.name); });

class OutputLinkRunTest : public ExtractionRunTest, public testing::WithParamInterface<test::OutputLinkCase> {};

TEST_P(OutputLinkRunTest, IsRefusedInRedAndNothingOutsideChanges)
{
    const test::OutputLinkCase& c = GetParam();
    test::TempDir outside;
    test::LayOutLink(c, dir.path(), outside.path());
    build.frame("f1.bmp", f1);
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", c.output}});
    build.region(RegionKind::Clip, 0, 0, 3, 3, {{"f1.bmp", "after.bmp"}});
    run();
    const LoggedLine after = c.outputFolder()
                                 ? LoggedLine{"     Refused output name after.bmp through a symbolic link.", Red}
                                 : LoggedLine{"     Saving clip after.bmp.", Black};
    EXPECT_EQ(log.lines, WithFrame({{"Animation frame f1.bmp", Black},
                                    {"     Refused output name " + c.output + " through a symbolic link.", Red},
                                    after}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(outside.path()), {}), 1);
    EXPECT_EQ(test::ReadText(outside.file(test::OutsideFile)), "precious");
}

INSTANTIATE_TEST_SUITE_P(Links, OutputLinkRunTest, test::OutputLinkCases(), test::OutputLinkName);

TEST_F(ExtractionRunTest, SweepsStaleTemporariesOnlyFromTheFoldersItWrites)
{
    build.frame("f1.bmp", f1);
    build.region(RegionKind::Clip, 0, 0, 4, 4,
                 {{"f1.bmp", "top.bmp"}, {"f1.bmp", "sub/c.bmp"}, {"f1.bmp", "sub/d.bmp"}});
    for (const char* folder : {"VidIziz/sub", "VidIziz/unused"}) {
        std::filesystem::create_directories(dir.path() / folder);
    }
    const int ended = test::EndedProcess();
    const std::vector<std::string> swept = {build.output(TemporaryName("top.bmp", ended)),
                                            build.output("sub/" + TemporaryName("c.bmp", ended))};
    const std::vector<std::string> kept = {build.output("unused/" + TemporaryName("c.bmp", ended)),
                                           dir.file(TemporaryName("test.qvl", ended)), build.output(".top.bmp.Ab12Cd"),
                                           build.output("sub/.c.bmp.tolvane-tmp-notes")};
    for (const auto& paths : {swept, kept}) {
        for (const std::string& path : paths) {
            test::WriteText(path, "debris");
        }
    }
    run();
    for (const std::string& path : swept) {
        EXPECT_FALSE(std::filesystem::exists(path)) << path;
    }
    for (const std::string& path : kept) {
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }
    EXPECT_TRUE(written("sub/d.bmp"));
}

}  // namespace
}  // namespace tolv
