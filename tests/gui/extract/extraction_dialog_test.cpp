#include "gui/extract/extraction_dialog.h"

#include "../dialogs/dialog_test_support.h"
#include "gui/extract/rich_log.h"
#include "project/project.h"
#include "support/test_files.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

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
    for (int i = 0; i < log.lineCount(); ++i) {
        const QColor c = log.lineColor(i);
        entries.push_back(
            {log.line(i).toStdString(), RGB(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()))});
    }
    return entries;
}

Region& AddRegion(Project& project, RegionKind kind, const std::string& frame, const std::string& output)
{
    project.Regions.push_back(std::make_unique<Region>(2, 3, 5, 4));
    Region& region = *project.Regions.back();
    region.RegionType = kind;
    region.InputFrame.set(0, frame);
    region.OutputFile.set(0, output);
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
        dialog.setProject(&project);
    }

    void ClickSwitch(const char* name)
    {
        auto* box = dialog.findChild<QCheckBox*>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    }
    QPushButton* Button(const char* name) const { return dialog.findChild<QPushButton*>(name); }
    void Process() { QTest::mouseClick(Button("processButton"), Qt::LeftButton); }
    void Preview() { QTest::mouseClick(Button("previewButton"), Qt::LeftButton); }
    // `action` runs inside the next run, at its first log line.
    void DuringRun(const std::function<void()>& action)
    {
        QTimer::singleShot(0, &dialog, [this, action] {
            EXPECT_TRUE(Button("stopButton")->isEnabled()) << "not inside a run";
            action();
        });
    }
    std::string OutputFolderLine() const
    {
        return "Output folder: " + (std::filesystem::absolute(dir.path()) / "VidIziz").string();
    }
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
    dialog.setProject(&project);
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
    const std::vector<LogEntry> expected{{OutputFolderLine(), colors::Green},
                                         {"Processing project: p.qvl", colors::Blue},
                                         {std::string(50, '*'), colors::Blue},
                                         {"", colors::Green},
                                         {"Extracting VidIziz", colors::Green},
                                         {"Animation frame f1.bmp", colors::Black},
                                         {"     Saving background bg.bmp.", colors::Black},
                                         {"     Saving clip door.bmp.", colors::Black},
                                         {"All Done!!!", colors::Blue}};
    EXPECT_EQ(Entries(*dialog.log()), expected);
    EXPECT_TRUE(Written("door.bmp"));
    EXPECT_TRUE(Written("bg.bmp"));
    auto* progress = dialog.findChild<QProgressBar*>("progress");
    EXPECT_EQ(progress->value(), progress->maximum());
    EXPECT_GT(progress->maximum(), 0);

    Process();
    EXPECT_EQ(Entries(*dialog.log()), expected) << "a second run replaces the log";
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

TEST_F(ExtractionDialogTest, ReportsFilesTheProjectNoLongerMakesAndRemovesThemOnRequest)
{
    test::ShowActive(dialog);
    Process();
    EXPECT_FALSE(Button("removeStaleButton")->isEnabled());
    project.Regions[0]->OutputFile.set(0, "entry.bmp");
    Process();
    const std::vector<LogEntry> report{{"1 file in VidIziz is no longer made by this project", colors::Blue},
                                       {"     VidIziz/door.bmp", colors::Black}};
    const std::vector<LogEntry> log = Entries(*dialog.log());
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(std::vector<LogEntry>(log.end() - 2, log.end()), report);

    QTest::mouseClick(Button("removeStaleButton"), Qt::LeftButton);
    EXPECT_FALSE(Written("door.bmp"));
    EXPECT_TRUE(Written("entry.bmp"));
    EXPECT_EQ(Entries(*dialog.log()).back(), (LogEntry{"     VidIziz/door.bmp: removed", colors::Black}));
    EXPECT_FALSE(Button("removeStaleButton")->isEnabled());
    dialog.hide();
}

TEST_F(ExtractionDialogTest, AnErrorIsShownAfterAllDone)
{
    project.Regions[0]->OutputFile.set(0, "missing/door.bmp");
    MessageRecorder messages;
    std::string lastLine;
    messages.onMessage = [&] { lastLine = Entries(*dialog.log()).back().text; };
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
    const int lines = dialog.log()->lineCount();
    dialog.hide();
    dialog.setProject(&project);
    EXPECT_EQ(dialog.log()->lineCount(), lines);
}

TEST_F(ExtractionDialogTest, CaptionAndCloseButton)
{
    EXPECT_EQ(dialog.windowTitle(), " Extraction Processor");
    auto* close = dialog.findChild<QPushButton*>("closeButton");
    EXPECT_EQ(close->text(), "&Close");
    const int result = test::RunModal(dialog, [close] { QTest::mouseClick(close, Qt::LeftButton); });
    EXPECT_EQ(result, QDialog::Accepted);
}

TEST_F(ExtractionDialogTest, TheProgressBarIsEmptyUntilTheFirstRun)
{
    auto* progress = dialog.findChild<QProgressBar*>("progress");
    EXPECT_EQ(progress->text(), "");
    EXPECT_LT(progress->value(), progress->maximum());
    test::ShowActive(dialog);
    Process();
    EXPECT_EQ(progress->text(), "1 / 1");
    dialog.hide();
}

TEST_F(ExtractionDialogTest, ClicksAndKeysDuringARunAreDiscardedNotQueued)
{
    std::vector<std::pair<bool, bool>> reported;
    QObject::connect(&dialog, &ExtractionDialog::switchesChanged, &dialog,
                     [&reported](bool clips, bool backgrounds) { reported.emplace_back(clips, backgrounds); });
    int runs = 0;
    QObject::connect(&dialog, &ExtractionDialog::runFinished, &dialog, [&runs] { ++runs; });
    test::ShowActive(dialog);
    DuringRun([this] {
        ClickSwitch("clipsCheck");
        QTest::keyClick(dialog.findChild<QCheckBox*>("backgroundsCheck"), Qt::Key_Space);
        for (const char* name : {"processButton", "previewButton"}) {
            const QPoint at = Button(name)->rect().center();
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(Button(name), new QMouseEvent(type, at, Button(name)->mapToGlobal(at),
                                                                          Qt::LeftButton, Qt::LeftButton, {}));
        }
    });
    Process();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(reported.empty());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("clipsCheck")->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("backgroundsCheck")->isChecked());
    EXPECT_TRUE(Written("door.bmp"));
    ClickSwitch("clipsCheck");
    EXPECT_EQ(reported.size(), 1u) << "the switches work again after the run";
    dialog.hide();
}

TEST_F(ExtractionDialogTest, StopEndsTheRunAfterTheFileAtHandWithoutAnErrorBox)
{
    MessageRecorder messages;
    int runs = 0;
    QObject::connect(&dialog, &ExtractionDialog::runFinished, &dialog, [&runs] { ++runs; });
    EXPECT_FALSE(Button("stopButton")->isEnabled());
    test::ShowActive(dialog);
    DuringRun([this] { QTest::mouseClick(Button("stopButton"), Qt::LeftButton); });
    Process();
    const std::vector<LogEntry> entries = Entries(*dialog.log());
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[entries.size() - 2], (LogEntry{"     Saving background bg.bmp.", colors::Black}));
    EXPECT_EQ(entries.back(), (LogEntry{"     Stopped.", colors::Red})) << "not done: no All Done!!! after it";
    EXPECT_TRUE(Written("bg.bmp"));
    EXPECT_FALSE(Written("door.bmp"));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(Button("stopButton")->isEnabled());
    EXPECT_TRUE(Button("processButton")->isEnabled());
    dialog.hide();
}

TEST_F(ExtractionDialogTest, EscStopsTheRunAndKeepsTheDialogOpen)
{
    test::ShowActive(dialog);
    DuringRun([this] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    Process();
    EXPECT_FALSE(Written("door.bmp"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.log()->line(dialog.log()->lineCount() - 1), "     Stopped.");
    dialog.hide();
}

TEST_F(ExtractionDialogTest, ClosingDuringARunStopsItAndClosesWhenItHasEnded)
{
    bool openAtRunEnd = false;
    QObject::connect(&dialog, &ExtractionDialog::runFinished, &dialog,
                     [this, &openAtRunEnd] { openAtRunEnd = dialog.isVisible(); });
    const int result = test::RunModal(dialog, [this] {
        DuringRun([this] { dialog.close(); });
        Process();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(openAtRunEnd);
    EXPECT_FALSE(Written("door.bmp"));
}

TEST_F(ExtractionDialogTest, PreviewListsTheFilesWithTheirSizesAndWritesNothing)
{
    project.Regions.push_back(std::make_unique<Region>(0, 0, 5, 4));
    project.Regions.back()->InputFrame.set(0, "f1.bmp");
    project.Regions.back()->OutputFile.set(0, "../out.bmp");
    test::ShowActive(dialog);
    Preview();
    const std::vector<LogEntry> entries = Entries(*dialog.log());
    ASSERT_GE(entries.size(), 5u);
    EXPECT_EQ(entries[0].text, OutputFolderLine());
    EXPECT_EQ(entries[1], (LogEntry{"Preview: nothing is written.", colors::Green}));
    const auto refusal = std::find_if(entries.begin(), entries.end(),
                                      [](const LogEntry& e) { return e.text.find("../out.bmp") != std::string::npos; });
    ASSERT_NE(refusal, entries.end()) << "the refused row is logged as the run logs it";
    EXPECT_EQ(refusal->color, colors::Red);
    // 24-bit BMPs: a 54-byte header and rows padded to 4 bytes.
    const std::vector<LogEntry> list(entries.end() - 3, entries.end());
    EXPECT_EQ(list, (std::vector<LogEntry>{{"Process would write 2 files, 772 bytes:", colors::Blue},
                                           {"     VidIziz/bg.bmp  654 bytes", colors::Black},
                                           {"     VidIziz/door.bmp  118 bytes", colors::Black}}));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "VidIziz"));
    dialog.hide();
}

TEST_F(ExtractionDialogTest, OpenOutputFolderShowsTheFolderOnceARunHasMadeIt)
{
    std::vector<QUrl> opened;
    dialog.setFolderOpener([&opened](const QUrl& folder) {
        opened.push_back(folder);
        return true;
    });
    QPushButton* open = Button("openFolderButton");
    EXPECT_FALSE(open->isEnabled());
    test::ShowActive(dialog);
    Preview();
    EXPECT_FALSE(open->isEnabled()) << "a preview makes no folder";
    Process();
    ASSERT_TRUE(open->isEnabled());
    QTest::mouseClick(open, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(
                          QString::fromStdString((std::filesystem::absolute(dir.path()) / "VidIziz").string()))});
    dialog.hide();
}

}  // namespace
}  // namespace tolv::gui
