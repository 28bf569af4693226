#include "gui/gui_fixture.h"

#include "editor/selection.h"
#include "gui/editor/frame_canvas.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QtTest/QTest>

#include <string>

namespace tolv::gui::test {
namespace {

constexpr Color Yellow = colors::Yellow;

// Three 200 x 150 frames (red, green, blue), a text box listed on the second
// frame in capitals, a clip and a hidden text box listed on every frame.
class Canvas : public GuiFixture {
protected:
    void Open(std::vector<std::string> extraRegionLines = {}, int regions = 3, const char* secondFrame = "f2.bmp")
    {
        MakeFrame("f1.bmp", 200, 150, colors::Red);
        MakeFrame("f2.bmp", 200, 150, colors::Green);
        MakeFrame("f3.bmp", 200, 150, colors::Blue);
        std::vector<std::string> lines = {"[Main]",
                                          "Version2=1",
                                          "Regions=" + std::to_string(regions),
                                          "[Frames]",
                                          "1=f1.bmp",
                                          std::string("2=") + secondFrame,
                                          "3=f3.bmp",
                                          "[Region1]",
                                          "Position=20,20,60,40",
                                          "Name=Note",
                                          "Backgrnd=2",
                                          "BoxColor=" + std::to_string(Yellow),
                                          "Clip1=F2.BMP,,",
                                          "[Region2]",
                                          "Position=100,10,50,30",
                                          "Name=Door",
                                          "Clip1=f1.bmp,,door.bmp",
                                          "[Region3]",
                                          "Position=100,100,40,30",
                                          "Name=Quiet",
                                          "Visible=0",
                                          "Backgrnd=2",
                                          "BoxColor=" + std::to_string(Yellow),
                                          "Clip1=f1.bmp,,",
                                          "Clip2=f2.bmp,,",
                                          "Clip3=f3.bmp,,"};
        lines.insert(lines.end(), extraRegionLines.begin(), extraRegionLines.end());
        Start({QString::fromStdString(MakeProject("canvas.qvl", lines))});
    }

    FrameCanvas& canvas() { return form().canvas(); }
    Color Shown(int x, int y) { return canvas().displayBitmap().pixel(x, y); }
    QRgb OnScreen(int x, int y) { return canvas().grab().toImage().pixel(x, y); }
    Region& At(int index) { return *project().Regions[std::size_t(index)]; }
    std::optional<QRect> OnCanvas(const Region& region) { return canvas().shownRect(region); }
    void Hover(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), canvas().mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                         {});
        QApplication::sendEvent(&canvas(), &move);
    }
    // A selection change as the clicks and keys make it.
    void Run(SelectionOp::Kind kind, int position = -1) { form().document().changeSelection({kind, position}); }
    void Join(int index) { Run(SelectionOp::Kind::AddToGroup, index); }
};

QRgb Rgb(Color color)
{
    return qRgb(RedOf(color), GreenOf(color), BlueOf(color));
}

TEST_F(Canvas, WithoutFramesTheCheckerboardShowsWithASilverTopLeftSquare)
{
    Start();
    EXPECT_EQ(canvas().displayBitmap().width(), 790);
    EXPECT_EQ(canvas().displayBitmap().height(), 560);
    EXPECT_EQ(canvas().size(), QSize(790, 560));
    EXPECT_EQ(OnScreen(0, 0), Rgb(colors::Silver));
    EXPECT_EQ(OnScreen(15, 15), Rgb(colors::Silver));
    EXPECT_EQ(OnScreen(16, 0), Rgb(colors::White));
    EXPECT_EQ(OnScreen(783, 559), Rgb(colors::Silver));  // squares 48 and 34
    EXPECT_EQ(form().statusText(2), " Animation missing: ");
    EXPECT_FALSE(form().ui().previousFrameAction->isEnabled());
    EXPECT_FALSE(form().ui().nextFrameAction->isEnabled());
}

TEST_F(Canvas, SteppingStopsAtBothEndsAndKeepsTheMenusInStep)
{
    Open();
    const MainWindowControls& ui = form().ui();
    struct Step {
        FrameStep delta;
        int frame;
        Color color;
        bool previous;
        bool next;
    };
    const FrameStep same = FrameStep::Same, next = FrameStep::Next, previous = FrameStep::Previous;
    const Step steps[] = {{same, 1, colors::Red, false, true},      {next, 2, colors::Green, true, true},
                          {next, 3, colors::Blue, true, false},     {next, 3, colors::Blue, true, false},
                          {previous, 2, colors::Green, true, true}, {previous, 1, colors::Red, false, true},
                          {previous, 1, colors::Red, false, true}};
    for (const Step& step : steps) {
        form().showAdjacentFrame(step.delta);
        EXPECT_EQ(project().CurrentFrame, step.frame);
        EXPECT_EQ(Shown(5, 5), step.color) << step.frame;
        EXPECT_EQ(OnScreen(5, 5), Rgb(step.color)) << step.frame;
        EXPECT_EQ(ui.previousFrameAction->isEnabled(), step.previous) << step.frame;
        EXPECT_EQ(ui.nextFrameAction->isEnabled(), step.next) << step.frame;
        EXPECT_EQ(form().statusText(2), QString(" Frame: f%1.bmp").arg(step.frame));
    }
}

TEST_F(Canvas, TheToolButtonsAndMenuItemsStep)
{
    Open();
    QTest::mouseClick(form().ui().nextFrameButton, Qt::LeftButton);
    EXPECT_EQ(project().CurrentFrame, 2);
    form().ui().nextFrameAction->trigger();
    EXPECT_EQ(project().CurrentFrame, 3);
    form().ui().previousFrameAction->trigger();
    QTest::mouseClick(form().ui().previousFrameButton, Qt::LeftButton);
    EXPECT_EQ(project().CurrentFrame, 1);
    QTest::mouseClick(form().ui().previousFrameButton, Qt::LeftButton);  // reloads frame 1
    EXPECT_EQ(project().CurrentFrame, 1);
}

TEST_F(Canvas, AMissingFrameShowsTheCheckerboardAndSteppingOffItShowsFramesAgain)
{
    Open({}, 3, "gone.bmp");
    ClearMessages();
    canvas().showFrame(FrameStep::Next);
    EXPECT_EQ(form().statusText(2), " Animation missing: gone.bmp");
    EXPECT_EQ(Shown(0, 0), colors::Silver);
    EXPECT_EQ(Shown(16, 0), colors::White);
    canvas().showFrame(FrameStep::Next);
    EXPECT_EQ(form().statusText(2), " Frame: f3.bmp");
    EXPECT_EQ(Shown(0, 0), colors::Blue);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Canvas, ATextBoxIsPaintedOnlyOnTheFramesItListsIgnoringCase)
{
    Open();
    EXPECT_EQ(Shown(50, 40), colors::Red);
    canvas().showFrame(FrameStep::Next);
    EXPECT_EQ(Shown(50, 40), Yellow);
    EXPECT_EQ(OnScreen(50, 40), Rgb(Yellow));
    canvas().showFrame(FrameStep::Next);
    EXPECT_EQ(Shown(50, 40), colors::Blue);
}

TEST_F(Canvas, ShowPaintAllPaintsEveryTextBoxOnEveryFrameHiddenOnesToo)
{
    Open();
    EXPECT_EQ(Shown(120, 115), colors::Red);  // the hidden box lists frame 1
    form().ui().showPaintAction->trigger();
    EXPECT_TRUE(form().canvas().showPaintAll());
    EXPECT_TRUE(form().ui().showPaintAction->isChecked());
    EXPECT_TRUE(form().ui().showPaintButton->isChecked());
    EXPECT_EQ(Shown(50, 40), Yellow);
    EXPECT_EQ(Shown(120, 115), Yellow);

    QTest::mouseClick(form().ui().showPaintButton, Qt::LeftButton);
    EXPECT_FALSE(form().canvas().showPaintAll());
    EXPECT_FALSE(form().ui().showPaintAction->isChecked());
    EXPECT_EQ(Shown(50, 40), colors::Red);
}

TEST_F(Canvas, TheExtractMenuFollowsTheRegionsWithoutTheProjectMenuOpening)
{
    Start();
    EXPECT_FALSE(form().ui().extractMenu->menuAction()->isEnabled());
    Open();
    EXPECT_TRUE(form().ui().extractMenu->menuAction()->isEnabled());
    Run(SelectionOp::Kind::Pick, 0);
    Join(1);
    Join(2);
    form().commands().remove();
    EXPECT_FALSE(form().ui().extractMenu->menuAction()->isEnabled());
    form().commands().undo();
    EXPECT_TRUE(form().ui().extractMenu->menuAction()->isEnabled());
}

TEST_F(Canvas, TheCanvasShowsItsRegionsWithoutAWidgetEach)
{
    Open();
    EXPECT_EQ(OnCanvas(At(0)), QRect(20, 20, 60, 40));
    EXPECT_EQ(canvas().hintAt({110, 20}), "[Door]  x:100  y:10  w:50  h:30");
    Hover({110, 20});
    EXPECT_EQ(canvas().cursor().shape(), Qt::PointingHandCursor);
    Hover({190, 140});
    EXPECT_NE(canvas().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(OnCanvas(At(1)));
    EXPECT_FALSE(OnCanvas(At(2)));
    EXPECT_TRUE(canvas().findChildren<QWidget*>().isEmpty());
    EXPECT_EQ(canvas().regionAt({120, 115}), nullptr);  // a hidden region is out of the mouse's reach
}

TEST_F(Canvas, OutlinesFollowTheSelectionStateAndTheFrameShowsThrough)
{
    Open();
    // Door at 100,10 50 x 30 on the red frame.
    EXPECT_EQ(OnScreen(100, 10), Rgb(colors::Black));  // dotted: the first dot
    EXPECT_EQ(OnScreen(103, 10), Rgb(colors::Red));  // and its gap
    EXPECT_EQ(OnScreen(125, 25), Rgb(colors::Red));  // no fill
    EXPECT_EQ(OnScreen(146, 36), Rgb(colors::Red));  // no handle

    Select(1);
    EXPECT_EQ(OnScreen(100, 10), Rgb(colors::Yellow));
    EXPECT_EQ(OnScreen(125, 25), Rgb(colors::Red));
    EXPECT_EQ(OnScreen(144, 34), Rgb(colors::Lime));  // the 6 x 6 size handle
    EXPECT_EQ(OnScreen(149, 39), Rgb(colors::Lime));
    EXPECT_EQ(OnScreen(143, 33), Rgb(colors::Red));

    Join(1);
    EXPECT_EQ(OnScreen(100, 10), Rgb(colors::Aqua));
    EXPECT_EQ(OnScreen(147, 37), Rgb(colors::Red));
}

std::vector<QAction*> RegionCommands(const MainWindowControls& ui)
{
    return {ui.propertiesAction,      ui.regionPropertiesAction, ui.hideAction,
            ui.regionHideAction,      ui.regionDeleteAction,     ui.deleteAction,
            ui.regionDuplicateAction, ui.duplicateAction,        ui.animateAction,
            ui.regionAnimateAction};
}

TEST_F(Canvas, SelectingARegionSwitchesTheRegionCommandsOn)
{
    Open();
    const MainWindowControls& ui = form().ui();
    form().ui().quickPick->setCurrentIndex(1);
    emit form().ui().quickPick->activated(1);
    EXPECT_EQ(ui.quickPick->currentIndex(), 1);
    EXPECT_EQ(form().statusText(1), " x:100  y:10   w:50 h:30");
    EXPECT_EQ(form().statusText(2), " Region: Door  ");
    for (QAction* action : RegionCommands(ui))
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_TRUE(ui.hideButton->isEnabled());
    EXPECT_FALSE(ui.hideButton->isChecked());

    Select(2);
    EXPECT_EQ(form().statusText(2), " Region: Quiet <Hidden>");
    EXPECT_TRUE(ui.hideButton->isChecked());
    EXPECT_TRUE(ui.regionHideAction->isChecked());
    EXPECT_EQ(project().selection.stateOf(At(1)), SelectionState::None);

    Run(SelectionOp::Kind::DeselectAll);
    EXPECT_EQ(ui.quickPick->currentIndex(), -1);
    EXPECT_EQ(form().statusText(2), " Frame: f1.bmp");
    for (QAction* action : RegionCommands(ui))
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_FALSE(ui.hideButton->isEnabled());
    EXPECT_FALSE(ui.regionHideAction->isChecked());
}

TEST_F(Canvas, TheLockKeepsDeleteOffAndShowsInTheMenuAndButton)
{
    Open();
    Select(0);
    form().onLockLayout();
    EXPECT_TRUE(project().LockObj);
    EXPECT_TRUE(project().Modified);
    EXPECT_TRUE(form().ui().lockLayoutAction->isChecked());
    EXPECT_TRUE(form().ui().lockButton->isChecked());
    EXPECT_FALSE(form().ui().deleteAction->isEnabled());
    EXPECT_TRUE(form().ui().propertiesAction->isEnabled());
    QTest::mouseClick(form().ui().lockButton, Qt::LeftButton);
    EXPECT_FALSE(project().LockObj);
    EXPECT_FALSE(form().ui().lockButton->isChecked());
    EXPECT_TRUE(form().ui().deleteAction->isEnabled());
}

TEST_F(Canvas, TabOrderWrapsAndPassesOverHiddenRegions)
{
    Open();  // Quiet, the last region, is hidden
    const int expectedNext[] = {0, 1, 0};
    for (int expected : expectedNext) {
        Run(SelectionOp::Kind::Next);
        EXPECT_EQ(project().selection.anchor(), expected);
        EXPECT_EQ(form().ui().quickPick->currentIndex(), expected);
    }
    Run(SelectionOp::Kind::DeselectAll);
    Run(SelectionOp::Kind::Previous);
    EXPECT_EQ(project().selection.anchor(), 1);
    Run(SelectionOp::Kind::Previous);
    EXPECT_EQ(project().selection.anchor(), 0);
}

TEST_F(Canvas, HidingATextBoxRepaintsTheFrameAndMarksTheQuickPick)
{
    Open();
    canvas().showFrame(FrameStep::Next);
    Select(0);
    form().commands().applyRegionCommand(RegionCommand::Hide);
    EXPECT_FALSE(project().Regions[0]->Visible);
    EXPECT_TRUE(project().Modified);
    EXPECT_FALSE(OnCanvas(At(0)));
    EXPECT_EQ(form().ui().quickPick->itemText(0), "Note <Hidden>");
    EXPECT_EQ(Shown(50, 40), colors::Green);
    EXPECT_TRUE(form().ui().hideButton->isChecked());

    EXPECT_FALSE(form().document().applyRegionCommand(RegionCommand::Hide));  // already hidden
    form().commands().applyRegionCommand(RegionCommand::Show);
    EXPECT_EQ(form().ui().quickPick->itemText(0), "Note  ");
    EXPECT_EQ(Shown(50, 40), Yellow);
}

TEST_F(Canvas, AnEnclosingRegionLiesBelowTheRegionsInsideIt)
{
    Open({"[Region4]", "Position=90,0,100,120", "Name=Big", "[Region5]", "Position=92,2,10,10", "Name=Over"}, 5);
    EXPECT_EQ(canvas().regionAt({110, 20}), &At(1));  // Big was created later, but encloses Door
    EXPECT_EQ(canvas().regionAt({95, 60}), &At(3));
    EXPECT_EQ(canvas().regionAt({100, 10}), &At(4)) << "regions that only overlap stack in list order";
}

TEST_F(Canvas, KeyboardNudgesMoveTheItemsAndHoldTheTextBoxRepaint)
{
    Open();
    canvas().showFrame(FrameStep::Next);  // the text box Note is painted on frame 2
    Run(SelectionOp::Kind::Pick, 0);
    Join(1);
    canvas().holdPrefilter();
    form().document().nudgeMove(10, 5);
    EXPECT_EQ(OnCanvas(At(0)), QRect(30, 25, 60, 40));
    EXPECT_EQ(OnCanvas(At(1)), QRect(110, 15, 50, 30));
    EXPECT_EQ(canvas().hintAt({31, 26}), "[Note]  x:30  y:25  w:60  h:40");
    EXPECT_EQ(Shown(22, 22), Yellow);  // still at its old place
    canvas().paintPrefilter(true);
    EXPECT_EQ(Shown(22, 22), Yellow);  // held

    canvas().releasePrefilter();
    EXPECT_EQ(Shown(22, 22), colors::Green);
    EXPECT_EQ(Shown(85, 60), Yellow);

    form().document().nudgeSize(-54, 0);
    EXPECT_EQ(OnCanvas(At(0)), QRect(30, 25, 6, 40));
    form().document().nudgeSize(-40, 2);  // 1 wide is the smallest size
    EXPECT_EQ(OnCanvas(At(0)), QRect(30, 25, 1, 42));
    EXPECT_EQ(OnCanvas(At(1)), QRect(110, 15, 1, 32));
}

TEST_F(Canvas, ARegionOpensTheRegionContextMenu)
{
    Open();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(105, 15), canvas().mapToGlobal(QPoint(105, 15)));
    QApplication::sendEvent(&canvas(), &event);
    EXPECT_TRUE(form().ui().regionMenu->isVisible());
    form().ui().regionMenu->hide();
}

TEST_F(Canvas, DeletingSelectedRegionsDropsTheirItems)
{
    Open();
    Run(SelectionOp::Kind::Pick, 0);
    Join(1);
    form().commands().remove();
    ASSERT_EQ(project().Regions.size(), 1u);
    EXPECT_EQ(project().Regions[0]->Name, "Quiet");
    EXPECT_EQ(canvas().indexedRegions(), 1u);
    EXPECT_EQ(canvas().regionAt({25, 25}), nullptr);
    EXPECT_EQ(project().selection.current(), nullptr);
}

}  // namespace
}  // namespace tolv::gui::test
