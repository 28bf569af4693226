#include "gui/gui_fixture.h"

#include "gui/editor/backgrnd.h"

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
        const std::vector<std::string> lines = {
            "[Main]", "Version2=1", "Regions=4", "[Frames]", "1=f1.bmp", "2=f2.bmp", "3=f3.bmp", "4=f4.bmp",
            "[Region1]", "Position=100,10,50,30", "Name=Door",
            "[Region2]", "Position=20,20,60,40", "Name=Note", "Backgrnd=2",
            "[Region3]", "Position=10,100,30,20", "Name=Late",
            "[Region4]", "Position=150,100,20,20", "Name=Broken"};
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
    void PressKey(Qt::Key key) { QTest::keyPress(ui().SB1, key); }

    void Rows(int region, std::vector<std::pair<int, std::string>> rows)
    {
        for (auto& [row, frame] : rows)
            project().Regions[std::size_t(region)]->InputFrame[std::size_t(row)] = frame;
    }

    // Starts playback of region `index` from the "&Animate" menu item.
    void Play(int index)
    {
        canvas().SelectRegion(index);
        ui().Animate1->trigger();
    }

    // The controls that playback switches, in its state or in the normal one.
    void ExpectLocked(bool locked)
    {
        for (const QMenu* menu : {ui().File1, ui().Edit1, ui().Project1, ui().Extract1, ui().Help1})
            EXPECT_EQ(menu->menuAction()->isEnabled(), !locked) << menu->objectName().toStdString();
        EXPECT_EQ(ui().tools->isEnabled(), !locked);
        EXPECT_EQ(Text(ui().Animate1->text()), locked ? "&Animate stop" : "&Animate");
        EXPECT_EQ(ui().Animate1->isChecked(), locked);
        EXPECT_EQ(ui().Animate2->isChecked(), locked);
    }

    TBackgrnd& canvas() { return form().Backgrnd(); }
    const MainControls& ui() { return form().Ui(); }
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
    ASSERT_TRUE(form().Animating);
    EXPECT_EQ(form().Cels.size(), 3u);
    EXPECT_EQ(form().CelTarget, QRect(100, 10, 50, 30));
    EXPECT_EQ(project().CurrentRegion, nullptr);  // deselected, yet playing
    for (Color expected : {colors::Red, colors::Green, colors::Yellow, colors::Red, colors::Green}) {
        form().AnimTimerTimer();
        EXPECT_EQ(OnScreen(101, 11), Rgb(expected));
        EXPECT_EQ(OnScreen(148, 38), Rgb(expected));
    }
    // The cel is not painted into the frame, and only its rectangle changes.
    EXPECT_EQ(canvas().DisplayBitmap().pixel(120, 20), colors::Red);
    EXPECT_EQ(OnScreen(150, 10), Rgb(colors::Red));
    EXPECT_EQ(OnScreen(100, 40), Rgb(colors::Red));
}

TEST_F(Animation, TheTimerTicksAtTheAnimationDelay)
{
    Open();
    form().settings().AnimationDelay = 15;
    Play(0);
    EXPECT_EQ(form().AnimTimer->interval(), 15);
    EXPECT_TRUE(form().AnimTimer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().CelPos == 3; }, 2000));
    EXPECT_EQ(canvas().CelShown().pixel(0, 0), Rgb(colors::Green));
    ui().Animate1->trigger();
    EXPECT_FALSE(form().AnimTimer->isActive());
}

TEST_F(Animation, PlaybackLocksTheMenusAndTheToolBarAndStoppingRestoresThem)
{
    Open();
    Play(0);
    ExpectLocked(true);
    for (const QAction* action : {ui().Properties1, ui().HideObj, ui().Duplicate1, ui().Delete1})
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_TRUE(ui().Animate1->isEnabled());
    EXPECT_TRUE(ui().Animate2->isEnabled());

    ui().Animate2->trigger();  // the context menu's item stops as well
    EXPECT_FALSE(form().Animating);
    EXPECT_FALSE(form().AnimTimer->isActive());
    EXPECT_TRUE(form().Cels.empty());
    ExpectLocked(false);
    // No region is current after playback: the region commands wait for one.
    EXPECT_FALSE(ui().Prop1->isEnabled());
    EXPECT_FALSE(ui().Animate1->isEnabled());
    EXPECT_EQ(Text(form().StatusText(2)), " Frame: f1.bmp");
}

// The keyboard stays active while the menus are held; at the stop they catch up.
TEST_F(Animation, ARegionSelectedWhilePlayingIsShownAtTheStop)
{
    Open();
    Play(0);
    canvas().SelectRegion(1);
    EXPECT_EQ(ui().qPick->currentIndex(), 0);
    ui().Animate1->trigger();
    EXPECT_EQ(ui().qPick->currentIndex(), 1);
    EXPECT_TRUE(ui().Prop1->isEnabled());
    EXPECT_EQ(Text(form().StatusText(2)), " Region: Note  ");
}

TEST_F(Animation, TheLastCelStaysAfterStopUntilTheFrameIsRebuilt)
{
    Open();
    Play(0);
    form().AnimTimerTimer();
    form().AnimTimerTimer();
    form().AnimateStart();
    form().AnimTimerTimer();  // a tick already queued shows nothing more
    EXPECT_EQ(OnScreen(120, 20), Rgb(colors::Green));
    canvas().ShowFrame(+1);
    EXPECT_EQ(OnScreen(120, 20), Rgb(colors::Green));
    EXPECT_TRUE(canvas().CelShown().isNull());
    canvas().ShowFrame(-1);
    EXPECT_EQ(OnScreen(120, 20), Rgb(colors::Red));
}

TEST_F(Animation, RegionsThatDoNotPlayLeaveEverythingAsItWas)
{
    Open();
    struct Case {
        int region;
        const char* status;
    };
    for (const Case& c : {Case{1, " Region: Note  "}, Case{2, " Animation: no frames to play"}}) {
        SCOPED_TRACE(c.region);
        Play(c.region);
        EXPECT_FALSE(form().Animating);
        EXPECT_FALSE(ui().Animate1->isChecked());
        EXPECT_EQ(Text(ui().Animate1->text()), "&Animate");
        EXPECT_TRUE(ui().Edit1->menuAction()->isEnabled());
        EXPECT_EQ(project().CurrentRegion, project().Regions[std::size_t(c.region)].get());
        EXPECT_EQ(Text(form().StatusText(2)), c.status);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Animation, AFrameThatCannotBeLoadedKeepsPlaybackFromStarting)
{
    Open();
    Play(3);
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_EQ(Text(MessageTexts()[0]), "Unable to read " + File("gone.bmp"));
    EXPECT_FALSE(form().Animating);
    EXPECT_FALSE(form().AnimTimer->isActive());
    EXPECT_TRUE(form().Cels.empty());
    EXPECT_TRUE(ui().tools->isEnabled());
    EXPECT_FALSE(ui().Animate1->isChecked());
    EXPECT_TRUE(ui().Prop1->isEnabled());
    EXPECT_EQ(project().CurrentRegion, project().Regions[3].get());
}

TEST_F(Animation, PageKeysStepOnKeyDownOnlyWhileTheirItemsAreEnabled)
{
    Open();
    EXPECT_FALSE(ui().PrevBak->isEnabled());
    PressKey(Qt::Key_PageUp);
    EXPECT_EQ(project().CurrentFrame, 1);
    QTest::mouseClick(ui().tbPrev, Qt::LeftButton);  // the button stays enabled and reloads frame 1
    EXPECT_EQ(project().CurrentFrame, 1);
    PressKey(Qt::Key_PageDown);
    EXPECT_EQ(project().CurrentFrame, 2);
    EXPECT_TRUE(ui().PrevBak->isEnabled());
    PressKey(Qt::Key_PageUp);
    EXPECT_EQ(project().CurrentFrame, 1);

    Play(0);
    PressKey(Qt::Key_PageDown);
    EXPECT_EQ(project().CurrentFrame, 1);
}

}  // namespace
}  // namespace tolv::gui::test
