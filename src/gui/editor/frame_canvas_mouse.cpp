// The mouse gestures of the canvas: the rubber band on the bare canvas, and
// the press, move drag and size drag of regions. Drag feedback is an
// inverted outline painted over the frame; the document changes only at the
// release, in one step.
#include "gui/editor/frame_canvas.h"

#include "document/document.h"
#include "document/selection_snapshot.h"
#include "editor/region_rules.h"
#include "editor/selection.h"
#include "gui/editor/region_item.h"

#include <QMouseEvent>

namespace tolv::gui {

namespace {

Point ToPoint(const QPoint& p)
{
    return {p.x(), p.y()};
}

QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

void FrameCanvas::regionPressed(RegionItem& item, QPoint local, Qt::MouseButton button, bool shift)
{
    if (animating_ || drag_.gesture == Gesture::Moving || drag_.gesture == Gesture::Sizing)
        return;
    drag_.gesture = Gesture::Pressed;
    Region& region = item.region();
    const RegionPress press = ClassifyRegionPress(region, ToPoint(local), shift, button == Qt::LeftButton);
    switch (press) {
    case RegionPress::Nothing:
        return;
    case RegionPress::JoinGroup:
        document_.changeSelection([&region](Project& p) {
            if (p.CurrentRegion)
                SetState(p, *p.CurrentRegion, SelectionState::Group);
            SetState(p, region, SelectionState::Group);
            p.SelIndex = region.PickIndex;
        });
        return;
    case RegionPress::ToGroup:
        document_.changeSelection([&region](Project& p) { SetState(p, region, SelectionState::Group); });
        return;
    case RegionPress::StartSize:
    case RegionPress::SelectAlone: {
        const bool entersCurrent = region.Selected != SelectionState::Current;
        document_.changeSelection([&region](Project& p) {
            if (p.Regions.size() > 1)
                DeselectAll(p);
            SetState(p, region, SelectionState::Current);
            p.SelIndex = region.PickIndex;
        });
        if (entersCurrent)
            setStatus(StatusPanel::Geometry, ToQ(GeometryText(region)));
        break;
    }
    }
    if (press == RegionPress::StartSize)
        dragSize(ToPoint(item.pos() + local));
    else
        item.sendBackIfEnclosing();
}

void FrameCanvas::regionMoved(RegionItem& item, QPoint local, Qt::MouseButtons buttons)
{
    const Point pos = ToPoint(item.pos() + local);
    setStatus(StatusPanel::Pointer, ToQ(PointerText(pos)));
    const bool onRegion = drag_.gesture == Gesture::Pressed || drag_.gesture == Gesture::Moving
                          || drag_.gesture == Gesture::Sizing;
    if (!onRegion || project().LockObj || !(buttons & Qt::LeftButton))
        return;
    if (pos == drag_.LastDragPos)
        return;
    if (drag_.gesture == Gesture::Sizing)
        dragSize(pos);
    else
        dragMove(pos);
    drag_.LastDragPos = pos;
}

void FrameCanvas::regionReleased()
{
    switch (drag_.gesture) {
    case Gesture::Moving:
        finishMove();
        break;
    case Gesture::Sizing:
        finishSize();
        break;
    case Gesture::Pressed:
        drag_.gesture = Gesture::None;
        break;
    case Gesture::None:
    case Gesture::Band:
        break;
    }
}

bool FrameCanvas::abortGesture()
{
    if (drag_.gesture == Gesture::None)
        return false;
    endGesture();
    return true;
}

void FrameCanvas::endGesture()
{
    drag_.gesture = Gesture::None;
    clearOutline();
}

void FrameCanvas::dragMove(Point pos)
{
    pos = ClampToCanvas(pos, width(), height());
    if (drag_.gesture != Gesture::Moving) {
        drag_.gesture = Gesture::Moving;
        drag_.DragStart = drag_.DragPrev = pos;
        drag_.MoveOutline = SelectionBounds(project());
    }
    const Point step = pos - drag_.DragPrev;
    Rect& outline = drag_.MoveOutline;
    outline = {outline.left + step.x, outline.top + step.y, outline.right + step.x, outline.bottom + step.y};
    setOutline(outline);
    drag_.DragPrev = pos;
    setStatus(StatusPanel::Geometry, ToQ(MovingText({outline.left, outline.top})));
}

// Status panel 1 ends with the geometry of the last region of the list moved.
void FrameCanvas::finishMove()
{
    endGesture();
    if (!document_.moveSelection(drag_.DragPrev - drag_.DragStart))
        return;
    const std::vector<int> moved = SelectedPositions(project());
    if (!moved.empty())
        setStatus(StatusPanel::Geometry, ToQ(GeometryText(*project().Regions[std::size_t(moved.back())])));
}

void FrameCanvas::dragSize(Point pos)
{
    const Region* region = project().CurrentRegion;
    if (!region)
        return;
    if (drag_.gesture != Gesture::Sizing) {
        drag_.DragStart = {region->Left, region->Top};
        drag_.SizeGrab = SizeGrabAt(*region, pos);
        drag_.gesture = Gesture::Sizing;
    }
    const Point corner = pos + drag_.SizeGrab;
    setOutline(BandRect(drag_.DragStart, corner));
    drag_.DragPrev = corner;
    setStatus(StatusPanel::Geometry, ToQ(SizingText(corner - drag_.DragStart)));
}

void FrameCanvas::finishSize()
{
    endGesture();
    const Region* region = project().CurrentRegion;
    if (!region)
        return;
    const Point size = drag_.DragPrev - drag_.DragStart;
    document_.resizeCurrent(size.x, size.y);
    setStatus(StatusPanel::Geometry, ToQ(GeometryText(*region)));
}

void FrameCanvas::mousePressEvent(QMouseEvent* event)
{
    if (animating_ || drag_.gesture != Gesture::None)
        return;
    setStatus(StatusPanel::Geometry, ToQ(BackgroundText(width(), height())));
    if (!(event->modifiers() & Qt::ShiftModifier) && project().CurrentRegion)
        document_.changeSelection([](Project& p) { DeselectAll(p); });
    drag_.gesture = Gesture::Band;
    drag_.DragStart = drag_.DragPrev = ToPoint(event->position().toPoint());
}

void FrameCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const Point pos = ToPoint(event->position().toPoint());
    setStatus(StatusPanel::Pointer, ToQ(PointerText(pos)));
    if (drag_.gesture != Gesture::Band)
        return;
    setOutline(BandRect(drag_.DragStart, pos));
    drag_.DragPrev = pos;
}

void FrameCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (drag_.gesture == Gesture::Band)
        finishBand(ToPoint(event->position().toPoint()));
    else if (drag_.gesture == Gesture::Moving)
        finishMove();
}

void FrameCanvas::finishBand(Point end)
{
    endGesture();
    const Rect band = BandRect(drag_.DragStart, end);
    bool caught = false;
    document_.changeSelection([&](Project& p) { caught = !CatchBand(p, band).empty(); });
    if (!caught && BandCreatesRegion(band))
        emit bandDrawn(band);
}

}  // namespace tolv::gui
