// The region commands of the Edit menu, the region context menu and the
// tool bar: properties, hide and show, duplicate, delete, and the nudge step.
#include "gui/project/main_form.h"

#include "editor/edit_commands.h"
#include "editor/selection.h"
#include "gui/app/user_operation.h"
#include "gui/editor/backgrnd.h"
#include "gui/editor/region_item.h"
#include "gui/project/input_query.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>

namespace tolv::gui {

void TMainForm::ConnectEditingCommands()
{
    for (QAction* properties : {ui_.Prop1, ui_.Properties1})
        connect(properties, &QAction::triggered, this, [this] { Properties1Click(); });
    for (QAction* duplicate : {ui_.Duplicate1, ui_.Duplicate2})
        connect(duplicate, &QAction::triggered, this, [this] { Duplicate2Click(); });
    for (QAction* remove : {ui_.Delete1, ui_.Delete2})
        connect(remove, &QAction::triggered, this, [this] { Delete1Click(); });
    connect(ui_.tbNudgeNum, &QToolButton::clicked, this, [this] { tbNudgeNumClick(); });
}

void TMainForm::Properties1Click()
{
    if (project_.CurrentRegion)
        backgrnd_->EditRegion(false, 0, 0, 0, 0);
}

void TMainForm::HideToggle()
{
    if (Region* region = project_.CurrentRegion)
        backgrnd_->ItemOf(region)->RegionCmd(region->Visible ? 1 : 2);
}

void TMainForm::Duplicate2Click()
{
    const Region* source = project_.CurrentRegion;
    if (!source)
        return;
    // A failing overlay file stops the command before the copy is added.
    std::unique_ptr<Region> copy;
    if (!RunUserOperation(this, [&] { copy = DuplicateRegion(project_, *source); }))
        return;
    backgrnd_->DeselectAll();
    Region& region = *copy;
    project_.Regions.push_back(std::move(copy));
    backgrnd_->AdoptRegions();
    SetState(project_, region, CurrentSelected);
    region.PickIndex = ui_.qPick->count();
    ui_.qPick->addItem(QString::fromStdString(PickText(region)));
    backgrnd_->ItemOf(&region)->Sync();
    backgrnd_->MarkFrameRegions(project_.FrameName(project_.CurrentFrame));
    backgrnd_->PaintPrefilter(true);
    backgrnd_->update();
    backgrnd_->UpdateFrameMenus();
    project_.Modified = true;
}

void TMainForm::Delete1Click()
{
    backgrnd_->DeleteSelected();
    backgrnd_->DeselectAll();
    backgrnd_->FillQuickPick();
    backgrnd_->RenumberRegions();
    project_.CurrentRegion = nullptr;
    project_.SelIndex = -1;
    ui_.qPick->setCurrentIndex(-1);
    project_.Modified = true;
    backgrnd_->ShowFrame(0);
}

void TMainForm::ChangeNudge(int delta)
{
    tolv::ChangeNudge(project_, delta);
    SetStatus(2, QString::fromStdString(NudgeText(project_.NudgeStep)));
}

void TMainForm::tbNudgeNumClick()
{
    const auto text = InputQuery(this, "Nudge Factor", "Enter a number from 1 to 50",
                                 QString::number(project_.NudgeStep));
    if (!text)
        return;
    if (const auto step = ParseNudgeFactor(text->toStdString()))
        project_.NudgeStep = *step;
}

}  // namespace tolv::gui
