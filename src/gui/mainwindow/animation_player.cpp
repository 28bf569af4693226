#include "gui/mainwindow/animation_player.h"

#include "editor/animation_cels.h"
#include "gui/common/bitmap_image.h"
#include "gui/editor/frame_canvas.h"
#include "project/project.h"

#include <QTimer>

namespace tolv::gui {

namespace {

constexpr int InitialAnimationInterval = 400;

}  // namespace

AnimationPlayer::AnimationPlayer(FrameCanvas& canvas, QObject* parent) : QObject(parent), canvas_(canvas)
{
    timer_ = new QTimer(this);
    timer_->setObjectName("animationTimer");
    timer_->setInterval(InitialAnimationInterval);
    connect(timer_, &QTimer::timeout, this, [this] { showNextCel(); });
}

void AnimationPlayer::play(const Project& project, const Region& region, int interval)
{
    std::vector<Bitmap> made = MakeAnimationCels(project, region);
    cels_.clear();
    // Each bitmap goes as soon as its image is made: the cels may be large.
    for (Bitmap& cel : made) {
        cels_.push_back(ToQImage(cel));
        cel = Bitmap();
    }
    celTarget_ = QRect(region.Left, region.Top, region.Width, region.Height);
    celPos_ = 1;
    playing_ = true;
    canvas_.setAnimating(true);
    timer_->setInterval(interval);
    timer_->start();
}

void AnimationPlayer::stop()
{
    playing_ = false;
    canvas_.setAnimating(false);
    timer_->stop();
    cels_.clear();
}

// The cel stays on the canvas until its frame is next rebuilt, as a cel
// drawn straight onto the screen would.
void AnimationPlayer::showNextCel()
{
    if (cels_.empty())
        return;
    canvas_.showCel(cels_[std::size_t(celPos_ - 1)], celTarget_);
    celPos_ = NextCelPos(celPos_, int(cels_.size()));
}

}  // namespace tolv::gui
