// Animation playback of a clip region.
#include "gui/mainwindow/main_window.h"

#include "editor/animation_cels.h"
#include "editor/selection.h"
#include "gui/common/bitmap_image.h"
#include "gui/common/message_box.h"
#include "gui/editor/frame_canvas.h"
#include "platform/errors.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QToolBar>

namespace tolv::gui {

namespace {

constexpr int InitialAnimationInterval = 400;

}  // namespace

void MainWindow::buildAnimation()
{
    animationTimer = new QTimer(this);
    animationTimer->setObjectName("animationTimer");
    animationTimer->setInterval(InitialAnimationInterval);
    connect(animationTimer, &QTimer::timeout, this, [this] { showNextCel(); });
    connect(ui_.animateAction, &QAction::triggered, this, [this] { onAnimate(); });
    connect(ui_.regionAnimateAction, &QAction::triggered, this, [this] { onAnimate(); });
}

void MainWindow::onAnimate()
{
    // The items are checkable only to show the playback state; a click must
    // not toggle the mark by itself.
    ui_.animateAction->setChecked(animating_);
    ui_.regionAnimateAction->setChecked(animating_);
    if (animating_) {
        stopAnimation();
        return;
    }
    const Region* region = project().selection.current();
    if (!region)
        return;
    // A background, text box or overlay cuts nothing out that could play.
    if (region->RegionType != RegionKind::Clip) {
        setStatus(StatusPanel::Message, " Animation: only clip regions (type 1) play");
        return;
    }
    if (CelFrameCount(*region) == 0) {
        setStatus(StatusPanel::Message, " Animation: no frames to play");
        return;
    }
    // The cels are made before anything changes, so that a frame that
    // cannot be loaded leaves the selection and the menus as they were.
    std::vector<Bitmap> made;
    try {
        made = MakeAnimationCels(project(), *region);
    } catch (const TolvError& error) {
        ShowError(this, QString::fromStdString(error.what()));
        return;
    }
    // The region keeps playing although it is no longer current; its
    // rectangle is fixed now, so later edits do not move the cels.
    celTarget = QRect(region->Left, region->Top, region->Width, region->Height);
    animating_ = true;
    canvas_->setAnimating(true);
    document_.changeSelection({SelectionOp::Kind::DeselectAll});
    // Each bitmap goes as soon as its image is made: the cels may be large.
    for (Bitmap& cel : made) {
        cels.push_back(ToQImage(cel));
        cel = Bitmap();
    }
    celPos = 1;
    syncUndoEnabled();
    animationTimer->setInterval(settings_.AnimationDelay);
    animationTimer->start();
}

void MainWindow::stopAnimation()
{
    animating_ = false;
    canvas_->setAnimating(false);
    animationTimer->stop();
    cels.clear();
    // The menus and the status follow the selection again; the keyboard may
    // have changed it during playback.
    syncUndoEnabled();
    showSelectionStatus();
}

// The cel stays on the canvas until its frame is next rebuilt, as a cel
// drawn straight onto the screen would.
void MainWindow::showNextCel()
{
    if (cels.empty())
        return;
    canvas_->showCel(cels[std::size_t(celPos - 1)], celTarget);
    celPos = NextCelPos(celPos, int(cels.size()));
}

}  // namespace tolv::gui
