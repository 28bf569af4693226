// The handlers of the menus and the tool bar.
#include "gui/project/main_form.h"

#include "gui/app/help_router.h"
#include "gui/app/windows.h"
#include "gui/dialogs/dlg_about.h"
#include "gui/extract/info_dlg.h"
#include "gui/extract/x_dlg.h"
#include "gui/project/options.h"
#include "gui/editor/backgrnd.h"
#include "gui/editor/region_item.h"
#include "gui/project/tool_glyphs.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>

namespace tolv::gui {

void TMainForm::ConnectCommands()
{
    connect(ui_.New1, &QAction::triggered, this, [this] { New1Click(); });
    connect(ui_.Open1, &QAction::triggered, this, [this] { Open1Click(); });
    connect(ui_.Save1, &QAction::triggered, this, [this] { Save1Click(); });
    connect(ui_.Exit1, &QAction::triggered, this, &QWidget::close);
    connect(ui_.LinkMenu, &QAction::triggered, this, [this] { LinkMenuClick(); });
    connect(ui_.sb_ShowPaint, &QToolButton::clicked, this, [this] { sb_ShowPaintClick(); });
    connect(ui_.Locklayout1, &QAction::triggered, this, [this] { Locklayout1Click(); });
    connect(ui_.tblock, &QToolButton::clicked, this, [this] { Locklayout1Click(); });
    connect(ui_.PrevBak, &QAction::triggered, this, [this] { NextPrev(0); });
    connect(ui_.NextBak, &QAction::triggered, this, [this] { NextPrev(1); });
    connect(ui_.tbPrev, &QToolButton::clicked, this, [this] { NextPrev(0); });
    connect(ui_.tbNext, &QToolButton::clicked, this, [this] { NextPrev(1); });
    connect(ui_.Options1, &QAction::triggered, this, [this] { ProjectUpdated(false); });
    connect(ui_.Preferences1, &QAction::triggered, this, [this] { options->Execute(settings_); });
    connect(ui_.Extractbitmapstodisk1, &QAction::triggered, this, [this] { Extract1Click(); });
    connect(ui_.est1, &QAction::triggered, this, [this] { info_dlg->RunCheck(project_); });
    connect(ui_.Contents1, &QAction::triggered, this, [this] { Contents1Click(); });
    connect(ui_.About1, &QAction::triggered, this, [] { Dlg_About->exec(); });
    connect(ui_.qPick, &QComboBox::activated, this, [this] { QPickClick(); });
    connect(ui_.tbhidden, &QToolButton::clicked, this, [this](bool down) { CurrentRegionCmd(down ? 1 : 2); });
    // A checked hide item shows the region again; Qt has already toggled the
    // check mark when the item reports its click.
    for (QAction* hide : {ui_.Hideobject1, ui_.HideObj})
        connect(hide, &QAction::triggered, this, [this](bool nowChecked) { CurrentRegionCmd(nowChecked ? 1 : 2); });
    connect(ui_.Edit1, &QMenu::aboutToShow, this, [this] { Edit1Popup(); });
    connect(ui_.Project1, &QMenu::aboutToShow, this, [this] { Project1Popup(); });
}

void TMainForm::Edit1Popup()
{
    ui_.LinkMenu->setChecked(ShowPaintAll);
}

// Only this event brings the Extract menu in step with the regions.
void TMainForm::Project1Popup()
{
    ui_.Extract1->menuAction()->setEnabled(!project_.Regions.empty());
}

void TMainForm::LinkMenuClick()
{
    ShowPaintAll = !ShowPaintAll;
    ui_.sb_ShowPaint->setChecked(ShowPaintAll);
    backgrnd_->ShowFrame(0);
}

void TMainForm::sb_ShowPaintClick()
{
    ShowPaintAll = ui_.sb_ShowPaint->isChecked();
    backgrnd_->ShowFrame(0);
}

void TMainForm::Locklayout1Click()
{
    project_.LockObj = !project_.LockObj;
    SetLockGlyph();
    backgrnd_->ShowNoSelection();
    if (project_.CurrentRegion)
        backgrnd_->ItemOf(project_.CurrentRegion)->UpdateGUI();
    project_.Modified = true;
}

void TMainForm::QPickClick()
{
    backgrnd_->DeselectAll();
    backgrnd_->SelectRegion(ui_.qPick->currentIndex());
    ui_.SB1->setFocus();
}

void TMainForm::CurrentRegionCmd(int cmd)
{
    if (project_.CurrentRegion)
        backgrnd_->ItemOf(project_.CurrentRegion)->RegionCmd(cmd);
}

void TMainForm::NextPrev(int tag)
{
    if (tag == 0 || tag == 1)
        backgrnd_->ShowFrame(tag == 0 ? -1 : +1);
}

void TMainForm::Extract1Click()
{
    if (!ExtractionAllowed(this, project_))
        return;
    x_dlg->Open(project_);
    // The run marks the regions of every frame it paints; the canvas marks its
    // own frame again so that later repaints paint the right text boxes.
    backgrnd_->MarkFrameRegions(project_.FrameName(project_.CurrentFrame));
}

void TMainForm::Contents1Click()
{
    helpRouter_->ShowTopic("topic10");
}

}  // namespace tolv::gui
