#include "gui/editor/backgrnd.h"

#include "editor/frame_display.h"
#include "editor/frame_marks.h"
#include "extract/prefilter.h"
#include "gui/app/message_box.h"
#include "gui/editor/bitmap_image.h"
#include "gui/project/main_form.h"
#include "platform/errors.h"

#include <QPaintEvent>
#include <QPainter>

namespace tolv::gui {

TBackgrnd::TBackgrnd(TMainForm& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setObjectName("Backgrnd");
    // The canvas paints every pixel it covers itself: no background erase,
    // so the frame does not flicker while regions change.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(CheckerboardWidth, CheckerboardHeight);
    // The pointer position shows in the status bar also without a press.
    setMouseTracking(true);
}

TBackgrnd::~TBackgrnd() = default;

Project& TBackgrnd::project()
{
    return form_.project();
}

const QImage& TBackgrnd::DisplayImage()
{
    if (imageDirty_) {
        image_ = ToQImage(display_);
        imageDirty_ = false;
        cel_ = QImage();
        ++imageRebuilds_;
    }
    return image_;
}

void TBackgrnd::SetDisplay(Bitmap display)
{
    display_ = std::move(display);
    imageDirty_ = true;
}

void TBackgrnd::ShowFrame(int delta)
{
    Project& p = project();
    StepCurrentFrame(p, delta);
    const std::string name = p.FrameName(p.CurrentFrame);
    if (!CurrentFrameAvailable(p)) {
        SetDisplay(CheckerboardDisplay(p.FrameAreaWidth, p.FrameAreaHeight));
        form_.SetStatus(2, " Animation missing: " + QString::fromStdString(name));
    } else {
        try {
            Bitmap frame = LoadBmp(p.FramePath(name));
            if (p.CleanEdges)
                CleanFrameEdges(frame);
            SetDisplay(std::move(frame));
        } catch (const TolvError& error) {
            ShowError(&form_, QString::fromStdString(error.what()));
            return;
        }
        form_.SetStatus(2, " Frame: " + QString::fromStdString(name));
    }
    clean_ = display_;
    MarkFrameRegions(name);
    PaintPrefilter(false);
    update();
    UpdateFrameMenus();
}

void TBackgrnd::PaintPrefilter(bool restore)
{
    if (HoldPrefilter)
        return;
    if (restore)
        display_ = clean_;
    PaintPrefilterRegions(display_, project(), form_.ShowPaintAll);
    imageDirty_ = true;
    update();
}

void TBackgrnd::MarkFrameRegions(const std::string& frameName)
{
    tolv::MarkFrameRegions(project(), frameName);
}

void TBackgrnd::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& image = DisplayImage();
    const QRect shown = event->rect() & image.rect();
    if (!shown.isEmpty())
        painter.drawImage(shown.topLeft(), image, shown);
    // Where a frame smaller than the canvas leaves it uncovered.
    for (const QRect& rest : QRegion(event->rect()).subtracted(QRegion(image.rect())))
        painter.fillRect(rest, palette().window());
    if (!cel_.isNull())
        painter.drawImage(celTarget_.topLeft(), cel_);
    PaintOutline(painter, event->region());
}

void TBackgrnd::ShowCel(const QImage& cel, const QRect& target)
{
    // A frame rebuilt before this cel must not take the cel away with it.
    DisplayImage();
    cel_ = cel;
    celTarget_ = target;
    update(target);
}

}  // namespace tolv::gui
