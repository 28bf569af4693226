#include "gui/gui_fixture.h"

#include "gui/editor/frame_canvas.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QTest>

#include <string>
#include <utility>
#include <vector>

namespace tolv::gui::test {
namespace {

std::string Text(const QString& text)
{
    return text.toStdString();
}

// Four 200 x 150 frames in four colours. Region 1 is a clip whose rows 1, 2
// and 4 name frames (row 3 is empty, row 11 is beyond the animation);
// region 2 a text box; region 3 a clip with frames in rows 11 and 12 only;
// region 4 a clip whose second frame file is missing.
class Animation : public GuiFixture {
protected:
    void Open()
    {
        MakeFrame("f1.bmp", 200, 150, colors::Red);
        MakeFrame("f2.bmp", 200, 150, colors::Green);
        MakeFrame("f3.bmp", 200, 150, colors::Blue);
        MakeFrame("f4.bmp", 200, 150, colors::Yellow);
        const std::vector<std::string> lines = {"[Main]",
                                                "Version2=1",
                                                "Regions=4",
                                                "[Frames]",
                                                "1=f1.bmp",
                                                "2=f2.bmp",
                                                "3=f3.bmp",
                                                "4=f4.bmp",
                                                "[Region1]",
                                                "Position=100,10,50,30",
                                                "Name=Door",
                                                "[Region2]",
                                                "Position=20,20,60,40",
                                                "Name=Note",
                                                "Backgrnd=2",
                                                "[Region3]",
                                                "Position=10,100,30,20",
                                                "Name=Late",
                                                "[Region4]",
                                                "Position=150,100,20,20",
                                                "Name=Broken"};
        Start({QString::fromStdString(MakeProject("anim.qvl", lines))});
        // The project file closes up empty rows; the worksheets are set here.
        Rows(0, {{0, "f1.bmp"}, {1, "f2.bmp"}, {3, "f4.bmp"}, {10, "f3.bmp"}});
        Rows(1, {{0, "f1.bmp"}});
        Rows(2, {{10, "f1.bmp"}, {11, "f2.bmp"}});
        Rows(3, {{0, "f1.bmp"}, {1, "gone.bmp"}});
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }

    // A key going down in the frame area, without its release.
    void PressKey(Qt::Key key) { QTest::keyPress(ui().canvasScroll, key); }

    void Rows(int region, std::vector<std::pair<int, std::string>> rows)
    {
        for (auto& [row, frame] : rows)
            project().Regions[std::size_t(region)]->InputFrame.set(std::size_t(row), frame);
    }

    // Starts playback of region `index` from the "&Animate" menu item.
    void Play(int index)
    {
        Select(index);
        ui().animateAction->trigger();
    }

    // The controls that playback switches, in its state or in the normal one.
    void ExpectLocked(bool locked)
    {
        for (const QMenu* menu : {ui().fileMenu, ui().editMenu, ui().projectMenu, ui().extractMenu, ui().helpMenu})
            EXPECT_EQ(menu->menuAction()->isEnabled(), !locked) << menu->objectName().toStdString();
        EXPECT_EQ(ui().toolBar->isEnabled(), !locked);
        EXPECT_EQ(Text(ui().animateAction->text()), locked ? "&Animate stop" : "&Animate");
        EXPECT_EQ(ui().animateAction->isChecked(), locked);
        EXPECT_EQ(ui().regionAnimateAction->isChecked(), locked);
    }

    FrameCanvas& canvas() { return form().canvas(); }
    const MainWindowControls& ui() { return form().ui(); }
    QRgb OnScreen(int x, int y) { return canvas().grab().toImage().pixel(x, y); }
};

QRgb Rgb(Color color)
{
    return qRgb(RedOf(color), GreenOf(color), BlueOf(color));
}

TEST_F(Animation, RowsOneTwoAndFourPlayInRowOrderAndRepeat)
{
    Open();
    Play(0);
    ASSERT_TRUE(form().animating());
    EXPECT_EQ(form().player().cels().size(), 3u);
    EXPECT_EQ(form().player().celTarget(), QRect(100, 10, 50, 30));
    EXPECT_EQ(project().selection.current(), nullptr);  // deselected, yet playing
    for (Color expected : {colors::Red, colors::Green, colors::Yellow, colors::Red, colors::Green}) {
        form().player().showNextCel();
        EXPECT_EQ(OnScreen(101, 11), Rgb(expected));
        EXPECT_EQ(OnScreen(148, 38), Rgb(expected));
    }
    // The cel is not painted into the frame, and only its rectangle changes.
    EXPECT_EQ(canvas().displayBitmap().pixel(120, 20), colors::Red);
    EXPECT_EQ(OnScreen(150, 10), Rgb(colors::Red));
    EXPECT_EQ(OnScreen(100, 40), Rgb(colors::Red));
}

TEST_F(Animation, TheTimerTicksAtTheAnimationDelay)
{
    Open();
    form().settings().AnimationDelay = 15;
    Play(0);
    EXPECT_EQ(form().player().timer().interval(), 15);
    EXPECT_TRUE(form().player().timer().isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().player().celPos() == 3; }, 2000));
    EXPECT_EQ(canvas().celShown().pixel(0, 0), Rgb(colors::Green));
    ui().animateAction->trigger();
    EXPECT_FALSE(form().player().timer().isActive());
}

TEST_F(Animation, PlaybackLocksTheMenusAndTheToolBarAndStoppingRestoresThem)
{
    Open();
    Play(0);
    ExpectLocked(true);
    for (const QAction* action :
         {ui().regionPropertiesAction, ui().regionHideAction, ui().regionDuplicateAction, ui().regionDeleteAction})
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_TRUE(ui().animateAction->isEnabled());
    EXPECT_TRUE(ui().regionAnimateAction->isEnabled());

    ui().regionAnimateAction->trigger();  // the context menu's item stops as well
    EXPECT_FALSE(form().animating());
    EXPECT_FALSE(form().player().timer().isActive());
    EXPECT_TRUE(form().player().cels().empty());
    ExpectLocked(false);
    // No region is current after playback: the region commands wait for one.
    EXPECT_FALSE(ui().propertiesAction->isEnabled());
    EXPECT_FALSE(ui().animateAction->isEnabled());
    EXPECT_EQ(Text(form().statusText(2)), " Frame: f1.bmp");
}

TEST_F(Animation, UndoRestsWhilePlaying)
{
    Open();
    form().onLockLayout();
    form().onLockLayout();
    Play(0);
    EXPECT_FALSE(ui().undoAction->isEnabled());
    form().commands().undo();
    EXPECT_FALSE(project().LockObj);
    ui().animateAction->trigger();
    EXPECT_TRUE(ui().undoAction->isEnabled());
    form().commands().undo();
    EXPECT_TRUE(project().LockObj);
}

// The keyboard stays active while the menus are held; at the stop they catch up.
TEST_F(Animation, ARegionSelectedWhilePlayingIsShownAtTheStop)
{
    Open();
    Play(0);
    Select(1);
    EXPECT_EQ(ui().quickPick->currentIndex(), 0);
    ui().animateAction->trigger();
    EXPECT_EQ(ui().quickPick->currentIndex(), 1);
    EXPECT_TRUE(ui().propertiesAction->isEnabled());
    EXPECT_EQ(Text(form().statusText(2)), " Region: Note  ");
}

TEST_F(Animation, TheLastCelStaysAfterStopUntilTheFrameIsRebuilt)
{
    Open();
    Play(0);
    form().player().showNextCel();
    form().player().showNextCel();
    form().onAnimate();
    form().player().showNextCel();  // a tick already queued shows nothing more
    EXPECT_EQ(OnScreen(120, 20), Rgb(colors::Green));
    canvas().showFrame(FrameStep::Next);
    EXPECT_EQ(OnScreen(120, 20), Rgb(colors::Green));
    EXPECT_TRUE(canvas().celShown().isNull());
    canvas().showFrame(FrameStep::Previous);
    EXPECT_EQ(OnScreen(120, 20), Rgb(colors::Red));
}

TEST_F(Animation, RegionsThatDoNotPlaySayWhyAndLeaveEverythingAsItWas)
{
    Open();
    struct Case {
        int region;
        const char* status;
    };
    for (const Case& c :
         {Case{1, " Animation: only clip regions (type 1) play"}, Case{2, " Animation: no frames to play"}}) {
        SCOPED_TRACE(c.region);
        Play(c.region);
        EXPECT_FALSE(form().animating());
        EXPECT_FALSE(ui().animateAction->isChecked());
        EXPECT_EQ(Text(ui().animateAction->text()), "&Animate");
        EXPECT_TRUE(ui().editMenu->menuAction()->isEnabled());
        EXPECT_EQ(project().selection.current(), project().Regions[std::size_t(c.region)].get());
        EXPECT_EQ(Text(form().statusText(2)), c.status);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Animation, AFrameThatCannotBeLoadedKeepsPlaybackFromStarting)
{
    Open();
    Play(3);
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_EQ(Text(MessageTexts()[0]), "Unable to read " + File("gone.bmp"));
    EXPECT_FALSE(form().animating());
    EXPECT_FALSE(form().player().timer().isActive());
    EXPECT_TRUE(form().player().cels().empty());
    EXPECT_TRUE(ui().toolBar->isEnabled());
    EXPECT_FALSE(ui().animateAction->isChecked());
    EXPECT_TRUE(ui().propertiesAction->isEnabled());
    EXPECT_EQ(project().selection.current(), project().Regions[3].get());
}

TEST_F(Animation, PageKeysStepOnKeyDownOnlyWhileTheirItemsAreEnabled)
{
    Open();
    EXPECT_FALSE(ui().previousFrameAction->isEnabled());
    PressKey(Qt::Key_PageUp);
    EXPECT_EQ(project().CurrentFrame, 1);
    QTest::mouseClick(ui().previousFrameButton, Qt::LeftButton);  // the button stays enabled and reloads frame 1
    EXPECT_EQ(project().CurrentFrame, 1);
    PressKey(Qt::Key_PageDown);
    EXPECT_EQ(project().CurrentFrame, 2);
    EXPECT_TRUE(ui().previousFrameAction->isEnabled());
    PressKey(Qt::Key_PageUp);
    EXPECT_EQ(project().CurrentFrame, 1);

    Play(0);
    PressKey(Qt::Key_PageDown);
    EXPECT_EQ(project().CurrentFrame, 1);
}

}  // namespace
}  // namespace tolv::gui::test
