#include "gui/mainwindow/action_map.h"

#include "document/document.h"
#include "document/menu_state.h"
#include "editor/view_mapping.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/geometry_bar.h"
#include "gui/mainwindow/tool_glyphs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace tolv::gui {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QAction* AddItem(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut = {},
                 bool enabled = true)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setEnabled(enabled);
    // A held key runs a command once.
    action->setAutoRepeat(false);
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& title)
{
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QToolButton* AddButton(QToolBar* bar, const char* name, const QString& hint, ToolGlyph glyph, bool toggle)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(ToolGlyphIcon(glyph));
    button->setCheckable(toggle);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(24, 22);
    bar->addWidget(button);
    return button;
}

void AddGap(QToolBar* bar)
{
    auto* gap = new QWidget(bar);
    gap->setFixedWidth(8);
    bar->addWidget(gap);
}

QAction* AddToggle(QMenu* menu, const char* name, const QString& text)
{
    QAction* action = AddItem(menu, name, text);
    action->setCheckable(true);
    return action;
}

void BuildViewMenu(QMainWindow& window, MainWindowControls& ui)
{
    ui.viewMenu = AddMenu(window.menuBar(), "viewMenu", "&View");
    QMenu* menu = ui.viewMenu;
    ui.zoomInAction = AddItem(menu, "zoomInAction", "Zoom &In");
    ui.zoomInAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ui.zoomOutAction = AddItem(menu, "zoomOutAction", "Zoom &Out", QKeySequence(Qt::CTRL | Qt::Key_Minus));
    ui.actualSizeAction = AddItem(menu, "actualSizeAction", "&Actual Size", QKeySequence(Qt::CTRL | Qt::Key_0));
    ui.fitAction = AddItem(menu, "fitAction", "&Fit");
    menu->addSeparator();
    ui.pixelGridAction = AddToggle(menu, "pixelGridAction", "Pixel &Grid");
    ui.snapAction = AddToggle(menu, "snapAction", "&Snap to Edges");
    ui.regionNamesAction = AddToggle(menu, "regionNamesAction", "Region &Names");
}

void BuildMenus(QMainWindow& window, MainWindowControls& ui)
{
    QMenuBar* bar = window.menuBar();
    ui.fileMenu = AddMenu(bar, "fileMenu", "&File");
    ui.newAction = AddItem(ui.fileMenu, "newAction", "&New", QKeySequence(Qt::CTRL | Qt::Key_N));
    ui.openAction = AddItem(ui.fileMenu, "openAction", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O));
    ui.saveAction = AddItem(ui.fileMenu, "saveAction", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    ui.saveAsAction =
        AddItem(ui.fileMenu, "saveAsAction", "Save &As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ui.recentMenu = ui.fileMenu->addMenu("Recent Projects");
    ui.recentMenu->setObjectName("recentMenu");
    ui.recentMenu->menuAction()->setObjectName("recentMenu");
    ui.fileMenu->addSeparator();
    ui.preferencesAction = AddItem(ui.fileMenu, "preferencesAction", "&Preferences");
    ui.fileMenu->addSeparator();
    ui.exitAction = AddItem(ui.fileMenu, "exitAction", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));

    ui.editMenu = AddMenu(bar, "editMenu", "&Edit");
    ui.undoAction = AddItem(ui.editMenu, "undoAction", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), false);
    ui.redoAction = AddItem(ui.editMenu, "redoAction", "&Redo", {}, false);
    ui.redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    ui.editMenu->addSeparator();
    ui.cutAction = AddItem(ui.editMenu, "cutAction", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), false);
    ui.copyAction = AddItem(ui.editMenu, "copyAction", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), false);
    ui.pasteAction = AddItem(ui.editMenu, "pasteAction", "P&aste", QKeySequence(Qt::CTRL | Qt::Key_V));
    ui.editMenu->addSeparator();
    ui.propertiesAction = AddItem(ui.editMenu, "propertiesAction", "Region &Properties");
    ui.hideAction = AddItem(ui.editMenu, "hideAction", "&Hide region");
    ui.hideAction->setCheckable(true);
    ui.showPaintAction = AddItem(ui.editMenu, "showPaintAction", "&Show overlays and text boxes on every frame");
    ui.showPaintAction->setCheckable(true);
    ui.duplicateAction = AddItem(ui.editMenu, "duplicateAction", "D&uplicate region", {}, false);
    ui.deleteAction = AddItem(ui.editMenu, "deleteAction", "&Delete region", QKeySequence(Qt::Key_Delete), false);
    ui.editMenu->addSeparator();
    ui.previousFrameAction =
        AddItem(ui.editMenu, "previousFrameAction", "&Previous animation frame", QKeySequence(Qt::Key_PageUp), false);
    ui.nextFrameAction =
        AddItem(ui.editMenu, "nextFrameAction", "&Next animation frame", QKeySequence(Qt::Key_PageDown), false);
    BuildViewMenu(window, ui);

    ui.animateAction = bar->addAction("&Animate");
    ui.animateAction->setObjectName("animateAction");
    ui.animateAction->setCheckable(true);
    ui.animateAction->setEnabled(false);

    ui.projectMenu = AddMenu(bar, "projectMenu", "&Project");
    ui.projectSetupAction = AddItem(ui.projectMenu, "projectSetupAction", "&Settings");
    ui.lockLayoutAction = AddItem(ui.projectMenu, "lockLayoutAction", "&Lock layout");
    ui.lockLayoutAction->setCheckable(true);

    ui.extractMenu = AddMenu(bar, "extractMenu", "E&xtract");
    ui.extractAction = AddItem(ui.extractMenu, "extractAction", "Extract bitmaps to disk");
    ui.checkAction = AddItem(ui.extractMenu, "checkAction", "Check project for errors");

    ui.helpMenu = AddMenu(bar, "helpMenu", "&Help");
    ui.helpContentsAction = AddItem(ui.helpMenu, "helpContentsAction", "&Help");
    ui.aboutAction = AddItem(ui.helpMenu, "aboutAction", "&About...");
}

// The shortcuts of the context menu are shown for the user's information;
// the keyboard map serves them when the key goes down.
void BuildRegionMenu(QMainWindow& window, MainWindowControls& ui)
{
    ui.regionMenu = new QMenu(&window);
    ui.regionMenu->setObjectName("regionMenu");
    ui.regionPropertiesAction =
        AddItem(ui.regionMenu, "regionPropertiesAction", "Region Pr&operties...", QKeySequence("Ctrl+P"));
    ui.regionMenu->addSeparator();
    ui.regionHideAction = AddItem(ui.regionMenu, "regionHideAction", "&Hide region", QKeySequence("Ctrl+H"));
    ui.regionHideAction->setCheckable(true);
    ui.regionDuplicateAction =
        AddItem(ui.regionMenu, "regionDuplicateAction", "D&uplicate region", QKeySequence("Shift+Ins"), false);
    ui.regionDeleteAction =
        AddItem(ui.regionMenu, "regionDeleteAction", "&Delete region", QKeySequence(Qt::Key_Delete));
    ui.regionAnimateAction = AddItem(ui.regionMenu, "regionAnimateAction", "&Animate region", {}, false);
    ui.regionAnimateAction->setCheckable(true);
    for (QAction* action : ui.regionMenu->actions())
        action->setShortcutContext(Qt::WidgetShortcut);
}

void BuildToolBar(QMainWindow& window, MainWindowControls& ui)
{
    ui.toolBar = window.addToolBar("tools");
    ui.toolBar->setObjectName("toolBar");
    ui.toolBar->setMovable(false);
    ui.toolBar->setFloatable(false);
    ui.toolBar->setIconSize(QSize(16, 16));
    ui.toolBar->setContextMenuPolicy(Qt::PreventContextMenu);

    AddGap(ui.toolBar);
    ui.quickPick = new QComboBox(ui.toolBar);
    ui.quickPick->setObjectName("quickPick");
    ui.quickPick->setToolTip("Region quick pick");
    ui.quickPick->setFixedWidth(250);
    ui.quickPick->setFocusPolicy(Qt::ClickFocus);
    ui.toolBar->addWidget(ui.quickPick);
    AddGap(ui.toolBar);
    ui.hideButton = AddButton(ui.toolBar, "hideButton", "Hide/Show selected region", ToolGlyph::Hidden, true);
    ui.showPaintButton = AddButton(ui.toolBar, "showPaintButton", "Show overlays and text boxes on every frame",
                                   ToolGlyph::ShowPaint, true);
    ui.lockButton =
        AddButton(ui.toolBar, "lockButton", "Lock layout from deletion, movement & sizing", ToolGlyph::Unlocked, true);
    AddGap(ui.toolBar);
    ui.nudgeStepButton =
        AddButton(ui.toolBar, "nudgeStepButton", "Set nudge step for keyboard movement", ToolGlyph::Nudge, false);
    AddGap(ui.toolBar);
    ui.previousFrameButton =
        AddButton(ui.toolBar, "previousFrameButton", "Previous animation frame", ToolGlyph::Previous, false);
    ui.nextFrameButton = AddButton(ui.toolBar, "nextFrameButton", "Next animation frame", ToolGlyph::Next, false);

    window.addToolBarBreak();
    ui.geometryBar = new GeometryBar(&window);
    window.addToolBar(ui.geometryBar);
}

void BuildStatusBar(QMainWindow& window, MainWindowControls& ui)
{
    QStatusBar* stat = window.statusBar();
    stat->setObjectName("statusBar");
    const int widths[] = {110, 180, 0, 70};
    for (std::size_t i = 0; i < ui.statusPanels.size(); ++i) {
        ui.statusPanels[i] = new QLabel(stat);
        ui.statusPanels[i]->setObjectName(QString("statusPanel%1").arg(i));
        ui.statusPanels[i]->setFrameShape(QFrame::StyledPanel);
        ui.statusPanels[i]->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0)
            ui.statusPanels[i]->setFixedWidth(widths[i]);
        stat->addWidget(ui.statusPanels[i], widths[i] > 0 ? 0 : 1);
    }
    ui.unsavedPanel = new QLabel(stat);
    ui.unsavedPanel->setObjectName("unsavedPanel");
    ui.unsavedPanel->setFrameShape(QFrame::StyledPanel);
    ui.unsavedPanel->setFrameShadow(QFrame::Sunken);
    ui.unsavedPanel->setFixedWidth(100);
    stat->insertWidget(int(StatusPanel::Zoom), ui.unsavedPanel);
    ui.statusPanels[std::size_t(StatusPanel::Message)]->setText(" Welcome!");
    ui.statusPanels[std::size_t(StatusPanel::Zoom)]->setText(QString::fromStdString(ZoomText(1.0)));
}

}  // namespace

MainWindowControls BuildWindowControls(QMainWindow& window)
{
    MainWindowControls ui;
    BuildMenus(window, ui);
    BuildRegionMenu(window, ui);
    BuildToolBar(window, ui);
    BuildStatusBar(window, ui);
    return ui;
}

void ApplyMenuState(const MainWindowControls& ui, const MenuState& state, const Document& document)
{
    struct Enabling {
        QAction* action;
        bool enabled;
    };
    const Enabling items[] = {
        {ui.fileMenu->menuAction(), state.fileMenu},
        {ui.editMenu->menuAction(), state.editMenu},
        {ui.projectMenu->menuAction(), state.projectMenu},
        {ui.extractMenu->menuAction(), state.extractMenu},
        {ui.viewMenu->menuAction(), state.editMenu},
        {ui.helpMenu->menuAction(), state.helpMenu},
        {ui.undoAction, state.undo},
        {ui.redoAction, state.redo},
        {ui.cutAction, state.cutRegions},
        {ui.copyAction, state.copyRegions},
        {ui.pasteAction, state.pasteRegions},
        {ui.propertiesAction, state.regionProperties},
        {ui.regionPropertiesAction, state.regionProperties},
        {ui.hideAction, state.hideRegion},
        {ui.regionHideAction, state.hideRegion},
        {ui.duplicateAction, state.duplicateRegion},
        {ui.regionDuplicateAction, state.duplicateRegion},
        {ui.deleteAction, state.deleteRegion},
        {ui.regionDeleteAction, state.deleteRegion},
        {ui.animateAction, state.animate},
        {ui.regionAnimateAction, state.animate},
        {ui.previousFrameAction, state.previousFrame},
        {ui.nextFrameAction, state.nextFrame},
    };
    for (const Enabling& item : items)
        item.action->setEnabled(item.enabled);
    for (QAction* hide : {ui.hideAction, ui.regionHideAction})
        hide->setChecked(state.hideRegionChecked);
    for (QAction* animate : {ui.animateAction, ui.regionAnimateAction})
        animate->setChecked(state.animateChecked);
    ui.animateAction->setText(state.animateChecked ? "&Animate stop" : "&Animate");
    ui.hideButton->setEnabled(state.hideRegion);
    ui.hideButton->setChecked(state.hideRegionChecked);
    ui.lockLayoutAction->setChecked(state.lockLayoutChecked);
    ui.lockButton->setChecked(state.lockLayoutChecked);
    ui.lockButton->setIcon(ToolGlyphIcon(state.lockLayoutChecked ? ToolGlyph::Locked : ToolGlyph::Unlocked));
    ui.toolBar->setEnabled(state.toolBar);
    ui.geometryBar->setEnabled(state.toolBar);
    ui.undoAction->setText("&" + Q(document.undoText()));
    ui.redoAction->setText("&" + Q(document.redoText()));
}

}  // namespace tolv::gui
