// The main window's menus, tool bar and status bar, with their names, texts,
// shortcuts and initial states.
#include "gui/project/main_form.h"

#include "gui/project/tool_glyphs.h"

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

void TMainForm::BuildMenus()
{
    QMenuBar* bar = menuBar();
    ui_.File1 = AddMenu(bar, "File1", "&File");
    ui_.New1 = AddItem(ui_.File1, "New1", "&New");
    ui_.Open1 = AddItem(ui_.File1, "Open1", "&Open...");
    ui_.Save1 = AddItem(ui_.File1, "Save1", "&Save");
    ui_.File1->addSeparator();
    ui_.Preferences1 = AddItem(ui_.File1, "Preferences1", "&Preferences");
    ui_.File1->addSeparator();
    ui_.Exit1 = AddItem(ui_.File1, "Exit1", "E&xit");

    ui_.Edit1 = AddMenu(bar, "Edit1", "&Edit");
    ui_.Prop1 = AddItem(ui_.Edit1, "Prop1", "Region &Properties");
    ui_.Hideobject1 = AddItem(ui_.Edit1, "Hideobject1", "&Hide region");
    ui_.Hideobject1->setCheckable(true);
    ui_.LinkMenu = AddItem(ui_.Edit1, "LinkMenu", "&Show overlays and text boxes on every frame");
    ui_.LinkMenu->setCheckable(true);
    ui_.Duplicate2 = AddItem(ui_.Edit1, "Duplicate2", "D&uplicate region", {}, false);
    ui_.Delete2 = AddItem(ui_.Edit1, "Delete2", "&Delete region", QKeySequence(Qt::Key_Delete), false);
    ui_.Edit1->addSeparator();
    ui_.PrevBak = AddItem(ui_.Edit1, "PrevBak", "&Previous animation frame", QKeySequence(Qt::Key_PageUp), false);
    ui_.NextBak = AddItem(ui_.Edit1, "NextBak", "&Next animation frame", QKeySequence(Qt::Key_PageDown), false);

    ui_.Animate1 = bar->addAction("&Animate");
    ui_.Animate1->setObjectName("Animate1");
    ui_.Animate1->setCheckable(true);
    ui_.Animate1->setEnabled(false);

    ui_.Project1 = AddMenu(bar, "Project1", "&Project");
    ui_.Options1 = AddItem(ui_.Project1, "Options1", "&Settings");
    ui_.Locklayout1 = AddItem(ui_.Project1, "Locklayout1", "&Lock layout");
    ui_.Locklayout1->setCheckable(true);

    ui_.Extract1 = AddMenu(bar, "Extract1", "E&xtract");
    ui_.Extractbitmapstodisk1 = AddItem(ui_.Extract1, "Extractbitmapstodisk1", "Extract bitmaps to disk");
    ui_.est1 = AddItem(ui_.Extract1, "est1", "Check project for errors");

    ui_.Help1 = AddMenu(bar, "Help1", "&Help");
    ui_.Contents1 = AddItem(ui_.Help1, "Contents1", "&Help");
    ui_.About1 = AddItem(ui_.Help1, "About1", "&About...");

    for (QMenu* menu : {ui_.File1, ui_.Edit1, ui_.Project1, ui_.Extract1, ui_.Help1})
        menu->installEventFilter(this);
}

// The shortcuts of the context menu are shown for the user's information;
// the keyboard map serves them when the key is released.
void TMainForm::BuildContextMenu()
{
    ui_.ObjContext = new QMenu(this);
    ui_.ObjContext->setObjectName("ObjContext");
    ui_.Properties1 = AddItem(ui_.ObjContext, "Properties1", "Region Pr&operties...", QKeySequence("Ctrl+P"));
    ui_.ObjContext->addSeparator();
    ui_.HideObj = AddItem(ui_.ObjContext, "HideObj", "&Hide region", QKeySequence("Ctrl+H"));
    ui_.HideObj->setCheckable(true);
    ui_.Duplicate1 = AddItem(ui_.ObjContext, "Duplicate1", "D&uplicate region", QKeySequence("Shift+Ins"), false);
    ui_.Delete1 = AddItem(ui_.ObjContext, "Delete1", "&Delete region", QKeySequence(Qt::Key_Delete));
    ui_.Animate2 = AddItem(ui_.ObjContext, "Animate2", "&Animate region", {}, false);
    ui_.Animate2->setCheckable(true);
    for (QAction* action : ui_.ObjContext->actions())
        action->setShortcutContext(Qt::WidgetShortcut);
    ui_.ObjContext->installEventFilter(this);
}

void TMainForm::BuildToolBar()
{
    ui_.tools = addToolBar("tools");
    ui_.tools->setObjectName("tools");
    ui_.tools->setMovable(false);
    ui_.tools->setFloatable(false);
    ui_.tools->setIconSize(QSize(16, 16));
    ui_.tools->setContextMenuPolicy(Qt::PreventContextMenu);

    AddGap(ui_.tools);
    ui_.qPick = new QComboBox(ui_.tools);
    ui_.qPick->setObjectName("qPick");
    ui_.qPick->setToolTip("Region quick pick");
    ui_.qPick->setFixedWidth(250);
    ui_.qPick->setFocusPolicy(Qt::ClickFocus);
    ui_.tools->addWidget(ui_.qPick);
    AddGap(ui_.tools);
    ui_.tbhidden = AddButton(ui_.tools, "tbhidden", "Hide/Show selected region", ToolGlyph::Hidden, true);
    ui_.sb_ShowPaint =
        AddButton(ui_.tools, "sb_ShowPaint", "Show overlays and text boxes on every frame", ToolGlyph::ShowPaint, true);
    ui_.tblock = AddButton(ui_.tools, "tblock", "Lock layout from deletion, movement & sizing", ToolGlyph::Unlocked, true);
    AddGap(ui_.tools);
    ui_.tbNudgeNum = AddButton(ui_.tools, "tbNudgeNum", "Set nudge step for keyboard movement", ToolGlyph::Nudge, false);
    AddGap(ui_.tools);
    ui_.tbPrev = AddButton(ui_.tools, "tbPrev", "Previous animation frame", ToolGlyph::Previous, false);
    ui_.tbNext = AddButton(ui_.tools, "tbNext", "Next animation frame", ToolGlyph::Next, false);
}

void TMainForm::BuildStatusBar()
{
    QStatusBar* stat = statusBar();
    stat->setObjectName("Stat");
    const int widths[] = {110, 180, 0};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(stat);
        panels_[i]->setObjectName(QString("Stat%1").arg(i));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0)
            panels_[i]->setFixedWidth(widths[i]);
        stat->addWidget(panels_[i], widths[i] > 0 ? 0 : 1);
    }
    SetStatus(2, " Welcome!");
}

}  // namespace tolv::gui
