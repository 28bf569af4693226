#include "gui/dialogs/worksheet_fill_dialog.h"

#include "gui/dialogs/spin_edit.h"
#include "project/region.h"
#include "region_properties_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace tolv::gui {
namespace {

using test::Child;
using test::RunModal;
using test::XlistTest;

const std::vector<std::string> FiveFrames{"walk01.bmp", "walk02.bmp", "walk03.bmp", "walk04.bmp", "walk05.bmp"};

struct Plan {
    const char* name;
    int from, to, step;
    const char* outputTemplate;
    std::vector<std::string> rows;  // "input > output"
    const char* refusal;  // nullptr when OK is offered
};

class FillDialogPlan : public testing::TestWithParam<Plan> {};

TEST_P(FillDialogPlan, PreviewsTheRowsOrShowsTheRefusal)
{
    const Plan& plan = GetParam();
    WorksheetFillDialog dialog;
    dialog.prepare(FiveFrames, "Door");
    Child<SpinEdit>(dialog, "stepSpin")->setValue(plan.step);
    Child<SpinEdit>(dialog, "toSpin")->setValue(plan.to);
    Child<SpinEdit>(dialog, "fromSpin")->setValue(plan.from);
    Child<QLineEdit>(dialog, "templateEdit")->setText(plan.outputTemplate);

    auto* preview = Child<QTreeWidget>(dialog, "previewList");
    std::vector<std::string> rows;
    for (int i = 0; i < preview->topLevelItemCount(); ++i)
        rows.push_back((preview->topLevelItem(i)->text(1) + " > " + preview->topLevelItem(i)->text(2)).toStdString());
    EXPECT_EQ(rows, plan.rows);
    EXPECT_EQ(Child<QPushButton>(dialog, "OKBtn")->isEnabled(), plan.refusal == nullptr);
    if (plan.refusal) {
        EXPECT_EQ(Child<QLabel>(dialog, "planNote")->text().toStdString(), plan.refusal);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Plans, FillDialogPlan,
    testing::Values(
        Plan{"EverySecondFrame",
             1,
             5,
             2,
             "{region}_{n:03}.bmp",
             {"walk01.bmp > Door_001.bmp", "walk03.bmp > Door_002.bmp", "walk05.bmp > Door_003.bmp"},
             nullptr},
        Plan{"PastTheFrameList",
             4,
             9,
             1,
             "{frame}.bmp",
             {"walk04.bmp > walk04.bmp", "walk05.bmp > walk05.bmp"},
             nullptr},
        Plan{"LeavesTheOutputFolder", 1, 5, 1, "../{n}.bmp", {}, "Refused unsafe output name ../1.bmp."},
        Plan{"UnknownField", 1, 5, 1, "{nr}.bmp", {}, "Unknown template field {nr}."},
        Plan{"Backwards", 4, 2, 1, "{n}.bmp", {}, "The frame range runs backwards: 2 comes before 4."},
        Plan{"BeyondTheFrameList", 6, 9, 1, "{n}.bmp", {}, "No frame of the frame list lies in this range."},
        Plan{"NameWithAComma",
             1,
             5,
             1,
             "x,{n}.bmp",
             {},
             "Row 1: Output file \"x,1.bmp\" holds a comma, which the project file puts between the names of a "
             "worksheet row."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FillDialog, EachOpeningOffersTheWholeFrameListAndKeepsTheTemplate)
{
    WorksheetFillDialog dialog;
    dialog.prepare(FiveFrames, "Door");
    Child<SpinEdit>(dialog, "fromSpin")->setValue(3);
    Child<QLineEdit>(dialog, "templateEdit")->setText("{frame}-{n}.bmp");
    dialog.prepare({"a.bmp", "b.bmp"}, "Gate");
    EXPECT_EQ(Child<SpinEdit>(dialog, "fromSpin")->value(), 1);
    EXPECT_EQ(Child<SpinEdit>(dialog, "toSpin")->value(), 2);
    EXPECT_EQ(Child<QLineEdit>(dialog, "templateEdit")->text(), "{frame}-{n}.bmp");
    EXPECT_EQ(dialog.fill().rows, 2);
    EXPECT_EQ(dialog.fill().OutputFile[1], "b-2.bmp");
}

// Real keys: Fill... opens the fill dialog, the template is typed over the
// selected one, Enter fills the grid. The region name comes from the name
// field as typed, and every row the fill does not write is emptied.
TEST_F(XlistTest, FillWritesTheTypedTemplateIntoTheGridOnly)
{
    PrepareNew(FiveFrames);
    dialog.setCell(9, 1, "old.bmp");
    RunModal(dialog, [this] {
        dialog.setRegionName("Cat");
        auto* fill = dialog.findChild<WorksheetFillDialog*>("worksheetFill");
        QTimer::singleShot(0, fill, [fill] {
            test::ActivateWindow(*fill);
            QTest::keyClicks(QApplication::focusWidget(), "{region}{n:02}.bmp");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QTest::mouseClick(Child<QPushButton>("fillButton"), Qt::LeftButton);
        EXPECT_EQ(dialog.cell(1, 1), "walk01.bmp");
        EXPECT_EQ(dialog.cell(1, 2), "Cat01.bmp");
        EXPECT_EQ(dialog.cell(5, 2), "Cat05.bmp");
        EXPECT_EQ(dialog.cell(9, 1), "");
    });
}

TEST_F(XlistTest, CancelledFillLeavesTheGrid)
{
    PrepareNew(FiveFrames);
    dialog.setCell(2, 2, "keep.bmp");
    RunModal(dialog, [this] {
        auto* fill = dialog.findChild<WorksheetFillDialog*>("worksheetFill");
        QTimer::singleShot(0, fill, [fill] {
            test::ActivateWindow(*fill);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QTest::mouseClick(Child<QPushButton>("fillButton"), Qt::LeftButton);
        EXPECT_FALSE(fill->isVisible());
        EXPECT_EQ(dialog.cell(2, 2), "keep.bmp");
        EXPECT_EQ(dialog.cell(1, 1), "");
    });
}

}  // namespace
}  // namespace tolv::gui
