#include "editing_fixture.h"

#include "gui/extract/results_window.h"
#include "gui/extract/rich_log.h"
#include "gui/mainwindow/geometry_bar.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSpinBox>

namespace tolv::gui::test {
namespace {

// Seen: the geometry bar, drags, nudges and paste took regions off the frame,
// and paste took anything. Every region here lies on a frame area of
// 600 x 400 (the frames are smaller).
class OnFrame : public Editing {
protected:
    QSpinBox& Field(const char* name) { return *form().ui().geometryBar->findChild<QSpinBox*>(name); }
    void Type(const char* field, const QString& text)
    {
        QSpinBox& box = Field(field);
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, text);
    }
    std::vector<int> Shown()
    {
        return {Field("xField").value(), Field("yField").value(), Field("widthField").value(),
                Field("heightField").value()};
    }
    void Paste(const std::string& text)
    {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
        Key(Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(OnFrame, ATypedValueOutsideIsClampedAndShownAsApplied)
{
    Open({{100, 100, 50, 40, "A"}});
    Click({110, 110});
    Type("xField", "99999");
    Type("yField", "2000");
    Type("widthField", "5000");
    QTest::keyClick(&Field("widthField"), Qt::Key_Return);
    EXPECT_EQ(Rect(0), QRect(599, 399, 5000, 40));
    EXPECT_EQ(Shown(), (std::vector<int>{599, 399, 5000, 40}));

    // Clamped back to where the region is already: no step, but the bar
    // shows the values that hold.
    Type("xField", "5000");
    QTest::keyClick(&Field("xField"), Qt::Key_Return);
    EXPECT_EQ(Shown(), (std::vector<int>{599, 399, 5000, 40}));
    EXPECT_EQ(form().ui().undoAction->text(), "&Undo Set Geometry");
}

TEST_F(OnFrame, AGroupDraggedTowardsTheEdgeStopsWhereAMemberWouldLeave)
{
    Open({{100, 100, 50, 40, "A"}, {500, 100, 50, 40, "B"}});
    Click({110, 110});
    Click({510, 110}, Qt::ShiftModifier);
    Drag({110, 110}, {590, 110}, 6);
    EXPECT_EQ(Rect(0), QRect(199, 100, 50, 40));
    EXPECT_EQ(Rect(1), QRect(599, 100, 50, 40)) << "one pixel on the frame";
}

TEST_F(OnFrame, NudgesStopAtTheEdgeAndGoNoFurther)
{
    Open({{500, 100, 50, 40, "A"}});
    form().document().setNudgeStep(50);
    Click({510, 110});
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Rect(0), QRect(599, 100, 50, 40));
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Rect(0), QRect(599, 100, 1, 40)) << "1 x 1 at the smallest";
}

struct PasteCase {
    const char* name;
    std::string position;
    QRect landed;
};

class PasteOnFrame : public OnFrame, public testing::WithParamInterface<PasteCase> {};

TEST_P(PasteOnFrame, LandsOnTheFrameAtLeastOneByOne)
{
    Open({{10, 10, 20, 20, "A"}});
    Paste("[Main]\nVersion2=1\nRegions=1\n[Region1]\nName=P\nPosition=" + GetParam().position + "\n");
    ASSERT_EQ(project().Regions.size(), 2u);
    EXPECT_EQ(Rect(1), GetParam().landed);
}

INSTANTIATE_TEST_SUITE_P(Positions, PasteOnFrame,
                         testing::Values(PasteCase{"NoSize", "10,10,0,0", QRect(10, 10, 1, 1)},
                                         PasteCase{"AboveTheLeftCorner", "-50,-50", QRect(0, 0, 1, 1)},
                                         PasteCase{"FarOut", "99999,99999", QRect(599, 399, 1, 1)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OnFrame, RegionsWithoutVersion2KeepTheirPositions)
{
    Open({{10, 10, 20, 20, "A"}});
    Paste("[Main]\nRegions=1\n[Region1]\nName=Old\nPosition=300,200,40,40\n");
    ASSERT_EQ(project().Regions.size(), 2u);
    EXPECT_EQ(Rect(1), QRect(300, 200, 40, 40));
}

TEST_F(OnFrame, TextThatIsNotRegionsSaysSo)
{
    Open({{10, 10, 20, 20, "A"}});
    Paste("hello, this is not a project");
    EXPECT_EQ(project().Regions.size(), 1u);
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{"The clipboard holds no regions"}));
    EXPECT_FALSE(project().Modified);
}

TEST_F(OnFrame, ARepeatedPasteLandsBesideTheCopyBefore)
{
    Open({{10, 10, 20, 20, "A"}});
    Click({15, 15});
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(project().Regions.size(), 3u);
    EXPECT_EQ(Rect(1), QRect(20, 20, 20, 20));
    EXPECT_EQ(Rect(2), QRect(30, 30, 20, 20));
}

TEST_F(OnFrame, ARegionLoadedOffTheFrameIsKeptAndTheCheckReportsIt)
{
    Open({{99999, 2000, 5000, 40, "Far"}, {10, 10, 20, 20, "Near"}});
    EXPECT_EQ(Rect(0), QRect(99999, 2000, 5000, 40));
    form().ui().checkAction->trigger();
    const RichLog& report = *windows().results().log();
    QStringList lines;
    for (int i = 0; i < report.lineCount(); ++i)
        lines << report.line(i);
    const int far = int(lines.indexOf("Far"));
    ASSERT_GE(far, 0) << lines.join("|").toStdString();
    EXPECT_EQ(lines[far + 1], "  Region lies outside the frame");
    EXPECT_FALSE(lines.contains("Near"));
}

}  // namespace
}  // namespace tolv::gui::test
