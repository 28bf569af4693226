// The main window's menus, tool bar and status bar, with their names, texts,
// shortcuts and initial states.
#include "gui/mainwindow/main_window.h"

#include "editor/view_mapping.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/geometry_bar.h"
#include "gui/mainwindow/tool_glyphs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace tolv::gui {

namespace {

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

}  // namespace

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    ui_.fileMenu = AddMenu(bar, "fileMenu", "&File");
    ui_.newAction = AddItem(ui_.fileMenu, "newAction", "&New", QKeySequence(Qt::CTRL | Qt::Key_N));
    ui_.openAction = AddItem(ui_.fileMenu, "openAction", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O));
    ui_.saveAction = AddItem(ui_.fileMenu, "saveAction", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAsAction_ = AddItem(ui_.fileMenu, "saveAsAction", "Save &As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    recentMenu_ = ui_.fileMenu->addMenu("Recent Projects");
    recentMenu_->setObjectName("recentMenu");
    recentMenu_->menuAction()->setObjectName("recentMenu");
    buildRecentMenu();
    ui_.fileMenu->addSeparator();
    ui_.preferencesAction = AddItem(ui_.fileMenu, "preferencesAction", "&Preferences");
    ui_.fileMenu->addSeparator();
    ui_.exitAction = AddItem(ui_.fileMenu, "exitAction", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    connectFileHabits();

    ui_.editMenu = AddMenu(bar, "editMenu", "&Edit");
    ui_.undoAction = AddItem(ui_.editMenu, "undoAction", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), false);
    ui_.redoAction = AddItem(ui_.editMenu, "redoAction", "&Redo", {}, false);
    ui_.redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    ui_.editMenu->addSeparator();
    ui_.cutAction = AddItem(ui_.editMenu, "cutAction", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), false);
    ui_.copyAction = AddItem(ui_.editMenu, "copyAction", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), false);
    ui_.pasteAction = AddItem(ui_.editMenu, "pasteAction", "P&aste", QKeySequence(Qt::CTRL | Qt::Key_V));
    ui_.editMenu->addSeparator();
    ui_.propertiesAction = AddItem(ui_.editMenu, "propertiesAction", "Region &Properties");
    ui_.hideAction = AddItem(ui_.editMenu, "hideAction", "&Hide region");
    ui_.hideAction->setCheckable(true);
    ui_.showPaintAction = AddItem(ui_.editMenu, "showPaintAction", "&Show overlays and text boxes on every frame");
    ui_.showPaintAction->setCheckable(true);
    ui_.duplicateAction = AddItem(ui_.editMenu, "duplicateAction", "D&uplicate region", {}, false);
    ui_.deleteAction = AddItem(ui_.editMenu, "deleteAction", "&Delete region", QKeySequence(Qt::Key_Delete), false);
    ui_.editMenu->addSeparator();
    ui_.previousFrameAction = AddItem(ui_.editMenu, "previousFrameAction", "&Previous animation frame", QKeySequence(Qt::Key_PageUp), false);
    ui_.nextFrameAction = AddItem(ui_.editMenu, "nextFrameAction", "&Next animation frame", QKeySequence(Qt::Key_PageDown), false);
    buildViewMenu();

    ui_.animateAction = bar->addAction("&Animate");
    ui_.animateAction->setObjectName("animateAction");
    ui_.animateAction->setCheckable(true);
    ui_.animateAction->setEnabled(false);

    ui_.projectMenu = AddMenu(bar, "projectMenu", "&Project");
    ui_.projectSetupAction = AddItem(ui_.projectMenu, "projectSetupAction", "&Settings");
    ui_.lockLayoutAction = AddItem(ui_.projectMenu, "lockLayoutAction", "&Lock layout");
    ui_.lockLayoutAction->setCheckable(true);

    ui_.extractMenu = AddMenu(bar, "extractMenu", "E&xtract");
    ui_.extractAction = AddItem(ui_.extractMenu, "extractAction", "Extract bitmaps to disk");
    ui_.checkAction = AddItem(ui_.extractMenu, "checkAction", "Check project for errors");

    ui_.helpMenu = AddMenu(bar, "helpMenu", "&Help");
    ui_.helpContentsAction = AddItem(ui_.helpMenu, "helpContentsAction", "&Help");
    ui_.aboutAction = AddItem(ui_.helpMenu, "aboutAction", "&About...");

    for (QMenu* menu : {ui_.fileMenu, ui_.editMenu, ui_.viewMenu, ui_.projectMenu, ui_.extractMenu, ui_.helpMenu})
        menu->installEventFilter(this);
}

// The shortcuts of the context menu are shown for the user's information;
// the keyboard map serves them when the key goes down.
void MainWindow::buildRegionMenu()
{
    ui_.regionMenu = new QMenu(this);
    ui_.regionMenu->setObjectName("regionMenu");
    ui_.regionPropertiesAction = AddItem(ui_.regionMenu, "regionPropertiesAction", "Region Pr&operties...", QKeySequence("Ctrl+P"));
    ui_.regionMenu->addSeparator();
    ui_.regionHideAction = AddItem(ui_.regionMenu, "regionHideAction", "&Hide region", QKeySequence("Ctrl+H"));
    ui_.regionHideAction->setCheckable(true);
    ui_.regionDuplicateAction = AddItem(ui_.regionMenu, "regionDuplicateAction", "D&uplicate region", QKeySequence("Shift+Ins"), false);
    ui_.regionDeleteAction = AddItem(ui_.regionMenu, "regionDeleteAction", "&Delete region", QKeySequence(Qt::Key_Delete));
    ui_.regionAnimateAction = AddItem(ui_.regionMenu, "regionAnimateAction", "&Animate region", {}, false);
    ui_.regionAnimateAction->setCheckable(true);
    for (QAction* action : ui_.regionMenu->actions())
        action->setShortcutContext(Qt::WidgetShortcut);
    ui_.regionMenu->installEventFilter(this);
}

void MainWindow::buildToolBar()
{
    ui_.toolBar = addToolBar("tools");
    ui_.toolBar->setObjectName("toolBar");
    ui_.toolBar->setMovable(false);
    ui_.toolBar->setFloatable(false);
    ui_.toolBar->setIconSize(QSize(16, 16));
    ui_.toolBar->setContextMenuPolicy(Qt::PreventContextMenu);

    AddGap(ui_.toolBar);
    ui_.quickPick = new QComboBox(ui_.toolBar);
    ui_.quickPick->setObjectName("quickPick");
    ui_.quickPick->setToolTip("Region quick pick");
    ui_.quickPick->setFixedWidth(250);
    ui_.quickPick->setFocusPolicy(Qt::ClickFocus);
    ui_.toolBar->addWidget(ui_.quickPick);
    AddGap(ui_.toolBar);
    ui_.hideButton = AddButton(ui_.toolBar, "hideButton", "Hide/Show selected region", ToolGlyph::Hidden, true);
    ui_.showPaintButton =
        AddButton(ui_.toolBar, "showPaintButton", "Show overlays and text boxes on every frame", ToolGlyph::ShowPaint, true);
    ui_.lockButton = AddButton(ui_.toolBar, "lockButton", "Lock layout from deletion, movement & sizing", ToolGlyph::Unlocked, true);
    AddGap(ui_.toolBar);
    ui_.nudgeStepButton = AddButton(ui_.toolBar, "nudgeStepButton", "Set nudge step for keyboard movement", ToolGlyph::Nudge, false);
    AddGap(ui_.toolBar);
    ui_.previousFrameButton = AddButton(ui_.toolBar, "previousFrameButton", "Previous animation frame", ToolGlyph::Previous, false);
    ui_.nextFrameButton = AddButton(ui_.toolBar, "nextFrameButton", "Next animation frame", ToolGlyph::Next, false);

    addToolBarBreak();
    ui_.geometryBar = new GeometryBar(this);
    addToolBar(ui_.geometryBar);
}

void MainWindow::buildStatusBar()
{
    QStatusBar* stat = statusBar();
    stat->setObjectName("statusBar");
    const int widths[] = {110, 180, 0, 70};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(stat);
        panels_[i]->setObjectName(QString("statusPanel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0)
            panels_[i]->setFixedWidth(widths[i]);
        stat->addWidget(panels_[i], widths[i] > 0 ? 0 : 1);
    }
    unsavedPanel_ = new QLabel(stat);
    unsavedPanel_->setObjectName("unsavedPanel");
    unsavedPanel_->setFrameShape(QFrame::StyledPanel);
    unsavedPanel_->setFrameShadow(QFrame::Sunken);
    unsavedPanel_->setFixedWidth(100);
    stat->insertWidget(int(StatusPanel::Zoom), unsavedPanel_);
    setStatus(StatusPanel::Message, " Welcome!");
    setStatus(StatusPanel::Zoom, QString::fromStdString(ZoomText(1.0)));
}

}  // namespace tolv::gui
