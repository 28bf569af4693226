#include "gui/editor/frame_canvas.h"

#include "document/document.h"
#include "editor/frame_marks.h"
#include "editor/view_mapping.h"
#include "extract/prefilter.h"
#include "gui/common/bitmap_image.h"
#include "gui/common/message_box.h"
#include "platform/errors.h"
#include "platform/image_file.h"

namespace tolv::gui {

FrameCanvas::FrameCanvas(Document& document, QWidget* parent) : QWidget(parent), document_(document)
{
    setObjectName("canvas");
    // The canvas paints every pixel it covers itself: no background erase,
    // so the frame does not flicker while regions change.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(CheckerboardWidth, CheckerboardHeight);
    // The pointer position shows in the status bar also without a press.
    setMouseTracking(true);
    subscription_ = document_.subscribe([this](const DocumentChange& change) { onDocumentChanged(change); });
    rebuildGrid();
}

FrameCanvas::~FrameCanvas()
{
    document_.unsubscribe(subscription_);
}

const Project& FrameCanvas::project() const
{
    return document_.project();
}

const QImage& FrameCanvas::displayImage()
{
    if (imageDirty_) {
        image_ = ToQImage(display_);
        imageDirty_ = false;
        shrunk_ = QImage();
        cel_ = QImage();
        ++imageRebuilds_;
    }
    return image_;
}

void FrameCanvas::setDisplay(Bitmap display)
{
    display_ = std::move(display);
    imageDirty_ = true;
}

void FrameCanvas::setShowPaintAll(bool on)
{
    if (showPaintAll_ == on)
        return;
    showPaintAll_ = on;
    showFrame(FrameStep::Same);
}

void FrameCanvas::releasePrefilter()
{
    if (!holdPrefilter_)
        return;
    holdPrefilter_ = false;
    paintPrefilter(true);
}

void FrameCanvas::onDocumentChanged(const DocumentChange& change)
{
    if (change.projectReplaced) {
        rebuildGrid();
        showFrame(FrameStep::Next);
        return;
    }
    followRegions(change);
    if (change.frameListChanged)
        showFrame(FrameStep::Same);
    else
        repaintRegions(change);
}

void FrameCanvas::repaintRegions(const DocumentChange& change)
{
    if (change.added.empty() && change.removed.empty() && change.changed.empty())
        return;
    paintPrefilter(true);
}

void FrameCanvas::showFrame(FrameStep step)
{
    document_.stepShownFrame(step);
    const Project& p = project();
    const std::string name = p.FrameName(p.CurrentFrame);
    if (!CurrentFrameAvailable(p)) {
        setDisplay(CheckerboardDisplay(p.FrameAreaWidth, p.FrameAreaHeight));
    } else {
        try {
            Bitmap frame = LoadImageFile(p.FramePath(name));
            if (p.CleanEdges)
                CleanFrameEdges(frame);
            setDisplay(std::move(frame));
        } catch (const TolvError& error) {
            ShowError(this, QString::fromStdString(error.what()));
            return;
        }
    }
    setStatus(StatusPanel::Message, QString::fromStdString(FrameText(p)));
    clean_ = display_;
    paintPrefilter(false);
    update();
}

void FrameCanvas::paintPrefilter(bool restore)
{
    if (holdPrefilter_)
        return;
    if (restore)
        display_ = clean_;
    const Project& p = project();
    PaintPrefilterRegions(display_, p, RegionsPaintedOn(p, p.FrameName(p.CurrentFrame)), showPaintAll_);
    imageDirty_ = true;
    update();
}

void FrameCanvas::showCel(const QImage& cel, const QRect& target)
{
    // A frame rebuilt before this cel must not take the cel away with it.
    displayImage();
    cel_ = cel;
    celTarget_ = target;
    update(screenRectOf(target));
}

void FrameCanvas::setFrameArea(int width, int height)
{
    if (frameArea_ == QSize(width, height))
        return;
    frameArea_ = QSize(width, height);
    fitToZoom();
    rebuildGrid();
}

void FrameCanvas::setZoom(double scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    shrunk_ = QImage();
    fitToZoom();
    update();
    setStatus(StatusPanel::Zoom, QString::fromStdString(ZoomText(scale_)));
}

void FrameCanvas::fitToZoom()
{
    setFixedSize(ScreenEdge(frameArea_.width(), scale_), ScreenEdge(frameArea_.height(), scale_));
}

Point FrameCanvas::pixelAt(const QPoint& canvasPos) const
{
    return PixelAt({canvasPos.x(), canvasPos.y()}, scale_);
}

QRect FrameCanvas::screenRectOf(const Region& region) const
{
    return screenRectOf(QRect(region.Left, region.Top, region.Width, region.Height));
}

QRect FrameCanvas::screenRectOf(const QRect& frameRect) const
{
    const Rect r = ScreenRect({frameRect.left(), frameRect.top(), frameRect.left() + frameRect.width(),
                               frameRect.top() + frameRect.height()},
                              scale_);
    return {r.left, r.top, r.width(), r.height()};
}

void FrameCanvas::setPixelGrid(bool on)
{
    pixelGrid_ = on;
    update();
}

void FrameCanvas::setRegionNames(bool on)
{
    regionNames_ = on;
    update();
}

}  // namespace tolv::gui
