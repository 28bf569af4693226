// The mouse gestures of the canvas: the rubber band on the bare frame, beside
// it, over the background and with Ctrl anywhere, the
// press, move drag and size drag of regions, and the pan of the view. Every
// position becomes a frame pixel first, so the gestures work alike at every
// zoom. Drag feedback is an inverted outline painted over the frame; the
// document changes only at the release, in one step.
#include "gui/editor/frame_canvas.h"

#include "document/document.h"
#include "document/selection_snapshot.h"
#include "editor/frame_rule.h"
#include "editor/region_rules.h"
#include "editor/selection.h"
#include "editor/snapping.h"
#include "editor/view_mapping.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QToolTip>
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

// A press that lands on a region takes hold of it, unless Ctrl (or Alt,
// where the desktop keeps Ctrl for itself) asks for a band, or the region is
// the frame's background and the press lies inside it.
void FrameCanvas::press(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    pressButton_ = button;
    pressModifiers_ = modifiers;
    const bool bandAsked = modifiers & (Qt::ControlModifier | Qt::AltModifier);
    Region* region = bandAsked ? nullptr : regionAt(pos);
    if (region && !drawsBandOver(*region, pos, button)) {
        pressRegion(*region, pos, button, modifiers);
        return;
    }
    backgroundPressed_ = region;
    startBand(pos, !region);
}

// Inside a region that covers the whole frame, away from its edges, its
// marker and its size handle, a left drag draws a band.
bool FrameCanvas::drawsBandOver(const Region& region, QPoint pos, Qt::MouseButton button) const
{
    constexpr int EdgeZone = 4;
    const QRect shown = screenRectOf(region);
    const bool nearEdge = !shown.adjusted(EdgeZone, EdgeZone, -EdgeZone, -EdgeZone).contains(pos);
    const bool onHandle = project().selection.stateOf(region) == SelectionState::Current
                          && InSizeHandle(shown.width(), shown.height(), ToPoint(pos - shown.topLeft()));
    return button == Qt::LeftButton && CoversFrame(project(), region) && !nearEdge && !onHandle
           && !backgroundMarker().contains(pos);
}

void FrameCanvas::pressRegion(Region& region, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    drag_.gesture = Gesture::Pressed;
    // A move drag goes by the offset from the press, not from the first
    // motion, so the region stays under the pointer at every zoom.
    drag_.DragStart = drag_.LastDragPos = ClampToCanvas(pixelAt(pos), frameArea_.width(), frameArea_.height());
    const QRect shown = screenRectOf(region);
    const bool inHandle = InSizeHandle(shown.width(), shown.height(), ToPoint(pos - shown.topLeft()));
    const Selection& selection = project().selection;
    const SelectionState state = selection.stateOf(region);
    const int position = selection.positionOf(region);
    const RegionPress press =
        ClassifyRegionPress(state, inHandle, modifiers.testFlag(Qt::ShiftModifier), button == Qt::LeftButton);
    switch (press) {
    case RegionPress::Nothing:
        return;
    case RegionPress::JoinGroup:
        document_.changeSelection({SelectionOp::Kind::JoinGroup, position});
        return;
    case RegionPress::ToGroup:
        document_.changeSelection({SelectionOp::Kind::AddToGroup, position});
        return;
    case RegionPress::StartSize:
    case RegionPress::SelectAlone: {
        const bool entersCurrent = state != SelectionState::Current;
        document_.changeSelection({SelectionOp::Kind::SelectAlone, position});
        if (entersCurrent)
            setStatus(StatusPanel::Geometry, ToQ(GeometryText(region)));
        break;
    }
    }
    if (press == RegionPress::StartSize)
        dragSize(pixelAt(pos));
}

void FrameCanvas::startBand(QPoint pos, bool deselect)
{
    drag_.gesture = Gesture::Band;
    screenStart_ = pos;
    if (!deselect)
        return;
    setStatus(StatusPanel::Geometry, ToQ(BackgroundText(frameArea_.width(), frameArea_.height())));
    if (!(pressModifiers_ & Qt::ShiftModifier) && project().selection.current())
        document_.changeSelection({SelectionOp::Kind::DeselectAll});
}

// Over the background the band starts once the pointer has gone the
// system's drag distance; until then the press is a click on the background.
void FrameCanvas::bandTo(QPoint pos)
{
    if (backgroundPressed_) {
        if ((pos - screenStart_).manhattanLength() < QApplication::startDragDistance())
            return;
        backgroundPressed_ = nullptr;
        startBand(screenStart_, true);
    }
    setOutline(bandAt(pos));
}

// A band is held to the frame, also when it starts on the margin beside it.
Rect FrameCanvas::bandAt(QPoint end) const
{
    const Rect band = BandPixels(ToPoint(screenStart_), ToPoint(end), scale_);
    return {std::max(band.left, 0), std::max(band.top, 0), std::min(band.right, frameArea_.width()),
            std::min(band.bottom, frameArea_.height())};
}

void FrameCanvas::dragTo(Point pos, Qt::MouseButtons buttons)
{
    if (project().LockObj || !(buttons & Qt::LeftButton))
        return;
    if (pos == drag_.LastDragPos)
        return;
    if (drag_.gesture == Gesture::Sizing)
        dragSize(pos);
    else
        dragMove(pos);
    drag_.LastDragPos = pos;
}

void FrameCanvas::release(QPoint pos)
{
    switch (drag_.gesture) {
    case Gesture::Band:
        if (Region* background = backgroundPressed_) {
            endGesture();
            pressRegion(*background, screenStart_, pressButton_, pressModifiers_);
            drag_.gesture = Gesture::None;
        } else {
            finishBand(pos);
        }
        break;
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
    backgroundPressed_ = nullptr;
    clearOutline();
    setGuides(std::nullopt, std::nullopt);
}

void FrameCanvas::dragMove(Point pos)
{
    pos = ClampToCanvas(pos, frameArea_.width(), frameArea_.height());
    if (drag_.gesture != Gesture::Moving) {
        drag_.gesture = Gesture::Moving;
        drag_.MoveOutline = SelectionBounds(project());
        snap_ = {};
    }
    drag_.DragPrev = pos;
    const Rect moved = Offset(drag_.MoveOutline, pos - drag_.DragStart);
    const Snap snap = snapping_ ? SnapMove(moved, SnapTargetsOf(project()), scale_) : Snap{};
    snap_ = snap.correction;
    setGuides(snap.guideX, snap.guideY);
    // The outline shows where the release puts the selection.
    const Rect outline = Offset(drag_.MoveOutline, AllowedSelectionMove(project(), pos - drag_.DragStart + snap_));
    setOutline(outline);
    setStatus(StatusPanel::Geometry, ToQ(MovingText({outline.left, outline.top})));
}

// Status panel 1 ends with the geometry of the last region of the list moved.
void FrameCanvas::finishMove()
{
    endGesture();
    if (!document_.moveSelection(drag_.DragPrev - drag_.DragStart + snap_))
        return;
    const std::vector<int> moved = project().selection.positions();
    if (!moved.empty())
        setStatus(StatusPanel::Geometry, ToQ(GeometryText(*project().Regions[std::size_t(moved.back())])));
}

void FrameCanvas::dragSize(Point pos)
{
    const Region* region = project().selection.current();
    if (!region)
        return;
    if (drag_.gesture != Gesture::Sizing) {
        drag_.DragStart = {region->Left, region->Top};
        drag_.SizeGrab = SizeGrabAt(*region, pos);
        drag_.gesture = Gesture::Sizing;
    }
    Point corner = pos + drag_.SizeGrab;
    const Snap snap =
        snapping_ ? SnapResize(BandRect(drag_.DragStart, corner), SnapTargetsOf(project()), scale_) : Snap{};
    corner = corner + snap.correction;
    setGuides(snap.guideX, snap.guideY);
    drag_.DragPrev = corner;
    // The outline shows the size the release gives the region.
    const Point size = AllowedCurrentSize(project(), corner - drag_.DragStart);
    setOutline(BandRect(drag_.DragStart, drag_.DragStart + size));
    setStatus(StatusPanel::Geometry, ToQ(SizingText(size)));
}

void FrameCanvas::finishSize()
{
    endGesture();
    const Region* region = project().selection.current();
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
    press(event->position().toPoint(), event->button(), event->modifiers());
}

void FrameCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (drag_.gesture == Gesture::Panning) {
        panTo(event->globalPosition().toPoint());
        return;
    }
    const QPoint screen = event->position().toPoint();
    const Point pos = pixelAt(screen);
    setStatus(StatusPanel::Pointer, ToQ(PointerText(pos)));
    switch (drag_.gesture) {
    case Gesture::None:
        showHover(screen);
        break;
    case Gesture::Band:
        bandTo(screen);
        break;
    case Gesture::Pressed:
    case Gesture::Moving:
    case Gesture::Sizing:
        dragTo(pos, event->buttons());
        break;
    case Gesture::Panning:
        break;
    }
}

void FrameCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    release(event->position().toPoint());
}

void FrameCanvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && regionAt(event->position().toPoint()))
        emit regionDoubleClicked();
    else
        QWidget::mouseDoubleClickEvent(event);
}

// The menu takes the mouse, so the canvas does not see the release.
void FrameCanvas::contextMenuEvent(QContextMenuEvent* event)
{
    if (!regionAt(event->pos())) {
        event->ignore();
        return;
    }
    release(event->pos());
    emit regionMenuRequested(event->globalPos());
}

// A pointing hand over what a press takes hold of.
void FrameCanvas::showHover(QPoint pos)
{
    const Region* region = regionAt(pos);
    const bool hand = region && !drawsBandOver(*region, pos, Qt::LeftButton);
    if (hand == handCursor_)
        return;
    handCursor_ = hand;
    if (hand)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

bool FrameCanvas::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString hint = hintAt(help->pos());
    if (hint.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), hint, this);
    }
    return true;
}

void FrameCanvas::finishBand(QPoint end)
{
    endGesture();
    const Rect band = bandAt(end);
    if (!document_.catchBand(band) && BandCreatesRegion(band))
        emit bandDrawn(band);
}

// Ctrl+wheel zooms a level per notch; touchpads and fine wheels turn in
// parts of a notch, which add up. The rest of the wheel scrolls the view.
void FrameCanvas::wheelEvent(QWheelEvent* event)
{
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    event->accept();
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        emit zoomRequested(notches, event->position().toPoint());
}

}  // namespace tolv::gui
