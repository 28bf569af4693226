// The canvas's grid of the regions, kept in step with the document, and the
// hit tests that go through it.
#include "gui/editor/frame_canvas.h"

#include "document/document.h"
#include "editor/region_rules.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

namespace tolv::gui {

namespace {

bool SameRect(const Region& a, const Region& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

}  // namespace

// Before anything of a new project or frame area shows: every region
// indexed afresh, no gesture.
void FrameCanvas::rebuildGrid()
{
    endGesture();
    grid_.reset(frameArea_.width(), frameArea_.height());
    for (const auto& region : project().Regions)
        grid_.insert(*region);
    update();
}

void FrameCanvas::followRegions(const DocumentChange& change)
{
    // A gesture on a region that goes away ends with it.
    if (!change.removed.empty())
        endGesture();
    for (const Region* region : change.removed)
        grid_.remove(*region);
    for (Region* region : change.added)
        grid_.insert(*region);
    for (const RegionChange& changed : change.changed)
        grid_.update(*changed.region);
    // Selection marks, names and hidden regions may have changed anywhere.
    update();
}

Region* FrameCanvas::regionAt(const QPoint& canvasPos) const
{
    const Point first = pixelAt(canvasPos);
    const Point last = pixelAt(canvasPos + QPoint(1, 1));
    std::vector<Region*> hits = grid_.meeting({first.x, first.y, last.x + 1, last.y + 1});
    std::erase_if(hits, [&](const Region* r) { return !r->Visible || !screenRectOf(*r).contains(canvasPos); });
    const auto enclosesAnother = [&hits](const Region* outer) {
        return std::any_of(hits.begin(), hits.end(), [outer](const Region* inner) {
            return inner != outer && Encloses(*outer, *inner) && !SameRect(*outer, *inner);
        });
    };
    const Selection& selection = project().selection;
    Region* found = nullptr;
    for (Region* hit : hits)
        if (!enclosesAnother(hit) && (!found || selection.positionOf(*hit) > selection.positionOf(*found)))
            found = hit;
    return found;
}

QString FrameCanvas::hintAt(const QPoint& canvasPos) const
{
    const Region* region = regionAt(canvasPos);
    return region ? QString::fromStdString(HintText(*region)) : QString();
}

std::optional<QRect> FrameCanvas::shownRect(const Region& region) const
{
    const Rect* indexed = grid_.indexedRect(region);
    if (!indexed || !region.Visible)
        return std::nullopt;
    return screenRectOf(QRect(indexed->left, indexed->top, indexed->width(), indexed->height()));
}

void FrameCanvas::takeMarginPresses(QWidget* viewport)
{
    margin_ = viewport;
    viewport->installEventFilter(this);
}

// The viewport sees only the presses beside the canvas, and the moves and
// the release that follow them while it holds the mouse.
bool FrameCanvas::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != margin_)
        return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseMove && drag_.gesture == Gesture::None)
        return false;
    QMouseEvent here(type, mapFrom(margin_, mouse->position()), mouse->scenePosition(), mouse->globalPosition(),
                     mouse->button(), mouse->buttons(), mouse->modifiers());
    if (type == QEvent::MouseButtonPress)
        mousePressEvent(&here);
    else if (type == QEvent::MouseMove)
        mouseMoveEvent(&here);
    else
        mouseReleaseEvent(&here);
    return true;
}

}  // namespace tolv::gui
