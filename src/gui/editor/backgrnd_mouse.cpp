// The mouse gestures of the canvas: the rubber band on the bare canvas, and
// the press, move drag and size drag of regions. Drag feedback is an
// inverted outline painted over the frame; the frame image and the region
// items stay as they are until the release.
#include "gui/editor/backgrnd.h"

#include "editor/region_rules.h"
#include "editor/selection.h"
#include "gui/editor/region_item.h"
#include "gui/project/main_form.h"

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

void TBackgrnd::RegionMouseDown(tRegion& item, QPoint local, Qt::MouseButton button, bool shift)
{
    if (form_.Animating)
        return;
    drag_.RegionPressed = true;
    if (drag_.Moving || drag_.Sizing)
        return;
    Project& p = project();
    Region& region = item.region();
    const RegionPress press = ClassifyRegionPress(region, ToPoint(local), shift, button == Qt::LeftButton);
    switch (press) {
    case RegionPress::Nothing:
        return;
    case RegionPress::JoinGroup:
        if (p.CurrentRegion)
            ItemOf(p.CurrentRegion)->SetState(GroupSelected);
        item.SetState(GroupSelected);
        p.SelIndex = region.PickIndex;
        item.UpdateGUI();
        return;
    case RegionPress::ToGroup:
        item.SetState(GroupSelected);
        return;
    case RegionPress::StartSize:
    case RegionPress::SelectAlone:
        if (p.Regions.size() > 1)
            DeselectAll();
        item.SetState(CurrentSelected);
        p.SelIndex = region.PickIndex;
        item.UpdateGUI();
        break;
    }
    if (press == RegionPress::StartSize)
        DragSize(ToPoint(item.pos() + local));
    else
        item.SendBackIfEnclosing();
}

void TBackgrnd::RegionMouseMove(tRegion& item, QPoint local, Qt::MouseButtons buttons)
{
    const Point pos = ToPoint(item.pos() + local);
    form_.SetStatus(0, ToQ(PointerText(pos)));
    if (!drag_.RegionPressed || project().LockObj || !(buttons & Qt::LeftButton))
        return;
    if (pos == drag_.LastDragPos)
        return;
    if (drag_.Sizing)
        DragSize(pos);
    else
        DragMove(pos);
    drag_.LastDragPos = pos;
}

void TBackgrnd::RegionMouseUp()
{
    drag_.RegionPressed = false;
    if (drag_.Moving)
        EndMove();
    else if (drag_.Sizing)
        EndSize();
}

void TBackgrnd::DragMove(Point pos)
{
    pos = ClampToCanvas(pos, width(), height());
    if (!drag_.Moving) {
        drag_.Moving = true;
        drag_.DragStart = drag_.DragPrev = pos;
        drag_.MoveOutline = SelectionBounds(project());
    }
    const Point step = pos - drag_.DragPrev;
    Rect& outline = drag_.MoveOutline;
    outline = {outline.left + step.x, outline.top + step.y, outline.right + step.x, outline.bottom + step.y};
    SetOutline(outline);
    drag_.DragPrev = pos;
    form_.SetStatus(1, ToQ(MovingText({outline.left, outline.top})));
}

void TBackgrnd::EndMove()
{
    drag_.Moving = false;
    ClearOutline();
    bool repaint = false;
    for (Region* region : MoveSelectionBy(project(), drag_.DragPrev - drag_.DragStart)) {
        repaint = repaint || PaintedOnFrame(*region, form_.ShowPaintAll);
        ItemOf(region)->Sync();
        form_.SetStatus(1, ToQ(GeometryText(*region)));
    }
    if (repaint)
        PaintPrefilter(true);
}

void TBackgrnd::DragSize(Point pos)
{
    const Region* region = project().CurrentRegion;
    if (!region)
        return;
    if (!drag_.Sizing) {
        drag_.DragStart = {region->Left, region->Top};
        drag_.SizeGrab = SizeGrabAt(*region, pos);
        drag_.Sizing = true;
    }
    const Point corner = pos + drag_.SizeGrab;
    SetOutline(BandRect(drag_.DragStart, corner));
    drag_.DragPrev = corner;
    form_.SetStatus(1, ToQ(SizingText(corner - drag_.DragStart)));
}

void TBackgrnd::EndSize()
{
    drag_.Sizing = false;
    ClearOutline();
    Region* region = project().CurrentRegion;
    if (!region)
        return;
    const Point size = drag_.DragPrev - drag_.DragStart;
    SetSize(project(), *region, size.x, size.y);
    form_.SetStatus(1, ToQ(GeometryText(*region)));
    ItemOf(region)->Sync();
    if (PaintedOnFrame(*region, form_.ShowPaintAll))
        PaintPrefilter(true);
}

void TBackgrnd::mousePressEvent(QMouseEvent* event)
{
    if (form_.Animating)
        return;
    drag_.CanvasPressed = true;
    form_.SetStatus(1, ToQ(BackgroundText(width(), height())));
    if (!(event->modifiers() & Qt::ShiftModifier) && project().CurrentRegion) {
        DeselectAll();
        ShowNoSelection();
    }
    if (!drag_.Banding) {
        drag_.Banding = true;
        drag_.DragStart = drag_.DragPrev = ToPoint(event->position().toPoint());
    }
}

void TBackgrnd::mouseMoveEvent(QMouseEvent* event)
{
    const Point pos = ToPoint(event->position().toPoint());
    form_.SetStatus(0, ToQ(PointerText(pos)));
    if (!drag_.CanvasPressed || !drag_.Banding)
        return;
    SetOutline(BandRect(drag_.DragStart, pos));
    drag_.DragPrev = pos;
}

void TBackgrnd::mouseReleaseEvent(QMouseEvent* event)
{
    drag_.CanvasPressed = false;
    if (drag_.Banding)
        EndBand(ToPoint(event->position().toPoint()));
    else if (drag_.Moving)
        EndMove();
}

void TBackgrnd::EndBand(Point end)
{
    drag_.Banding = false;
    ClearOutline();
    const Rect band = BandRect(drag_.DragStart, end);
    const bool caught = !CatchBand(project(), band).empty();
    SyncItems();
    if (caught || !BandCreatesRegion(band))
        return;
    const bool created = EditRegion(true, band.left, band.top, band.width(), band.height());
    form_.SetStatus(1, created ? ToQ(BandGeometryText(band)) : QString(" "));
}

}  // namespace tolv::gui
