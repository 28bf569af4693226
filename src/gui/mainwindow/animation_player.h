#pragma once

#include <QImage>
#include <QObject>
#include <QRect>

#include <vector>

class QTimer;

namespace tolv {
struct Project;
struct Region;
}  // namespace tolv

namespace tolv::gui {

class FrameCanvas;

// Plays the cels of a clip region on the canvas, one per tick. The region
// keeps playing although it is no longer current; its rectangle is fixed at
// the start, so later edits do not move the cels.
class AnimationPlayer : public QObject {
    Q_OBJECT
public:
    AnimationPlayer(FrameCanvas& canvas, QObject* parent);

    // Makes the cels of `region` and plays them, a cel every `interval` ms;
    // raises the error of a frame that cannot be loaded before it starts.
    void play(const Project& project, const Region& region, int interval);
    void stop();
    bool playing() const { return playing_; }
    // Shows the next cel, as each tick of the timer does; nothing once stopped.
    void showNextCel();

    const QTimer& timer() const { return *timer_; }
    const std::vector<QImage>& cels() const { return cels_; }
    // The position (from 1) of the cel shown next.
    int celPos() const { return celPos_; }
    const QRect& celTarget() const { return celTarget_; }

private:
    FrameCanvas& canvas_;
    QTimer* timer_ = nullptr;
    bool playing_ = false;
    std::vector<QImage> cels_;
    int celPos_ = 1;
    QRect celTarget_;
};

}  // namespace tolv::gui
