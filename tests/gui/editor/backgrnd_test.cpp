#include "gui/gui_fixture.h"

#include "gui/editor/backgrnd.h"
#include "gui/editor/region_item.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QComboBox>
#include <QImage>
#include <QMenu>
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
        std::vector<std::string> lines = {"[Main]", "Version2=1", "Regions=" + std::to_string(regions), "[Frames]",
                                          "1=f1.bmp", std::string("2=") + secondFrame, "3=f3.bmp",
                                          "[Region1]", "Position=20,20,60,40", "Name=Note", "Backgrnd=2",
                                          "BoxColor=" + std::to_string(Yellow), "Clip1=F2.BMP,,",
                                          "[Region2]", "Position=100,10,50,30", "Name=Door",
                                          "Clip1=f1.bmp,,door.bmp",
                                          "[Region3]", "Position=100,100,40,30", "Name=Quiet", "Visible=0",
                                          "Backgrnd=2", "BoxColor=" + std::to_string(Yellow), "Clip1=f1.bmp,,",
                                          "Clip2=f2.bmp,,", "Clip3=f3.bmp,,"};
        lines.insert(lines.end(), extraRegionLines.begin(), extraRegionLines.end());
        Start({QString::fromStdString(MakeProject("canvas.qvl", lines))});
    }

    TBackgrnd& canvas() { return form().Backgrnd(); }
    Color Shown(int x, int y) { return canvas().DisplayBitmap().pixel(x, y); }
    QRgb OnScreen(int x, int y) { return canvas().grab().toImage().pixel(x, y); }
    tRegion& Item(int index) { return *canvas().ItemOf(project().Regions[std::size_t(index)].get()); }
};

QRgb Rgb(Color color)
{
    return qRgb(RedOf(color), GreenOf(color), BlueOf(color));
}

TEST_F(Canvas, WithoutFramesTheCheckerboardShowsWithASilverTopLeftSquare)
{
    Start();
    EXPECT_EQ(canvas().DisplayBitmap().width(), 790);
    EXPECT_EQ(canvas().DisplayBitmap().height(), 560);
    EXPECT_EQ(canvas().size(), QSize(790, 560));
    EXPECT_EQ(OnScreen(0, 0), Rgb(colors::Silver));
    EXPECT_EQ(OnScreen(15, 15), Rgb(colors::Silver));
    EXPECT_EQ(OnScreen(16, 0), Rgb(colors::White));
    EXPECT_EQ(OnScreen(783, 559), Rgb(colors::Silver));  // squares 48 and 34
    EXPECT_EQ(form().StatusText(2), " Animation missing: ");
    EXPECT_FALSE(form().Ui().PrevBak->isEnabled());
    EXPECT_FALSE(form().Ui().NextBak->isEnabled());
}

TEST_F(Canvas, SteppingStopsAtBothEndsAndKeepsTheMenusInStep)
{
    Open();
    const MainControls& ui = form().Ui();
    struct Step {
        int delta;
        int frame;
        Color color;
        bool previous;
        bool next;
    };
    const Step steps[] = {{0, 1, colors::Red, false, true},   {+1, 2, colors::Green, true, true},
                          {+1, 3, colors::Blue, true, false}, {+1, 3, colors::Blue, true, false},
                          {-1, 2, colors::Green, true, true}, {-1, 1, colors::Red, false, true},
                          {-1, 1, colors::Red, false, true}};
    for (const Step& step : steps) {
        canvas().ShowFrame(step.delta);
        EXPECT_EQ(project().CurrentFrame, step.frame);
        EXPECT_EQ(Shown(5, 5), step.color) << step.frame;
        EXPECT_EQ(OnScreen(5, 5), Rgb(step.color)) << step.frame;
        EXPECT_EQ(ui.PrevBak->isEnabled(), step.previous) << step.frame;
        EXPECT_EQ(ui.NextBak->isEnabled(), step.next) << step.frame;
        EXPECT_EQ(form().StatusText(2), QString(" Frame: f%1.bmp").arg(step.frame));
    }
}

TEST_F(Canvas, TheToolButtonsAndMenuItemsStep)
{
    Open();
    QTest::mouseClick(form().Ui().tbNext, Qt::LeftButton);
    EXPECT_EQ(project().CurrentFrame, 2);
    form().Ui().NextBak->trigger();
    EXPECT_EQ(project().CurrentFrame, 3);
    form().Ui().PrevBak->trigger();
    QTest::mouseClick(form().Ui().tbPrev, Qt::LeftButton);
    EXPECT_EQ(project().CurrentFrame, 1);
    QTest::mouseClick(form().Ui().tbPrev, Qt::LeftButton);  // reloads frame 1
    EXPECT_EQ(project().CurrentFrame, 1);
}

TEST_F(Canvas, AMissingFrameShowsTheCheckerboardAndSteppingOffItShowsFramesAgain)
{
    Open({}, 3, "gone.bmp");
    ClearMessages();
    canvas().ShowFrame(+1);
    EXPECT_EQ(form().StatusText(2), " Animation missing: gone.bmp");
    EXPECT_EQ(Shown(0, 0), colors::Silver);
    EXPECT_EQ(Shown(16, 0), colors::White);
    canvas().ShowFrame(+1);
    EXPECT_EQ(form().StatusText(2), " Frame: f3.bmp");
    EXPECT_EQ(Shown(0, 0), colors::Blue);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Canvas, ATextBoxIsPaintedOnlyOnTheFramesItListsIgnoringCase)
{
    Open();
    EXPECT_EQ(Shown(50, 40), colors::Red);
    canvas().ShowFrame(+1);
    EXPECT_EQ(Shown(50, 40), Yellow);
    EXPECT_EQ(OnScreen(50, 40), Rgb(Yellow));
    canvas().ShowFrame(+1);
    EXPECT_EQ(Shown(50, 40), colors::Blue);
}

TEST_F(Canvas, ShowPaintAllPaintsEveryTextBoxOnEveryFrameHiddenOnesToo)
{
    Open();
    EXPECT_EQ(Shown(120, 115), colors::Red);  // the hidden box lists frame 1
    form().LinkMenuClick();
    EXPECT_TRUE(form().ShowPaintAll);
    EXPECT_TRUE(form().Ui().sb_ShowPaint->isChecked());
    EXPECT_EQ(Shown(50, 40), Yellow);
    EXPECT_EQ(Shown(120, 115), Yellow);

    QTest::mouseClick(form().Ui().sb_ShowPaint, Qt::LeftButton);
    EXPECT_FALSE(form().ShowPaintAll);
    EXPECT_EQ(Shown(50, 40), colors::Red);
}

TEST_F(Canvas, OpeningTheEditMenuShowsTheShowPaintAllState)
{
    Open();
    form().ShowPaintAll = true;
    emit form().Ui().Edit1->aboutToShow();
    EXPECT_TRUE(form().Ui().LinkMenu->isChecked());
}

TEST_F(Canvas, OpeningTheProjectMenuEnablesExtractOnlyWithRegions)
{
    Start();
    EXPECT_TRUE(form().Ui().Extract1->menuAction()->isEnabled());
    emit form().Ui().Project1->aboutToShow();
    EXPECT_FALSE(form().Ui().Extract1->menuAction()->isEnabled());
    Open();
    emit form().Ui().Project1->aboutToShow();
    EXPECT_TRUE(form().Ui().Extract1->menuAction()->isEnabled());
}

TEST_F(Canvas, RegionItemsMirrorTheirRegions)
{
    Open();
    EXPECT_EQ(Item(0).geometry(), QRect(20, 20, 60, 40));
    EXPECT_EQ(Item(1).toolTip(), "[Door]  x:100  y:10  w:50  h:30");
    EXPECT_EQ(Item(1).cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(Item(1).isVisible());
    EXPECT_FALSE(Item(2).isVisible());
    EXPECT_FALSE(Item(1).testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(canvas().childAt(120, 115), nullptr);  // a hidden region is out of the mouse's reach
}

TEST_F(Canvas, OutlinesFollowTheSelectionStateAndTheFrameShowsThrough)
{
    Open();
    // Door at 100,10 50 x 30 on the red frame.
    EXPECT_EQ(OnScreen(100, 10), Rgb(colors::Black));  // dotted: the first dot
    EXPECT_EQ(OnScreen(103, 10), Rgb(colors::Red));    // and its gap
    EXPECT_EQ(OnScreen(125, 25), Rgb(colors::Red));    // no fill
    EXPECT_EQ(OnScreen(149, 39), Rgb(colors::Red));    // no handle

    canvas().SelectRegion(1);
    EXPECT_EQ(OnScreen(100, 10), Rgb(colors::Yellow));
    EXPECT_EQ(OnScreen(125, 25), Rgb(colors::Red));
    EXPECT_EQ(OnScreen(144, 34), Rgb(colors::Lime));  // the 6 x 6 size handle
    EXPECT_EQ(OnScreen(149, 39), Rgb(colors::Lime));
    EXPECT_EQ(OnScreen(143, 33), Rgb(colors::Red));

    Item(1).SetState(GroupSelected);
    EXPECT_EQ(OnScreen(100, 10), Rgb(colors::Aqua));
    EXPECT_EQ(OnScreen(147, 37), Rgb(colors::Red));
}

std::vector<QAction*> RegionCommands(const MainControls& ui)
{
    return {ui.Prop1,   ui.Properties1, ui.Hideobject1, ui.HideObj,  ui.Delete1,
            ui.Delete2, ui.Duplicate1,  ui.Duplicate2,  ui.Animate1, ui.Animate2};
}

TEST_F(Canvas, SelectingARegionSwitchesTheRegionCommandsOn)
{
    Open();
    const MainControls& ui = form().Ui();
    canvas().SelectRegion(1);
    EXPECT_EQ(ui.qPick->currentIndex(), 1);
    EXPECT_EQ(form().StatusText(1), " x:100  y:10   w:50 h:30");
    EXPECT_EQ(form().StatusText(2), " Region: Door  ");
    for (QAction* action : RegionCommands(ui))
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_TRUE(ui.tbhidden->isEnabled());
    EXPECT_FALSE(ui.tbhidden->isChecked());

    canvas().SelectRegion(2);
    EXPECT_EQ(form().StatusText(2), " Region: Quiet <Hidden>");
    EXPECT_TRUE(ui.tbhidden->isChecked());
    EXPECT_TRUE(ui.HideObj->isChecked());
    EXPECT_EQ(Item(1).region().Selected, NotSelected);

    canvas().DeselectAll();
    canvas().ShowNoSelection();
    EXPECT_EQ(ui.qPick->currentIndex(), -1);
    EXPECT_EQ(form().StatusText(2), " Frame: f1.bmp");
    for (QAction* action : RegionCommands(ui))
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_FALSE(ui.tbhidden->isEnabled());
    EXPECT_FALSE(ui.HideObj->isChecked());
}

TEST_F(Canvas, TheLockKeepsDeleteOffAndShowsInTheMenuAndButton)
{
    Open();
    canvas().SelectRegion(0);
    form().Locklayout1Click();
    EXPECT_TRUE(project().LockObj);
    EXPECT_TRUE(project().Modified);
    EXPECT_TRUE(form().Ui().Locklayout1->isChecked());
    EXPECT_TRUE(form().Ui().tblock->isChecked());
    EXPECT_FALSE(form().Ui().Delete2->isEnabled());
    EXPECT_TRUE(form().Ui().Prop1->isEnabled());
    QTest::mouseClick(form().Ui().tblock, Qt::LeftButton);
    EXPECT_FALSE(project().LockObj);
    EXPECT_FALSE(form().Ui().tblock->isChecked());
    EXPECT_TRUE(form().Ui().Delete2->isEnabled());
}

TEST_F(Canvas, TabOrderWrapsAndReachesHiddenRegions)
{
    Open();
    const int expectedNext[] = {0, 1, 2, 0};
    for (int expected : expectedNext) {
        canvas().SelectNext();
        EXPECT_EQ(project().SelIndex, expected);
        EXPECT_EQ(form().Ui().qPick->currentIndex(), expected);
    }
    canvas().DeselectAll();
    canvas().SelectPrevious();
    EXPECT_EQ(project().SelIndex, 2);
    canvas().SelectPrevious();
    EXPECT_EQ(project().SelIndex, 1);
}

TEST_F(Canvas, HidingATextBoxRepaintsTheFrameAndMarksTheQuickPick)
{
    Open();
    canvas().ShowFrame(+1);
    canvas().SelectRegion(0);
    project().Modified = false;
    Item(0).RegionCmd(1);
    EXPECT_FALSE(project().Regions[0]->Visible);
    EXPECT_TRUE(project().Modified);
    EXPECT_FALSE(Item(0).isVisible());
    EXPECT_EQ(form().Ui().qPick->itemText(0), "Note <Hidden>");
    EXPECT_EQ(Shown(50, 40), colors::Green);
    EXPECT_TRUE(form().Ui().tbhidden->isChecked());

    project().Modified = false;
    Item(0).RegionCmd(1);  // already hidden
    EXPECT_FALSE(project().Modified);
    Item(0).RegionCmd(2);
    EXPECT_EQ(form().Ui().qPick->itemText(0), "Note  ");
    EXPECT_EQ(Shown(50, 40), Yellow);
}

TEST_F(Canvas, AnEnclosingRegionGoesBelowTheRegionsInsideIt)
{
    Open({"[Region4]", "Position=90,0,100,120", "Name=Big"}, 4);
    EXPECT_EQ(canvas().childAt(110, 20), &Item(3));  // created last, so on top
    Item(3).SendBackIfEnclosing();
    EXPECT_EQ(canvas().childAt(110, 20), &Item(1));
    EXPECT_EQ(canvas().childAt(95, 5), &Item(3));
}

TEST_F(Canvas, KeyboardNudgesMoveTheItemsAndHoldTheTextBoxRepaint)
{
    Open();
    canvas().ShowFrame(+1);  // the text box Note is painted on frame 2
    canvas().SelectRegion(0);
    Item(1).SetState(GroupSelected);
    canvas().MoveSelected(10, 5);
    EXPECT_TRUE(canvas().HoldPrefilter);
    EXPECT_EQ(Item(0).geometry(), QRect(30, 25, 60, 40));
    EXPECT_EQ(Item(1).geometry(), QRect(110, 15, 50, 30));
    EXPECT_EQ(form().StatusText(1), " x:30  y:25   w:60 h:40");
    EXPECT_EQ(Item(0).toolTip(), "[Note]  x:30  y:25  w:60  h:40");
    EXPECT_EQ(Shown(22, 22), Yellow);  // still at its old place
    canvas().PaintPrefilter(true);
    EXPECT_EQ(Shown(22, 22), Yellow);  // held

    canvas().HoldPrefilter = false;
    canvas().PaintPrefilter(true);
    EXPECT_EQ(Shown(22, 22), colors::Green);
    EXPECT_EQ(Shown(85, 60), Yellow);

    canvas().SizeSelected(-54, 0);  // 6 wide is below the smallest size
    EXPECT_EQ(Item(0).geometry(), QRect(30, 25, 60, 40));
    canvas().SizeSelected(-40, 2);
    EXPECT_EQ(Item(0).geometry(), QRect(30, 25, 20, 42));
    EXPECT_EQ(Item(1).geometry(), QRect(110, 15, 10, 32));
}

TEST_F(Canvas, KeyboardNudgesDoNothingWhileLocked)
{
    Open();
    canvas().SelectRegion(1);
    project().LockObj = true;
    project().Modified = false;
    canvas().MoveSelected(10, 0);
    canvas().SizeSelected(10, 0);
    EXPECT_EQ(Item(1).geometry(), QRect(100, 10, 50, 30));
    EXPECT_FALSE(canvas().HoldPrefilter);
    EXPECT_FALSE(project().Modified);
}

TEST_F(Canvas, ARegionOpensTheRegionContextMenu)
{
    Open();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), Item(1).mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&Item(1), &event);
    EXPECT_TRUE(form().Ui().ObjContext->isVisible());
    form().Ui().ObjContext->hide();
}

TEST_F(Canvas, DeletingSelectedRegionsDropsTheirItems)
{
    Open();
    canvas().SelectRegion(0);
    Item(1).SetState(GroupSelected);
    canvas().DeleteSelected();
    ASSERT_EQ(project().Regions.size(), 1u);
    EXPECT_EQ(project().Regions[0]->Name, "Quiet");
    EXPECT_EQ(canvas().findChildren<tRegion*>().size(), 1);
    EXPECT_EQ(project().CurrentRegion, nullptr);
}

}  // namespace
}  // namespace tolv::gui::test
