// Animation playback of a clip region.
#include "gui/project/main_form.h"

#include "editor/animation_cels.h"
#include "gui/app/message_box.h"
#include "gui/editor/backgrnd.h"
#include "gui/editor/bitmap_image.h"
#include "gui/editor/region_item.h"
#include "platform/errors.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QToolBar>

namespace tolv::gui {

namespace {

constexpr int InitialAnimationInterval = 400;

}  // namespace

void TMainForm::BuildAnimation()
{
    AnimTimer = new QTimer(this);
    AnimTimer->setObjectName("AnimTimer");
    AnimTimer->setInterval(InitialAnimationInterval);
    connect(AnimTimer, &QTimer::timeout, this, [this] { AnimTimerTimer(); });
    connect(ui_.Animate1, &QAction::triggered, this, [this] { AnimateStart(); });
    connect(ui_.Animate2, &QAction::triggered, this, [this] { AnimateStart(); });
}

void TMainForm::AnimateStart()
{
    // The items are checkable only to show the playback state; a click must
    // not toggle the mark by itself.
    ui_.Animate1->setChecked(Animating);
    ui_.Animate2->setChecked(Animating);
    if (Animating) {
        AnimateStop();
        return;
    }
    Region* region = project_.CurrentRegion;
    if (!region || region->RegionType != RegionKind::Clip)
        return;
    if (CelFrameCount(*region) == 0) {
        SetStatus(2, " Animation: no frames to play");
        return;
    }
    // The cels are made before anything changes, so that a frame that
    // cannot be loaded leaves the selection and the menus as they were.
    std::vector<Bitmap> cels;
    try {
        cels = MakeAnimationCels(project_, *region);
    } catch (const TolvError& error) {
        ShowError(this, QString::fromStdString(error.what()));
        return;
    }
    // The region keeps playing although it is no longer current; its
    // rectangle is fixed now, so later edits do not move the cels.
    backgrnd_->DeselectAll();
    // Each bitmap goes as soon as its image is made: the cels may be large.
    for (Bitmap& cel : cels) {
        Cels.push_back(ToQImage(cel));
        cel = Bitmap();
    }
    CelTarget = QRect(region->Left, region->Top, region->Width, region->Height);
    CelPos = 1;
    Animating = true;
    AnimateSetMenus(false);
    AnimTimer->setInterval(settings_.AnimationDelay);
    AnimTimer->start();
}

void TMainForm::AnimateStop()
{
    Animating = false;
    AnimTimer->stop();
    AnimateSetMenus(true);
    Cels.clear();
    // The menus follow the selection again; the keyboard may have changed it
    // while the interface updates were held.
    if (project_.CurrentRegion)
        backgrnd_->ItemOf(project_.CurrentRegion)->UpdateGUI();
    else
        backgrnd_->ShowNoSelection();
}

// The cel stays on the canvas until its frame is next rebuilt, as a cel
// drawn straight onto the screen would.
void TMainForm::AnimTimerTimer()
{
    if (Cels.empty())
        return;
    backgrnd_->ShowCel(Cels[std::size_t(CelPos - 1)], CelTarget);
    CelPos = NextCelPos(CelPos, int(Cels.size()));
}

void TMainForm::AnimateSetMenus(bool enabled)
{
    for (QAction* action : {ui_.Properties1, ui_.HideObj, ui_.Duplicate1, ui_.Delete1})
        action->setEnabled(enabled);
    ui_.Animate1->setChecked(!enabled);
    for (QMenu* menu : {ui_.File1, ui_.Edit1, ui_.Project1, ui_.Extract1, ui_.Help1})
        menu->menuAction()->setEnabled(enabled);
    ui_.tools->setEnabled(enabled);
    ui_.Animate1->setText(enabled ? "&Animate" : "&Animate stop");
    ui_.Animate2->setChecked(!enabled);
}

}  // namespace tolv::gui
