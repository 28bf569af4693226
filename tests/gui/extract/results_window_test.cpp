#include "gui/extract/results_window.h"

#include "../dialogs/dialog_test_support.h"
#include "gui/extract/rich_log.h"
#include "project/project.h"
#include "support/test_files.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tolv::gui {
namespace {

QStringList Lines(const RichLog& log)
{
    QStringList lines;
    for (int i = 0; i < log.lineCount(); ++i)
        lines << log.line(i);
    return lines;
}

class ResultsWindowTest : public testing::Test {
protected:
    ResultsWindowTest()
    {
        project.ProjectFolder = dir.path().string();
        project.ProjectFileName = "p.qvl";
    }

    tolv::test::TempDir dir;
    Project project;
    ResultsWindow window;
};

TEST_F(ResultsWindowTest, WithoutFramesReportsThatAloneInRed)
{
    EXPECT_EQ(window.runCheck(project), 1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.windowTitle(), "Results");
    const RichLog& log = *window.log();
    EXPECT_EQ(Lines(log),
              (QStringList{"Checking current project <p.qvl>.", "  ", " ",
                           "No animation frames have been entered in the Project Setup dialog!", "  ", " "}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(log.lineColor(i), QColor(Qt::blue)) << i;
    for (int i = 3; i < 6; ++i)
        EXPECT_EQ(log.lineColor(i), QColor(Qt::red)) << i;
    window.close();
}

TEST_F(ResultsWindowTest, EachCheckStartsWithAnEmptyLog)
{
    test::WriteBmp(dir.file("f1.bmp"), 4, 4);
    project.FrameNames = {"f1.bmp"};
    window.runCheck(project);
    window.runCheck(project);
    const QStringList lines = Lines(*window.log());
    EXPECT_EQ(lines.count("Checking current project <p.qvl>."), 1);
    EXPECT_EQ(lines.value(3), "No bitmap clip or background objects");
    EXPECT_EQ(lines.value(6), "Cross reference check done");
    EXPECT_EQ(window.log()->lineColor(6), QColor(Qt::blue));
    window.close();
}

TEST_F(ResultsWindowTest, CloseHidesTheWindow)
{
    window.runCheck(project);
    auto* close = window.findChild<QPushButton*>("closeButton");
    EXPECT_EQ(close->text(), "&Close");
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tolv::gui
