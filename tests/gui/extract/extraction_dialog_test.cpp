#include "gui/extract/extraction_dialog.h"

#include "../dialogs/dialog_test_support.h"
#include "gui/extract/rich_log.h"
#include "project/project.h"
#include "support/test_files.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv::gui {
namespace {

using test::MessageRecorder;

constexpr const char* PreconditionMessage =
    "Please define your animation frames in the Project-Settings dialog and create at least one region before "
    "extacting!";

struct LogEntry {
    std::string text;
    Color color;
    bool operator==(const LogEntry&) const = default;
};

void PrintTo(const LogEntry& entry, std::ostream* out)
{
    *out << '"' << entry.text << "\" " << std::hex << entry.color;
}

std::vector<LogEntry> Entries(const RichLog& log)
{
    std::vector<LogEntry> entries;
    for (int i = 0; i < log.LineCount(); ++i) {
        const QColor c = log.LineColor(i);
        entries.push_back({log.Line(i).toStdString(), RGB(std::uint8_t(c.red()), std::uint8_t(c.green()),
                                                         std::uint8_t(c.blue()))});
    }
    return entries;
}

Region& AddRegion(Project& project, RegionKind kind, const std::string& frame, const std::string& output)
{
    project.Regions.push_back(std::make_unique<Region>(2, 3, 5, 4));
    Region& region = *project.Regions.back();
    region.RegionType = kind;
    region.InputFrame[0] = frame;
    region.OutputFile[0] = output;
    return region;
}

class ExtractionDialogTest : public testing::Test {
protected:
    ExtractionDialogTest()
    {
        test::WriteBmp(dir.file("f1.bmp"), 20, 10);
        project.ProjectFolder = dir.path().string();
        project.ProjectFileName = "p.qvl";
        project.FrameNames = {"f1.bmp"};
        project.FrameStatus[0] = FrameLoaded;
        AddRegion(project, RegionKind::Clip, "f1.bmp", "door.bmp");
        AddRegion(project, RegionKind::Background, "F1.BMP", "bg.bmp");
        dialog.SetProject(&project);
    }

    void ClickSwitch(const char* name)
    {
        auto* box = dialog.findChild<QCheckBox*>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    }
    void Process() { QTest::mouseClick(dialog.findChild<QPushButton*>("processButton"), Qt::LeftButton); }
    bool Written(const char* name) const { return std::filesystem::exists(dir.path() / "VidIziz" / name); }

    tolv::test::TempDir dir;
    Project project;
    ExtractionDialog dialog;
};

TEST(ExtractionPrecondition, NeedsFramesAndRegions)
{
    MessageRecorder messages;
    Project project;
    EXPECT_FALSE(ExtractionAllowed(nullptr, project));
    project.FrameNames = {"f1.bmp"};
    EXPECT_FALSE(ExtractionAllowed(nullptr, project));
    project.FrameNames.clear();
    project.Regions.push_back(std::make_unique<Region>());
    EXPECT_FALSE(ExtractionAllowed(nullptr, project));
    ASSERT_EQ(messages.texts.size(), 3u);
    EXPECT_EQ(messages.texts[2], PreconditionMessage);
    EXPECT_EQ(messages.kinds[2], MsgKind::Information);
    project.FrameNames = {"f1.bmp"};
    EXPECT_TRUE(ExtractionAllowed(nullptr, project));
    EXPECT_EQ(messages.texts.size(), 3u);
}

TEST_F(ExtractionDialogTest, ShowsTheProjectsSwitchesAndReportsEachClickWithoutTouchingTheProject)
{
    project.Clips = false;
    dialog.SetProject(&project);
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("clipsCheck")->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("backgroundsCheck")->isChecked());
    std::vector<std::pair<bool, bool>> reported;
    QObject::connect(&dialog, &ExtractionDialog::switchesChanged, &dialog,
                     [&reported](bool clips, bool backgrounds) { reported.emplace_back(clips, backgrounds); });
    test::ShowActive(dialog);
    ClickSwitch("clipsCheck");
    ClickSwitch("backgroundsCheck");
    EXPECT_EQ(reported, (std::vector<std::pair<bool, bool>>{{true, true}, {true, false}}));
    EXPECT_FALSE(project.Clips);
    EXPECT_FALSE(project.Modified);
    dialog.hide();
}

TEST_F(ExtractionDialogTest, ProcessWritesBackgroundsBeforeClipsAndLogsEachStep)
{
    test::ShowActive(dialog);
    Process();
    const std::vector<LogEntry> expected{{"Processing project: p.qvl", colors::Blue},
                                         {std::string(50, '*'), colors::Blue},
                                         {"", colors::Green},
                                         {"Extracting VidIziz", colors::Green},
                                         {"Animation frame f1.bmp", colors::Black},
                                         {"     Saving background bg.bmp.", colors::Black},
                                         {"     Saving clip door.bmp.", colors::Black},
                                         {"All Done!!!", colors::Blue}};
    EXPECT_EQ(Entries(*dialog.Log()), expected);
    EXPECT_TRUE(Written("door.bmp"));
    EXPECT_TRUE(Written("bg.bmp"));
    auto* progress = dialog.findChild<QProgressBar*>("progress");
    EXPECT_EQ(progress->value(), progress->maximum());
    EXPECT_GT(progress->maximum(), 0);

    Process();
    EXPECT_EQ(Entries(*dialog.Log()), expected) << "a second run replaces the log";
    dialog.hide();
}

TEST_F(ExtractionDialogTest, AnUncheckedSwitchLeavesItsRegionsOut)
{
    test::ShowActive(dialog);
    ClickSwitch("backgroundsCheck");
    Process();
    EXPECT_TRUE(Written("door.bmp"));
    EXPECT_FALSE(Written("bg.bmp"));
    dialog.hide();
}

TEST_F(ExtractionDialogTest, AnErrorIsShownAfterAllDone)
{
    project.Regions[0]->OutputFile[0] = "missing/door.bmp";
    MessageRecorder messages;
    std::string lastLine;
    messages.onMessage = [&] { lastLine = Entries(*dialog.Log()).back().text; };
    test::ShowActive(dialog);
    Process();
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.kinds[0], MsgKind::Error);
    EXPECT_FALSE(messages.texts[0].isEmpty());
    EXPECT_EQ(lastLine, "All Done!!!");
    EXPECT_TRUE(Written("bg.bmp")) << "files written before the error stay";
    dialog.hide();
}

TEST_F(ExtractionDialogTest, TheLogKeepsThePreviousRunUntilProcess)
{
    test::ShowActive(dialog);
    Process();
    const int lines = dialog.Log()->LineCount();
    dialog.hide();
    dialog.SetProject(&project);
    EXPECT_EQ(dialog.Log()->LineCount(), lines);
}

TEST_F(ExtractionDialogTest, CaptionAndCloseButton)
{
    EXPECT_EQ(dialog.windowTitle(), " Extraction Processor");
    auto* close = dialog.findChild<QPushButton*>("closeButton");
    EXPECT_EQ(close->text(), "&Close");
    const int result = test::RunModal(dialog, [close] { QTest::mouseClick(close, Qt::LeftButton); });
    EXPECT_EQ(result, QDialog::Accepted);
}

}  // namespace
}  // namespace tolv::gui
