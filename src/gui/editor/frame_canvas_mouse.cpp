// The mouse gestures of the canvas: the rubber band on the bare canvas, the
// press, move drag and size drag of regions, and the pan of the view. Every
// position becomes a frame pixel first, so the gestures work alike at every
// zoom. Drag feedback is an inverted outline painted over the frame; the
// document changes only at the release, in one step.
#include "gui/editor/frame_canvas.h"

#include "document/document.h"
#include "document/selection_snapshot.h"
#include "editor/region_rules.h"
#include "editor/selection.h"
#include "editor/snapping.h"
#include "editor/view_mapping.h"
#include "gui/editor/region_item.h"

#include <QMouseEvent>
#include <QWheelEvent>

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

Rect Offset(const Rect& r, Point by)
{
    return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

}  // namespace

bool FrameCanvas::startPan(Qt::MouseButton button, const QPoint& globalPos)
{
    if (button != Qt::MiddleButton && !(button == Qt::LeftButton && spaceHeld_))
        return false;
    drag_.gesture = Gesture::Panning;
    panLast_ = globalPos;
    return true;
}

void FrameCanvas::panTo(const QPoint& globalPos)
{
    emit panRequested(globalPos - panLast_);
    panLast_ = globalPos;
}

void FrameCanvas::regionPressed(RegionItem& item, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (animating_ || (drag_.gesture != Gesture::None && drag_.gesture != Gesture::Pressed))
        return;
    if (startPan(button, item.mapToGlobal(local)))
        return;
    drag_.gesture = Gesture::Pressed;
    Region& region = item.region();
    const bool inHandle = InSizeHandle(item.width(), item.height(), ToPoint(local));
    const RegionPress press =
        ClassifyRegionPress(region, inHandle, modifiers.testFlag(Qt::ShiftModifier), button == Qt::LeftButton);
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
        dragSize(pixelAt(item.pos() + local));
    else
        item.sendBackIfEnclosing();
}

void FrameCanvas::regionMoved(RegionItem& item, QPoint local, Qt::MouseButtons buttons)
{
    if (drag_.gesture == Gesture::Panning) {
        panTo(item.mapToGlobal(local));
        return;
    }
    const Point pos = pixelAt(item.pos() + local);
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
    case Gesture::Panning:
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
    setGuides(std::nullopt, std::nullopt);
}

void FrameCanvas::dragMove(Point pos)
{
    pos = ClampToCanvas(pos, frameArea_.width(), frameArea_.height());
    if (drag_.gesture != Gesture::Moving) {
        drag_.gesture = Gesture::Moving;
        drag_.DragStart = drag_.DragPrev = pos;
        drag_.MoveOutline = SelectionBounds(project());
        snap_ = {};
    }
    drag_.DragPrev = pos;
    const Rect moved = Offset(drag_.MoveOutline, pos - drag_.DragStart);
    const Snap snap = snapping_ ? SnapMove(moved, SnapTargetsOf(project()), scale_) : Snap{};
    snap_ = snap.correction;
    setGuides(snap.guideX, snap.guideY);
    const Rect outline = Offset(moved, snap_);
    setOutline(outline);
    setStatus(StatusPanel::Geometry, ToQ(MovingText({outline.left, outline.top})));
}

// Status panel 1 ends with the geometry of the last region of the list moved.
void FrameCanvas::finishMove()
{
    endGesture();
    if (!document_.moveSelection(drag_.DragPrev - drag_.DragStart + snap_))
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
    Point corner = pos + drag_.SizeGrab;
    const Snap snap = snapping_ ? SnapResize(BandRect(drag_.DragStart, corner), SnapTargetsOf(project()), scale_)
                                : Snap{};
    corner = corner + snap.correction;
    setGuides(snap.guideX, snap.guideY);
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
    if (startPan(event->button(), event->globalPosition().toPoint()))
        return;
    setStatus(StatusPanel::Geometry, ToQ(BackgroundText(frameArea_.width(), frameArea_.height())));
    if (!(event->modifiers() & Qt::ShiftModifier) && project().CurrentRegion)
        document_.changeSelection([](Project& p) { DeselectAll(p); });
    drag_.gesture = Gesture::Band;
    screenStart_ = event->position().toPoint();
}

void FrameCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (drag_.gesture == Gesture::Panning) {
        panTo(event->globalPosition().toPoint());
        return;
    }
    const QPoint screen = event->position().toPoint();
    setStatus(StatusPanel::Pointer, ToQ(PointerText(pixelAt(screen))));
    if (drag_.gesture == Gesture::Band)
        setOutline(BandPixels(ToPoint(screenStart_), ToPoint(screen), scale_));
}

void FrameCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    switch (drag_.gesture) {
    case Gesture::Band:
        finishBand(event->position().toPoint());
        break;
    case Gesture::Moving:
        finishMove();
        break;
    case Gesture::Panning:
        drag_.gesture = Gesture::None;
        break;
    default:
        break;
    }
}

void FrameCanvas::finishBand(QPoint end)
{
    endGesture();
    const Rect band = BandPixels(ToPoint(screenStart_), ToPoint(end), scale_);
    bool caught = false;
    document_.changeSelection([&](Project& p) { caught = !CatchBand(p, band).empty(); });
    if (!caught && BandCreatesRegion(band))
        emit bandDrawn(band);
}

// Ctrl+wheel zooms by whole notches; the rest of the wheel scrolls the view.
void FrameCanvas::wheelEvent(QWheelEvent* event)
{
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    event->accept();
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        emit zoomRequested(notches, event->position().toPoint());
}

}  // namespace tolv::gui
