// The drag outline: a one-pixel rectangle that inverts the pixels under it,
// painted over the frame by the canvas's paint handler. Moving it repaints
// only the old and the new outline pixels.
#include "gui/editor/frame_canvas.h"

#include <QPainter>

namespace tolv::gui {

namespace {

// The outline's pixels: its edges without the right and bottom edge of the
// rectangle itself, each pixel once.
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
    update(OutlinePixels(outline_));
    outline_ = outline;
    update(OutlinePixels(outline_));
}

void FrameCanvas::paintOutline(QPainter& painter, const QRegion& dirty)
{
    const QRegion pixels = OutlinePixels(outline_) & dirty;
    if (pixels.isEmpty())
        return;
    // White with difference composition inverts every colour channel, so the
    // outline shows on any frame.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    for (const QRect& rect : pixels)
        painter.fillRect(rect, Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace tolv::gui
