#include "gui/gui_fixture.h"

#include "gui/dialogs/bgrnd_options.h"
#include "gui/editor/backgrnd.h"
#include "gui/dialogs/dlg_about.h"
#include "gui/dialogs/xlist.h"
#include "gui/extract/info_dlg.h"
#include "gui/extract/x_dlg.h"
#include "gui/project/options.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

namespace tolv::gui::test {
namespace {

using MainWindow = GuiFixture;

struct Item {
    const char* menu;  // objectName of the menu holding the item; "" for the menu bar
    const char* name;
    const char* text;
    const char* shortcut;
    bool enabled;
};

// Every item of the main menu and the region context menu, in order, as a
// new window shows them before a project is opened.
const Item Items[] = {
    {"File1", "New1", "&New", "", true},
    {"File1", "Open1", "&Open...", "", true},
    {"File1", "Save1", "&Save", "", true},
    {"File1", "Preferences1", "&Preferences", "", true},
    {"File1", "Exit1", "E&xit", "", true},
    {"Edit1", "Prop1", "Region &Properties", "", true},
    {"Edit1", "Hideobject1", "&Hide region", "", true},
    {"Edit1", "LinkMenu", "&Show overlays and text boxes on every frame", "", true},
    {"Edit1", "Duplicate2", "D&uplicate region", "", false},
    {"Edit1", "Delete2", "&Delete region", "Del", false},
    {"Edit1", "PrevBak", "&Previous animation frame", "PgUp", false},
    {"Edit1", "NextBak", "&Next animation frame", "PgDown", false},
    {"", "File1", "&File", "", true},
    {"", "Edit1", "&Edit", "", true},
    {"", "Animate1", "&Animate", "", false},
    {"", "Project1", "&Project", "", true},
    {"", "Extract1", "E&xtract", "", true},
    {"", "Help1", "&Help", "", true},
    {"Project1", "Options1", "&Settings", "", true},
    {"Project1", "Locklayout1", "&Lock layout", "", true},
    {"Extract1", "Extractbitmapstodisk1", "Extract bitmaps to disk", "", true},
    {"Extract1", "est1", "Check project for errors", "", true},
    {"Help1", "Contents1", "&Help", "", true},
    {"Help1", "About1", "&About...", "", true},
    {"ObjContext", "Properties1", "Region Pr&operties...", "Ctrl+P", true},
    {"ObjContext", "HideObj", "&Hide region", "Ctrl+H", true},
    {"ObjContext", "Duplicate1", "D&uplicate region", "Shift+Ins", false},
    {"ObjContext", "Delete1", "&Delete region", "Del", true},
    {"ObjContext", "Animate2", "&Animate region", "", false},
};

QList<QAction*> ItemsOf(TMainForm& form, const QString& menu)
{
    QList<QAction*> items;
    const QList<QAction*> all = menu.isEmpty() ? form.menuBar()->actions() : form.findChild<QMenu*>(menu)->actions();
    for (QAction* action : all)
        if (!action->isSeparator())
            items.append(action);
    return items;
}

TEST_F(MainWindow, EveryMenuItemHasItsNameTextShortcutAndInitialState)
{
    // The window as created, before it is shown and opens a project.
    StartupOptions startup;
    startup.ProgramFolder = ProgramFolder();
    TMainForm form(startup);
    QMap<QString, int> position;
    for (const Item& item : Items) {
        const QList<QAction*> actions = ItemsOf(form, item.menu);
        const int index = position[item.menu]++;
        ASSERT_LT(index, actions.size()) << item.name;
        QAction* action = actions[index];
        EXPECT_EQ(action->objectName(), item.name);
        EXPECT_EQ(action->text(), item.text) << item.name;
        EXPECT_EQ(action->shortcut().toString(), item.shortcut) << item.name;
        EXPECT_EQ(action->isEnabled(), item.enabled) << item.name;
    }
    for (auto it = position.begin(); it != position.end(); ++it)
        EXPECT_EQ(ItemsOf(form, it.key()).size(), it.value()) << it.key().toStdString();
    EXPECT_EQ(form.windowTitle(), "Quillard");
}

TEST_F(MainWindow, ToolBarAndStatusBarHaveTheirControlsAndTexts)
{
    Start();
    const MainControls& ui = form().Ui();
    EXPECT_EQ(ui.tools->objectName(), "tools");
    EXPECT_EQ(ui.qPick->width(), 250);
    EXPECT_EQ(ui.qPick->toolTip(), "Region quick pick");
    struct Button {
        QToolButton* button;
        const char* name;
        const char* hint;
        bool toggle;
    };
    const Button buttons[] = {{ui.tbhidden, "tbhidden", "Hide/Show selected region", true},
                              {ui.sb_ShowPaint, "sb_ShowPaint", "Show overlays and text boxes on every frame", true},
                              {ui.tblock, "tblock", "Lock layout from deletion, movement & sizing", true},
                              {ui.tbNudgeNum, "tbNudgeNum", "Set nudge step for keyboard movement", false},
                              {ui.tbPrev, "tbPrev", "Previous animation frame", false},
                              {ui.tbNext, "tbNext", "Next animation frame", false}};
    int left = ui.qPick->geometry().right();
    for (const Button& b : buttons) {
        EXPECT_EQ(b.button->objectName(), b.name);
        EXPECT_EQ(b.button->toolTip(), b.hint);
        EXPECT_EQ(b.button->isCheckable(), b.toggle) << b.name;
        EXPECT_EQ(b.button->iconSize(), QSize(16, 16)) << b.name;
        EXPECT_FALSE(b.button->icon().isNull()) << b.name;
        EXPECT_GT(b.button->geometry().left(), left) << b.name;  // left to right
        left = b.button->geometry().left();
    }
    EXPECT_EQ(form().statusBar()->objectName(), "Stat");
    const auto panels = form().statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 3);
    EXPECT_EQ(panels[0]->width(), 110);
    EXPECT_EQ(panels[1]->width(), 180);
    EXPECT_EQ(ui.SB1->widget(), &form().Backgrnd());
    EXPECT_EQ(ui.SB1->viewport()->cursor().shape(), Qt::CrossCursor);
}

TEST_F(MainWindow, TheSevenWindowsExistInTheirGlobalInstancesAndStartHidden)
{
    Start();
    EXPECT_EQ(MainForm, &form());
    const QWidget* dialogs[] = {xlist, options, BgrndOptions, x_dlg, Dlg_About, info_dlg};
    for (const QWidget* dialog : dialogs) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(BgrndOptions->windowTitle(), "Project Setup");
    Destroy();
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(info_dlg, nullptr);
}

TEST_F(MainWindow, TheQuickPickSelectsTheChosenRegionAndHandsTheKeysToTheScrollBox)
{
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    Start({QString::fromStdString(MakeProject("pick.qvl", {"[Main]", "Version2=1", "Regions=2", "[Frames]", "1=f1.bmp",
                                                            "[Region1]", "Position=1,1,20,20", "Name=A",
                                                            "[Region2]", "Position=30,1,20,20", "Name=B",
                                                            "Visible=0"}))});
    QComboBox* qPick = form().Ui().qPick;
    qPick->setCurrentIndex(1);
    emit qPick->activated(1);
    EXPECT_EQ(project().SelIndex, 1);
    EXPECT_EQ(project().Regions[1]->Selected, CurrentSelected);
    EXPECT_EQ(form().StatusText(2), " Region: B <Hidden>");
    EXPECT_EQ(form().focusWidget(), form().Ui().SB1);
    EXPECT_FALSE(project().Modified);
}

TEST_F(MainWindow, TheHideButtonAndMenuItemsToggleTheCurrentRegion)
{
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    Start({QString::fromStdString(MakeProject(
        "hide.qvl", {"[Main]", "Version2=1", "Regions=1", "[Frames]", "1=f1.bmp", "[Region1]", "Position=1,1,20,20"}))});
    const MainControls& ui = form().Ui();
    form().Backgrnd().SelectRegion(0);
    ui.Hideobject1->trigger();
    EXPECT_FALSE(project().Regions[0]->Visible);
    EXPECT_TRUE(ui.HideObj->isChecked());
    EXPECT_TRUE(ui.tbhidden->isChecked());
    ui.HideObj->trigger();
    EXPECT_TRUE(project().Regions[0]->Visible);
    ui.tbhidden->click();
    EXPECT_FALSE(project().Regions[0]->Visible);
    ui.tbhidden->click();
    EXPECT_TRUE(project().Regions[0]->Visible);
    EXPECT_EQ(ui.qPick->itemText(0), "New Object  ");
}

// Runs `act` on the Project Setup dialog once its modal loop runs.
void WhenProjectSetupOpens(std::function<void(TBgrndOptions&)> act)
{
    QTimer::singleShot(0, [act] { act(*BgrndOptions); });
}

TEST_F(MainWindow, NewWithBackgroundFramesCancelledStillCountsAsAnEdit)
{
    Start();
    ChooseFile(File("film.qvl"));
    Answer(MsgResult::Yes);
    WhenProjectSetupOpens([](TBgrndOptions& dialog) { dialog.reject(); });
    form().New1Click();
    EXPECT_EQ(form().windowTitle(), "Tolv [film.qvl]");
    EXPECT_TRUE(project().Modified);
    EXPECT_EQ(project().FrameCount(), 0);
}

TEST_F(MainWindow, ProjectSettingsApplyTheChosenFramesAndSizeTheCanvas)
{
    Start();
    MakeFrame("a.bmp", 640, 300, colors::Red);
    MakeFrame("b.bmp", 500, 450, colors::Blue);
    WhenProjectSetupOpens([](TBgrndOptions& dialog) {
        dialog.AddFrame("b.bmp");
        dialog.AddFrame("a.bmp");
        dialog.SetOptions(true, "R", "J");
        dialog.accept();
    });
    form().Ui().Options1->trigger();

    EXPECT_EQ(project().FrameNames, (std::vector<std::string>{"b.bmp", "a.bmp"}));
    EXPECT_TRUE(project().Modified);
    EXPECT_TRUE(project().CleanEdges);
    EXPECT_EQ(project().Rep, "R");
    EXPECT_EQ(project().CurrentFrame, 1);
    EXPECT_EQ(form().Backgrnd().size(), QSize(640, 450));
    EXPECT_EQ(form().StatusText(2), " Frame: b.bmp");
    EXPECT_FALSE(form().Ui().PrevBak->isEnabled());
    EXPECT_TRUE(form().Ui().NextBak->isEnabled());
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");  // the caption stays
}

TEST_F(MainWindow, ExtractWithoutFramesOrRegionsOnlyExplains)
{
    Start();
    form().Ui().Extractbitmapstodisk1->trigger();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.startsWith("Please define your animation frames"));
    EXPECT_FALSE(x_dlg->isVisible());
}

TEST_F(MainWindow, CheckProjectShowsTheResultsWindowWithoutBlocking)
{
    Start();
    form().Ui().est1->trigger();
    EXPECT_TRUE(info_dlg->isVisible());
}

}  // namespace
}  // namespace tolv::gui::test
