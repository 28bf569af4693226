// The canvas's region items, the selection, and the main window's controls
// that follow them.
#include "gui/editor/backgrnd.h"

#include "editor/selection.h"
#include "gui/editor/region_item.h"
#include "gui/project/main_form.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>

namespace tolv::gui {

void TBackgrnd::UpdateFrameMenus()
{
    if (form_.Animating)
        return;
    const Project& p = project();
    form_.Ui().PrevBak->setEnabled(p.CurrentFrame > 1);
    form_.Ui().NextBak->setEnabled(p.CurrentFrame < p.FrameCount());
}

void TBackgrnd::ShowNoSelection()
{
    if (form_.Animating)
        return;
    const MainControls& ui = form_.Ui();
    const Project& p = project();
    ui.qPick->setCurrentIndex(-1);
    form_.SetStatus(2, " Frame: " + QString::fromStdString(p.FrameName(p.CurrentFrame)));
    ui.tbhidden->setChecked(false);
    ui.tbhidden->setEnabled(false);
    for (QAction* hide : {ui.HideObj, ui.Hideobject1}) {
        hide->setEnabled(false);
        hide->setChecked(false);
    }
    for (QAction* action : {ui.Prop1, ui.Properties1, ui.Delete1, ui.Delete2, ui.Duplicate1, ui.Duplicate2,
                            ui.Animate1, ui.Animate2})
        action->setEnabled(false);
    ui.Locklayout1->setChecked(p.LockObj);
    ui.tblock->setChecked(p.LockObj);
}

void TBackgrnd::FreeRegions()
{
    for (auto& [region, item] : items_)
        delete item;
    items_.clear();
    project().FreeRegions();
}

void TBackgrnd::ResetCanvas()
{
    FreeRegions();
    form_.Ui().qPick->clear();
    project().ResetBeforeLoading();
    drag_.EndGestures();
    ClearOutline();
}

void TBackgrnd::AdoptRegions()
{
    for (const auto& region : project().Regions) {
        if (items_.count(region.get()))
            continue;
        auto* item = new tRegion(*this, *region);
        item->raise();
        items_.emplace(region.get(), item);
    }
}

tRegion* TBackgrnd::ItemOf(const Region* region) const
{
    const auto found = items_.find(region);
    return found == items_.end() ? nullptr : found->second;
}

void TBackgrnd::DropItem(const Region* region)
{
    const auto found = items_.find(region);
    if (found == items_.end())
        return;
    delete found->second;
    items_.erase(found);
}

void TBackgrnd::SyncItems()
{
    for (auto& [region, item] : items_)
        item->Sync();
}

void TBackgrnd::DeselectAll()
{
    tolv::DeselectAll(project());
    SyncItems();
}

void TBackgrnd::SelectRegion(int index)
{
    ShowSelected(tolv::SelectRegion(project(), index));
}

void TBackgrnd::SelectNext()
{
    ShowSelected(tolv::SelectNext(project()));
}

void TBackgrnd::SelectPrevious()
{
    ShowSelected(tolv::SelectPrevious(project()));
}

void TBackgrnd::ShowSelected(Region* region)
{
    if (!region)
        return;
    SyncItems();
    form_.SetStatus(1, QString::fromStdString(GeometryText(*region)));
    ItemOf(region)->UpdateGUI();
}

void TBackgrnd::SizeSelected(int dw, int dh)
{
    if (!CanNudgeSelected(project()))
        return;
    HoldPrefilter = true;
    ShowNudged(tolv::SizeSelected(project(), dw, dh));
}

void TBackgrnd::MoveSelected(int dx, int dy)
{
    if (!CanNudgeSelected(project()))
        return;
    HoldPrefilter = true;
    ShowNudged(tolv::MoveSelected(project(), dx, dy));
}

// Status panel 1 ends with the geometry of the last region visited.
void TBackgrnd::ShowNudged(const std::vector<Region*>& regions)
{
    for (Region* region : regions) {
        ItemOf(region)->Sync();
        form_.SetStatus(1, QString::fromStdString(GeometryText(*region)));
    }
}

void TBackgrnd::DeleteSelected()
{
    for (const auto& region : tolv::DeleteSelected(project()))
        DropItem(region.get());
}

void TBackgrnd::RenumberRegions()
{
    project().RenumberRegions();
}

void TBackgrnd::FillQuickPick()
{
    QComboBox* qPick = form_.Ui().qPick;
    qPick->clear();
    for (const auto& region : project().Regions)
        qPick->addItem(QString::fromStdString(PickText(*region)));
}

}  // namespace tolv::gui
