#include "gui/gui_fixture.h"

#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/preferences_dialog.h"
#include "gui/dialogs/project_setup_dialog.h"
#include "gui/dialogs/region_properties_dialog.h"
#include "gui/editor/frame_canvas.h"
#include "gui/extract/extraction_dialog.h"
#include "gui/extract/results_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace tolv::gui::test {
namespace {

using MainWindowTest = GuiFixture;

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
    {"fileMenu", "newAction", "&New", "Ctrl+N", true},
    {"fileMenu", "openAction", "&Open...", "Ctrl+O", true},
    {"fileMenu", "saveAction", "&Save", "Ctrl+S", true},
    {"fileMenu", "saveAsAction", "Save &As...", "Ctrl+Shift+S", true},
    {"fileMenu", "recentMenu", "Recent Projects", "", true},
    {"fileMenu", "preferencesAction", "&Preferences", "", true},
    {"fileMenu", "exitAction", "E&xit", "Ctrl+Q", true},
    {"editMenu", "undoAction", "&Undo", "Ctrl+Z", false},
    {"editMenu", "redoAction", "&Redo", "Ctrl+Shift+Z", false},
    {"editMenu", "cutAction", "Cu&t", "Ctrl+X", false},
    {"editMenu", "copyAction", "&Copy", "Ctrl+C", false},
    {"editMenu", "pasteAction", "P&aste", "Ctrl+V", true},
    {"editMenu", "propertiesAction", "Region &Properties", "", true},
    {"editMenu", "hideAction", "&Hide region", "", true},
    {"editMenu", "showPaintAction", "&Show overlays and text boxes on every frame", "", true},
    {"editMenu", "duplicateAction", "D&uplicate region", "", false},
    {"editMenu", "deleteAction", "&Delete region", "Del", false},
    {"editMenu", "previousFrameAction", "&Previous animation frame", "PgUp", false},
    {"editMenu", "nextFrameAction", "&Next animation frame", "PgDown", false},
    {"", "fileMenu", "&File", "", true},
    {"", "editMenu", "&Edit", "", true},
    {"", "viewMenu", "&View", "", true},
    {"", "animateAction", "&Animate", "", false},
    {"", "projectMenu", "&Project", "", true},
    {"", "extractMenu", "E&xtract", "", true},
    {"", "helpMenu", "&Help", "", true},
    {"viewMenu", "zoomInAction", "Zoom &In", "Ctrl++", true},
    {"viewMenu", "zoomOutAction", "Zoom &Out", "Ctrl+-", true},
    {"viewMenu", "actualSizeAction", "&Actual Size", "Ctrl+0", true},
    {"viewMenu", "fitAction", "&Fit", "", true},
    {"viewMenu", "pixelGridAction", "Pixel &Grid", "", true},
    {"viewMenu", "snapAction", "&Snap to Edges", "", true},
    {"viewMenu", "regionNamesAction", "Region &Names", "", true},
    {"viewMenu", "panelsMenu", "&Panels", "", true},
    {"viewMenu", "classicLayoutAction", "&Classic Layout", "", true},
    {"panelsMenu", "regionsPanelAction", "Regions", "", true},
    {"panelsMenu", "framesPanelAction", "Frames", "", true},
    {"panelsMenu", "propertiesPanelAction", "Properties", "", true},
    {"projectMenu", "projectSetupAction", "&Settings", "", true},
    {"projectMenu", "lockLayoutAction", "&Lock layout", "", true},
    {"extractMenu", "extractAction", "Extract bitmaps to disk", "", true},
    {"extractMenu", "checkAction", "Check project for errors", "", true},
    {"helpMenu", "helpContentsAction", "&Help", "", true},
    {"helpMenu", "aboutAction", "&About...", "", true},
    {"regionMenu", "regionPropertiesAction", "Region Pr&operties...", "Ctrl+P", true},
    {"regionMenu", "regionHideAction", "&Hide region", "Ctrl+H", true},
    {"regionMenu", "regionDuplicateAction", "D&uplicate region", "Shift+Ins", false},
    {"regionMenu", "regionDeleteAction", "&Delete region", "Del", true},
    {"regionMenu", "regionAnimateAction", "&Animate region", "", false},
};

QList<QAction*> ItemsOf(MainWindow& form, const QString& menu)
{
    QList<QAction*> items;
    const QList<QAction*> all = menu.isEmpty() ? form.menuBar()->actions() : form.findChild<QMenu*>(menu)->actions();
    for (QAction* action : all)
        if (!action->isSeparator())
            items.append(action);
    return items;
}

TEST_F(MainWindowTest, EveryMenuItemHasItsNameTextShortcutAndInitialState)
{
    // The window as created, before it is shown and opens a project.
    StartupOptions startup;
    startup.ProgramFolder = ProgramFolder();
    ProgramWindows windows(startup);
    MainWindow& form = windows.main();
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

TEST_F(MainWindowTest, ToolBarAndStatusBarHaveTheirControlsAndTexts)
{
    Start();
    const MainWindowControls& ui = form().ui();
    EXPECT_EQ(ui.toolBar->objectName(), "toolBar");
    EXPECT_EQ(ui.quickPick->width(), 250);
    EXPECT_EQ(ui.quickPick->toolTip(), "Region quick pick");
    struct Button {
        QToolButton* button;
        const char* name;
        const char* hint;
        bool toggle;
    };
    const Button buttons[] = {
        {ui.hideButton, "hideButton", "Hide/Show selected region", true},
        {ui.showPaintButton, "showPaintButton", "Show overlays and text boxes on every frame", true},
        {ui.lockButton, "lockButton", "Lock layout from deletion, movement & sizing", true},
        {ui.nudgeStepButton, "nudgeStepButton", "Set nudge step for keyboard movement", false},
        {ui.previousFrameButton, "previousFrameButton", "Previous animation frame", false},
        {ui.nextFrameButton, "nextFrameButton", "Next animation frame", false}};
    int left = ui.quickPick->geometry().right();
    for (const Button& b : buttons) {
        EXPECT_EQ(b.button->objectName(), b.name);
        EXPECT_EQ(b.button->toolTip(), b.hint);
        EXPECT_EQ(b.button->isCheckable(), b.toggle) << b.name;
        EXPECT_EQ(b.button->iconSize(), QSize(16, 16)) << b.name;
        EXPECT_FALSE(b.button->icon().isNull()) << b.name;
        EXPECT_GT(b.button->geometry().left(), left) << b.name;  // left to right
        left = b.button->geometry().left();
    }
    EXPECT_EQ(form().statusBar()->objectName(), "statusBar");
    const auto panels = form().statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 5);
    EXPECT_EQ(panels[0]->width(), 110);
    EXPECT_EQ(panels[1]->width(), 180);
    EXPECT_TRUE(form().statusBar()->findChild<QLabel*>("unsavedPanel")->text().isEmpty());
    EXPECT_EQ(ui.canvasScroll->widget(), &form().canvas());
    EXPECT_EQ(ui.canvasScroll->viewport()->cursor().shape(), Qt::CrossCursor);
}

TEST_F(MainWindowTest, TheDialogsStartHidden)
{
    Start();
    ProgramWindows& w = windows();
    const QWidget* dialogs[] = {&w.regionProperties(), &w.preferences(), &w.projectSetup(),
                                &w.extraction(),       &w.about(),       &w.results()};
    for (const QWidget* dialog : dialogs)
        EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(w.projectSetup().windowTitle(), "Project Setup");
}

TEST_F(MainWindowTest, TheQuickPickSelectsTheChosenRegionAndHandsTheKeysToTheScrollBox)
{
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    Start({QString::fromStdString(MakeProject("pick.qvl", {"[Main]", "Version2=1", "Regions=2", "[Frames]", "1=f1.bmp",
                                                           "[Region1]", "Position=1,1,20,20", "Name=A", "[Region2]",
                                                           "Position=30,1,20,20", "Name=B", "Visible=0"}))});
    QComboBox* quickPick = form().ui().quickPick;
    quickPick->setCurrentIndex(1);
    emit quickPick->activated(1);
    EXPECT_EQ(project().selection.anchor(), 1);
    EXPECT_EQ(project().selection.stateOf(*project().Regions[1]), SelectionState::Current);
    EXPECT_EQ(form().statusText(2), " Region: B <Hidden>");
    EXPECT_EQ(form().focusWidget(), form().ui().canvasScroll);
    EXPECT_FALSE(project().Modified);
}

TEST_F(MainWindowTest, TheHideButtonAndMenuItemsToggleTheCurrentRegion)
{
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    Start({QString::fromStdString(MakeProject("hide.qvl", {"[Main]", "Version2=1", "Regions=1", "[Frames]", "1=f1.bmp",
                                                           "[Region1]", "Position=1,1,20,20"}))});
    const MainWindowControls& ui = form().ui();
    Select(0);
    ui.hideAction->trigger();
    EXPECT_FALSE(project().Regions[0]->Visible);
    EXPECT_TRUE(ui.regionHideAction->isChecked());
    EXPECT_TRUE(ui.hideButton->isChecked());
    ui.regionHideAction->trigger();
    EXPECT_TRUE(project().Regions[0]->Visible);
    ui.hideButton->click();
    EXPECT_FALSE(project().Regions[0]->Visible);
    ui.hideButton->click();
    EXPECT_TRUE(project().Regions[0]->Visible);
    EXPECT_EQ(ui.quickPick->itemText(0), "New Object  ");
}

// Runs `act` on the Project Setup dialog once its modal loop runs.
void WhenOpens(ProjectSetupDialog& dialog, std::function<void(ProjectSetupDialog&)> act)
{
    QTimer::singleShot(0, [&dialog, act] { act(dialog); });
}

// New saves the project at once; a cancelled setup adds no edit to it.
TEST_F(MainWindowTest, NewWithBackgroundFramesCancelledLeavesTheSavedProject)
{
    Start();
    ChooseFile(File("film.qvl"));
    Answer(MsgResult::Yes);
    WhenOpens(windows().projectSetup(), [](ProjectSetupDialog& dialog) { dialog.reject(); });
    form().session().newProject();
    EXPECT_EQ(form().windowTitle(), "Tolv [film.qvl]");
    EXPECT_FALSE(project().Modified);
    EXPECT_EQ(project().FrameCount(), 0);
}

TEST_F(MainWindowTest, ProjectSettingsApplyTheChosenFramesAndSizeTheCanvas)
{
    Start();
    MakeFrame("a.bmp", 640, 300, colors::Red);
    MakeFrame("b.bmp", 500, 450, colors::Blue);
    WhenOpens(windows().projectSetup(), [](ProjectSetupDialog& dialog) {
        dialog.addFrame("b.bmp");
        dialog.addFrame("a.bmp");
        dialog.setOptions(true, "R", "J");
        dialog.accept();
    });
    form().ui().projectSetupAction->trigger();

    EXPECT_EQ(project().FrameNames, (std::vector<std::string>{"b.bmp", "a.bmp"}));
    EXPECT_TRUE(project().Modified);
    EXPECT_TRUE(project().CleanEdges);
    EXPECT_EQ(project().Rep, "R");
    EXPECT_EQ(project().CurrentFrame, 1);
    EXPECT_EQ(form().canvas().size(), QSize(640, 450));
    EXPECT_EQ(form().statusText(2), " Frame: b.bmp");
    EXPECT_FALSE(form().ui().previousFrameAction->isEnabled());
    EXPECT_TRUE(form().ui().nextFrameAction->isEnabled());
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");  // the caption stays
}

TEST_F(MainWindowTest, ExtractWithoutFramesOrRegionsOnlyExplains)
{
    Start();
    form().ui().extractAction->trigger();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.startsWith("Please define your animation frames"));
    EXPECT_FALSE(windows().extraction().isVisible());
}

TEST_F(MainWindowTest, CheckProjectShowsTheResultsWindowWithoutBlocking)
{
    Start();
    form().ui().checkAction->trigger();
    EXPECT_TRUE(windows().results().isVisible());
}

}  // namespace
}  // namespace tolv::gui::test
