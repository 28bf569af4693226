#include "gui/editor/frame_canvas.h"

#include "document/document.h"
#include "editor/frame_marks.h"
#include "editor/view_mapping.h"
#include "extract/prefilter.h"
#include "gui/common/bitmap_image.h"
#include "gui/common/message_box.h"
#include "platform/errors.h"
#include "platform/image/image_file.h"

#include <QTimer>

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
        displayShownFrame();
        return;
    }
    followRegions(change);
    if (change.frameListChanged)
        displayShownFrame();
    else
        repaintRegions(change);
}

// Told of a change, the canvas only loads what the document shows: a frame
// file that fails to load is reported once every view has been told, and
// the status is the main window's to set.
void FrameCanvas::displayShownFrame()
{
    if (std::optional<QString> error = loadShownFrame())
        QTimer::singleShot(0, this, [this, error = std::move(*error)] { ShowError(this, error); });
}

void FrameCanvas::repaintRegions(const DocumentChange& change)
{
    if (change.added.empty() && change.removed.empty() && change.changed.empty() && !change.orderChanged)
        return;
    paintPrefilter(true);
}

void FrameCanvas::showFrame(FrameStep step)
{
    document_.stepShownFrame(step);
    if (std::optional<QString> error = loadShownFrame()) {
        ShowError(this, *error);
        return;
    }
    setStatus(StatusPanel::Message, QString::fromStdString(FrameText(project())));
}

std::optional<QString> FrameCanvas::loadShownFrame()
{
    const Project& p = project();
    if (!CurrentFrameAvailable(p)) {
        setDisplay(CheckerboardDisplay(p.FrameAreaWidth, p.FrameAreaHeight));
    } else {
        try {
            Bitmap frame = LoadImageFile(p.FramePath(p.FrameName(p.CurrentFrame)));
            if (p.CleanEdges)
                CleanFrameEdges(frame);
            setDisplay(std::move(frame));
        } catch (const TolvError& error) {
            return QString::fromStdString(error.what());
        }
    }
    clean_ = display_;
    paintPrefilter(false);
    update();
    return std::nullopt;
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
    const Rect r = ScreenRect(
        {frameRect.left(), frameRect.top(), frameRect.left() + frameRect.width(), frameRect.top() + frameRect.height()},
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
