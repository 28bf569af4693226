#include "editing_fixture.h"

#include <QMenu>

namespace tolv::gui::test {
namespace {

using CanvasMouse = Editing;

TEST_F(CanvasMouse, ABandSixWideOverEmptyCanvasDoesNothing)
{
    Open({});
    AnswerRegionDialog(true);
    Drag({10, 10}, {16, 60});
    EXPECT_TRUE(project().Regions.empty());
    EXPECT_EQ(Status(1), QString(" Background   w:%1 h:%2").arg(canvas().width()).arg(canvas().height()));
}

TEST_F(CanvasMouse, ASevenBySevenBandCreatesTheRegionEnteredInTheDialog)
{
    Open({{100, 100, 20, 20, "Old"}});
    Click({105, 105});
    AnswerRegionDialog(true, [](RegionPropertiesDialog& dialog) {
        EXPECT_EQ(dialog.regionName(), "New Object");
        dialog.setRegionName("Door");
        dialog.setCell(2, 2, "door2.bmp");
    });
    Drag({17, 27}, {10, 20});
    ASSERT_EQ(project().Regions.size(), 2u);
    EXPECT_EQ(Rect(1), QRect(10, 20, 7, 7));
    EXPECT_EQ(At(1).Name, "Door");
    EXPECT_EQ(At(1).OutputFile[1], "door2.bmp");
    EXPECT_EQ(project().selection.current(), &At(1));
    EXPECT_EQ(project().selection.stateOf(At(1)), SelectionState::Current);
    EXPECT_EQ(project().selection.stateOf(At(0)), SelectionState::None);
    EXPECT_EQ(form().ui().quickPick->count(), 2);
    EXPECT_EQ(form().ui().quickPick->currentText(), "Door  ");
    EXPECT_EQ(Status(1), " x:10  y:20   w:7 h:7");
    EXPECT_TRUE(project().Modified);
    EXPECT_TRUE(canvas().shownRect(At(1)));
}

TEST_F(CanvasMouse, ACancelledDialogCreatesNothingButKeepsThePreviewChoice)
{
    Open({});
    form().document().setShowPreview(false);
    AnswerRegionDialog(
        false, [](RegionPropertiesDialog& dialog) { dialog.findChild<QCheckBox*>("previewCheck")->setChecked(true); });
    Drag({10, 10}, {60, 60});
    EXPECT_TRUE(project().Regions.empty());
    EXPECT_EQ(Status(1), " ");
    EXPECT_TRUE(project().ShowPreview);
}

TEST_F(CanvasMouse, ABandWithoutFramesAsksForFramesFirst)
{
    Start();
    ActivateWindow(form());
    Drag({10, 10}, {60, 60});
    EXPECT_TRUE(project().Regions.empty());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].kind, MsgKind::Information);
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(Messages()[0].text,
              "Please define your animation frames in the Project-Settings dialog before adding regions!");
    EXPECT_EQ(Status(1), " ");
}

TEST_F(CanvasMouse, ARegionDrawnWithShiftJoinsTheGroup)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    Click({15, 15});
    Click({65, 15}, Qt::ShiftModifier);
    AnswerRegionDialog(true);
    Drag({100, 100}, {130, 130}, 4, Qt::ShiftModifier);
    ASSERT_EQ(project().Regions.size(), 3u);
    EXPECT_EQ(project().selection.current(), &At(2));
    EXPECT_EQ(project().selection.stateOf(At(0)), SelectionState::Group);
    EXPECT_EQ(project().selection.stateOf(At(1)), SelectionState::None) << "the current region steps back";
}

TEST_F(CanvasMouse, ABandTouchingTwoRegionsByOnePixelGroupsBoth)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    AnswerRegionDialog(true);
    Drag({29, 50}, {61, 29});
    EXPECT_EQ(project().Regions.size(), 2u);
    EXPECT_EQ(project().selection.stateOf(At(0)), SelectionState::Group);
    EXPECT_EQ(project().selection.stateOf(At(1)), SelectionState::Group);
    EXPECT_EQ(project().selection.current(), &At(1));
}

TEST_F(CanvasMouse, ShiftClickBuildsAGroupWithTheClickedRegionCurrent)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    Click({15, 15});
    EXPECT_EQ(project().selection.stateOf(At(0)), SelectionState::Current);
    Click({65, 15}, Qt::ShiftModifier);
    EXPECT_EQ(project().selection.stateOf(At(0)), SelectionState::Group);
    EXPECT_EQ(project().selection.stateOf(At(1)), SelectionState::Group);
    EXPECT_EQ(project().selection.current(), &At(1));
    EXPECT_EQ(project().selection.anchor(), 1);
    EXPECT_EQ(form().ui().quickPick->currentIndex(), 1);
}

TEST_F(CanvasMouse, DraggingAGroupMemberMovesTheGroupAfterAnOutlineOnly)
{
    Open({{10, 10, 20, 20, "A"}, {60, 30, 20, 20, "B"}, {150, 100, 20, 20, "Idle"}});
    Click({15, 15});
    Click({65, 35}, Qt::ShiftModifier);
    const QRgb frame = canvas().grab().toImage().pixel(40, 15);
    const int rebuilds = canvas().imageRebuilds();

    Press({15, 15});
    for (int i = 0; i < 100; ++i) {
        MoveTo({16 + i % 7, 16 + i % 5});
        QCoreApplication::processEvents();
    }
    MoveTo({21, 26});
    QCoreApplication::processEvents();
    // The outline is the union of both regions, moved by (6, 11), inverted.
    EXPECT_EQ(Status(1), " Moving to x:16  y:21");
    const QImage shown = canvas().grab().toImage();
    EXPECT_EQ(shown.pixel(40, 21), qRgb(255, 255, 255) ^ (frame & 0xFFFFFF));
    EXPECT_EQ(shown.pixel(40, 20), frame);
    EXPECT_EQ(Rect(0), QRect(10, 10, 20, 20));
    EXPECT_EQ(canvas().imageRebuilds(), rebuilds);

    Release({21, 26});
    EXPECT_EQ(Rect(0), QRect(16, 21, 20, 20));
    EXPECT_EQ(Rect(1), QRect(66, 41, 20, 20));
    EXPECT_EQ(Rect(2), QRect(150, 100, 20, 20));
    EXPECT_EQ(canvas().shownRect(At(1)), QRect(66, 41, 20, 20));
    EXPECT_EQ(canvas().regionAt({66, 41}), &At(1));
    EXPECT_EQ(canvas().regionAt({61, 31}), nullptr);
    EXPECT_EQ(Status(1), " x:66  y:41   w:20 h:20");
    EXPECT_EQ(canvas().grab().toImage().pixel(40, 21), frame);
}

TEST_F(CanvasMouse, ThePointerStopsAtTheLeftEdgeButTheRegionCanGoPastIt)
{
    Open({{10, 50, 40, 20, "A"}});
    Press({30, 60});
    MoveTo({29, 60});
    MoveTo({-50, 60});
    EXPECT_EQ(Status(1), " Moving to x:-20  y:50");
    Release({-50, 60});
    EXPECT_EQ(Rect(0), QRect(-20, 50, 40, 20));
}

TEST_F(CanvasMouse, ReleasingWhereTheMoveStartedChangesNothing)
{
    Open({{10, 50, 40, 20, "A"}});
    Click({30, 60});
    SaveNow();
    const QImage before = canvas().grab().toImage();
    Press({30, 60});
    MoveTo({31, 61});
    MoveTo({50, 70});
    MoveTo({30, 60});
    Release({30, 60});
    EXPECT_EQ(Rect(0), QRect(10, 50, 40, 20));
    EXPECT_FALSE(project().Modified);
    EXPECT_EQ(canvas().grab().toImage(), before);
}

TEST_F(CanvasMouse, DraggingTheHandlePastTheTopLeftCornerStopsAtOneByOne)
{
    Open({{50, 50, 40, 30, "A"}});
    // Grabbed 2 pixels inside the corner.
    Press({88, 78});
    EXPECT_EQ(canvas().drag().gesture, Gesture::Sizing);
    EXPECT_EQ(Status(1), " Sizing to x:40  y:30");
    MoveTo({60, 60});
    MoveTo({28, 18});
    EXPECT_EQ(Status(1), " Sizing to x:1  y:1") << "the outline shows the smallest size";
    Release({28, 18});
    EXPECT_EQ(Rect(0), QRect(50, 50, 1, 1));
    EXPECT_EQ(Status(1), " x:50  y:50   w:1 h:1");
}

TEST_F(CanvasMouse, WithTheLockOnDragsNeitherMoveNorSize)
{
    Open({{50, 50, 40, 30, "A"}});
    QTest::mouseClick(form().ui().lockButton, Qt::LeftButton);
    ASSERT_TRUE(project().LockObj);
    Drag({60, 60}, {100, 100});
    EXPECT_EQ(Rect(0), QRect(50, 50, 40, 30));
    Drag({88, 78}, {150, 120});
    EXPECT_EQ(Rect(0), QRect(50, 50, 40, 30));
    EXPECT_EQ(project().selection.current(), &At(0));
}

TEST_F(CanvasMouse, ClickingAnEnclosingRegionSendsItBackSoTheInnerOneIsReachable)
{
    Open({{20, 20, 40, 40, "Inner"}, {10, 10, 100, 100, "Outer"}});
    Click({80, 80});
    EXPECT_EQ(project().selection.current(), &At(1));
    Click({30, 30});
    EXPECT_EQ(project().selection.current(), &At(0));
    EXPECT_EQ(project().selection.stateOf(At(1)), SelectionState::None);
}

TEST_F(CanvasMouse, APressOnTheBareCanvasDeselectsUnlessShiftIsHeld)
{
    Open({{10, 10, 20, 20, "A"}});
    Click({15, 15});
    Click({150, 100}, Qt::ShiftModifier);
    EXPECT_EQ(project().selection.current(), &At(0));
    Click({150, 100});
    EXPECT_EQ(project().selection.current(), nullptr);
    EXPECT_FALSE(form().ui().deleteAction->isEnabled());
}

TEST_F(CanvasMouse, ARightPressSelectsAndOpensTheContextMenu)
{
    Open({{10, 10, 20, 20, "A"}});
    Press({15, 15}, {}, Qt::RightButton);
    Release({15, 15}, Qt::RightButton);
    EXPECT_EQ(project().selection.current(), &At(0));
    EXPECT_TRUE(form().ui().regionMenu->isVisible());
    form().ui().regionMenu->hide();
    EXPECT_EQ(canvas().drag().gesture, Gesture::None);
}

TEST_F(CanvasMouse, PressesDuringTheAnimationAreIgnored)
{
    Open({{10, 10, 20, 20, "A"}});
    canvas().setAnimating(true);
    AnswerRegionDialog(true);
    Drag({15, 15}, {60, 60});
    Drag({100, 60}, {150, 120});
    canvas().setAnimating(false);
    EXPECT_EQ(project().selection.current(), nullptr);
    EXPECT_EQ(Rect(0), QRect(10, 10, 20, 20));
    EXPECT_EQ(project().Regions.size(), 1u);
}

TEST_F(CanvasMouse, ThePointerPositionShowsOverCanvasAndRegions)
{
    Open({{10, 10, 20, 20, "A"}});
    MoveTo({100, 90});
    EXPECT_EQ(Status(0), " x:100  y:90");
    MoveTo({12, 13});
    EXPECT_EQ(Status(0), " x:12  y:13");
}

}  // namespace
}  // namespace tolv::gui::test

namespace tolv::gui::test {
namespace {

// Seen: a drag of +30,+20 screen pixels at 100 % moved the region +24,+16,
// as the drag started at the first motion, not at the press.
struct PressPointCase {
    const char* name;
    double scale;
    QPoint press, by;
    QPoint moved;
};

class DragFromThePress : public Editing, public testing::WithParamInterface<PressPointCase> {};

TEST_P(DragFromThePress, KeepsTheRegionUnderThePointer)
{
    const PressPointCase& c = GetParam();
    Open({{10, 10, 40, 40, "A"}});
    form().view().zoomTo(c.scale, {0, 0});
    Drag(c.press, c.press + c.by, 5);
    EXPECT_EQ(Rect(0).topLeft(), QPoint(10, 10) + c.moved);
}

INSTANTIATE_TEST_SUITE_P(Zooms, DragFromThePress,
                         testing::Values(PressPointCase{"Actual", 1.0, {20, 20}, {30, 20}, {30, 20}},
                                         PressPointCase{"Half", 0.5, {10, 10}, {15, 10}, {30, 20}},
                                         PressPointCase{"FourTimes", 4.0, {60, 60}, {40, 20}, {10, 5}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Seen: a drag pushed a group member wholly off the frame.
TEST_F(CanvasMouse, AGroupDragStopsWhereTheLastMemberStillHasAPixelOnTheFrame)
{
    Open({{10, 10, 20, 20, "A"}, {170, 10, 20, 20, "B"}});
    const int last = canvas().frameArea().width() - 1;
    Click({15, 15});
    Click({175, 15}, Qt::ShiftModifier);
    Press({15, 15});
    MoveTo({100, 15});
    MoveTo({last, 15});
    EXPECT_EQ(Status(1), QString(" Moving to x:%1  y:10").arg(last - 160));
    Release({last, 15});
    EXPECT_EQ(Rect(0), QRect(last - 160, 10, 20, 20));
    EXPECT_EQ(Rect(1), QRect(last, 10, 20, 20));
}

// Seen: a full-frame background took every press, so no band could be drawn.
class Background : public Editing {
protected:
    void OpenScene() { Open({{0, 0, 4000, 4000, "Scene"}, {20, 20, 30, 30, "A"}}); }
};

TEST_F(Background, ADragInsideItDrawsABandAndAClickSelectsIt)
{
    OpenScene();
    AnswerRegionDialog(true);
    Drag({60, 60}, {100, 90});
    ASSERT_EQ(project().Regions.size(), 3u);
    EXPECT_EQ(Rect(2), QRect(60, 60, 40, 30));
    EXPECT_EQ(Rect(0), QRect(0, 0, 4000, 4000));
    Click({150, 120});
    EXPECT_EQ(project().selection.current(), &At(0));
    Click({25, 25});
    EXPECT_EQ(project().selection.current(), &At(1));
}

TEST_F(Background, ShowsAsAMarkerNotAlongTheFrame)
{
    OpenScene();
    const QImage shown = canvas().grab().toImage();
    const QRgb blue = qRgb(0, 0, 255);
    EXPECT_EQ(shown.pixel(100, 0), blue);
    EXPECT_EQ(shown.pixel(0, 100), blue);
    EXPECT_NE(shown.pixel(FrameCanvas::backgroundMarker().center()), blue);
    Drag(FrameCanvas::backgroundMarker().center(), FrameCanvas::backgroundMarker().center() + QPoint(10, 5));
    EXPECT_EQ(Rect(0), QRect(10, 5, 4000, 4000)) << "the marker drags it";
}

TEST_F(Background, APressOnTheMarginStartsABandHeldToTheFrame)
{
    Open({});
    QWidget* viewport = form().ui().canvasScroll->viewport();
    const int right = canvas().frameArea().width();
    ASSERT_GT(viewport->width(), right + 30);
    AnswerRegionDialog(true);
    const QPoint from = canvas().mapTo(viewport, QPoint(right + 30, 120));
    const QPoint to = canvas().mapTo(viewport, QPoint(150, 100));
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QTest::mouseMove(viewport, (from + to) / 2);
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    ASSERT_EQ(project().Regions.size(), 1u);
    EXPECT_EQ(Rect(0), QRect(150, 100, right - 150, 20));
}

TEST_F(Background, CtrlDragStartsABandOverARegion)
{
    Open({{10, 10, 40, 40, "A"}, {100, 10, 40, 40, "B"}});
    Drag({20, 20}, {110, 30}, 4, Qt::ControlModifier);
    EXPECT_EQ(Rect(0), QRect(10, 10, 40, 40));
    EXPECT_EQ(project().selection.stateOf(At(0)), SelectionState::Group);
    EXPECT_EQ(project().selection.stateOf(At(1)), SelectionState::Group);
}

}  // namespace
}  // namespace tolv::gui::test
