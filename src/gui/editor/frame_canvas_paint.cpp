// What the canvas paints: the frame at the zoom of the view, the animation
// cel, the pixel grid, and above them the drag outline and the snap guides.
// The outline and the guides are one screen pixel wide and invert the pixels
// under them, so they show on any frame; moving them repaints only their
// old and new pixels.
#include "gui/editor/frame_canvas.h"

#include "editor/view_mapping.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace tolv::gui {

namespace {

// From 800 % a frame pixel is large enough to show its edges.
constexpr double GridFromZoom = 8.0;

// The outline's pixels: the edges of the rectangle without its right and
// bottom edge, each pixel once.
QRegion OutlinePixels(const Rect& r)
{
    if (r.empty())
        return {};
    QRegion pixels(r.left, r.top, r.width(), 1);
    pixels += QRect(r.left, r.bottom - 1, r.width(), 1);
    pixels += QRect(r.left, r.top, 1, r.height());
    pixels += QRect(r.right - 1, r.top, 1, r.height());
    return pixels;
}

}  // namespace

void FrameCanvas::setOutline(const Rect& outline)
{
    update(outlinePixels());
    outline_ = outline;
    update(outlinePixels());
}

void FrameCanvas::setGuides(std::optional<int> x, std::optional<int> y)
{
    if (x == guideX_ && y == guideY_)
        return;
    update(guidePixels());
    guideX_ = x;
    guideY_ = y;
    update(guidePixels());
}

QRegion FrameCanvas::outlinePixels() const
{
    return outline_.empty() ? QRegion() : OutlinePixels(ScreenRect(outline_, scale_));
}

QRegion FrameCanvas::guidePixels() const
{
    QRegion pixels;
    if (guideX_)
        pixels += QRect(ScreenEdge(*guideX_, scale_), 0, 1, height());
    if (guideY_)
        pixels += QRect(0, ScreenEdge(*guideY_, scale_), width(), 1);
    return pixels;
}

void FrameCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    paintFrame(painter, event->rect());
    if (!cel_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scale_ < 1.0);
        painter.drawImage(screenRectOf(celTarget_), cel_);
    }
    if (pixelGrid_ && scale_ >= GridFromZoom)
        paintGrid(painter, event->rect());
    paintOverlayLines(painter, event->region());
}

// At 100 % the image is copied as it is; above, each frame pixel becomes a
// square of screen pixels (nearest neighbour, as the extraction writes it);
// below, a smoothly shrunk copy is kept until the image or the zoom changes.
void FrameCanvas::paintFrame(QPainter& painter, const QRect& exposed)
{
    const QImage& image = displayImage();
    const QRect shown(0, 0, ScreenEdge(image.width(), scale_), ScreenEdge(image.height(), scale_));
    const QRect target = exposed & shown;
    if (!target.isEmpty()) {
        if (scale_ == 1.0) {
            painter.drawImage(target.topLeft(), image, target);
        } else if (scale_ < 1.0) {
            if (shrunk_.size() != shown.size())
                shrunk_ = image.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            painter.drawImage(target.topLeft(), shrunk_, target);
        } else {
            const int left = int(std::floor(target.left() / scale_));
            const int top = int(std::floor(target.top() / scale_));
            const int right = std::min(image.width(), int(std::ceil((target.right() + 1) / scale_)));
            const int bottom = std::min(image.height(), int(std::ceil((target.bottom() + 1) / scale_)));
            const QRect source(left, top, right - left, bottom - top);
            const QRect scaled(ScreenEdge(left, scale_), ScreenEdge(top, scale_),
                               ScreenEdge(right, scale_) - ScreenEdge(left, scale_),
                               ScreenEdge(bottom, scale_) - ScreenEdge(top, scale_));
            painter.save();
            painter.setClipRect(target);
            painter.drawImage(scaled, image, source);
            painter.restore();
        }
    }
    // Where a frame smaller than the canvas leaves it uncovered.
    for (const QRect& rest : QRegion(exposed).subtracted(QRegion(shown)))
        painter.fillRect(rest, palette().window());
}

void FrameCanvas::paintGrid(QPainter& painter, const QRect& exposed)
{
    painter.setPen(QColor(128, 128, 128, 120));
    const Point first = pixelAt(exposed.topLeft());
    const Point last = pixelAt(exposed.bottomRight());
    for (int x = first.x; x <= last.x + 1; ++x)
        painter.drawLine(ScreenEdge(x, scale_), exposed.top(), ScreenEdge(x, scale_), exposed.bottom());
    for (int y = first.y; y <= last.y + 1; ++y)
        painter.drawLine(exposed.left(), ScreenEdge(y, scale_), exposed.right(), ScreenEdge(y, scale_));
}

// White with difference composition inverts every colour channel.
void FrameCanvas::paintOverlayLines(QPainter& painter, const QRegion& dirty)
{
    const QRegion pixels = (outlinePixels() + guidePixels()) & dirty;
    if (pixels.isEmpty())
        return;
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    for (const QRect& rect : pixels)
        painter.fillRect(rect, Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace tolv::gui
