#include "gui/editor/region_item.h"

#include "editor/region_rules.h"
#include "editor/selection.h"
#include "gui/editor/backgrnd.h"
#include "gui/project/main_form.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include <span>

namespace tolv::gui {

namespace {

constexpr int SizeHandle = 6;

QColor ToQColor(Color color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

bool PaintedIntoFrames(const Region& region)
{
    return region.RegionType == RegionKind::TextBox || region.RegionType == RegionKind::Overlay;
}

// The on and off runs, in pixels, of the system's cosmetic pens, as the core
// raster strokes them: dotted 3-3, dash-dot 9-6-3-6.
constexpr int DotRuns[] = {3, 3};
constexpr int DashDotRuns[] = {9, 6, 3, 6};

bool RunIsOn(std::span<const int> runs, int step)
{
    int period = 0;
    for (int run : runs)
        period += run;
    int position = step % period;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (position < runs[i])
            return i % 2 == 0;
        position -= runs[i];
    }
    return false;
}

// The one-pixel outline of a width x height rectangle with a dashed pen:
// clockwise from the top-left corner, each side without its end point, the
// pattern carrying on from side to side. The gaps stay transparent.
void DashedOutline(QPainter& painter, int width, int height, const QColor& color, std::span<const int> runs)
{
    struct Side {
        int x, y, dx, dy, steps;
    };
    const Side sides[] = {{0, 0, 1, 0, width - 1},
                          {width - 1, 0, 0, 1, height - 1},
                          {width - 1, height - 1, -1, 0, width - 1},
                          {0, height - 1, 0, -1, height - 1}};
    int phase = 0;
    for (const Side& side : sides) {
        // Each dash is filled as one rectangle from its first to its last pixel.
        int dashStart = -1;
        for (int i = 0; i <= side.steps; ++i) {
            const bool on = i < side.steps && RunIsOn(runs, phase + i);
            if (on && dashStart < 0)
                dashStart = i;
            if (!on && dashStart >= 0) {
                const QPoint first(side.x + side.dx * dashStart, side.y + side.dy * dashStart);
                const QPoint last(side.x + side.dx * (i - 1), side.y + side.dy * (i - 1));
                painter.fillRect(QRect(first, last).normalized(), color);
                dashStart = -1;
            }
        }
        phase += side.steps;
    }
}

}  // namespace

tRegion::tRegion(TBackgrnd& canvas, Region& region) : QWidget(&canvas), canvas_(canvas), region_(region)
{
    setObjectName("tRegion");
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    paintedState_ = region_.Selected;
    Sync();
}

void tRegion::Sync()
{
    setGeometry(region_.Left, region_.Top, region_.Width, region_.Height);
    SetHint();
    setVisible(region_.Visible);
    if (paintedState_ != region_.Selected) {
        paintedState_ = region_.Selected;
        update();
    }
}

void tRegion::SetHint()
{
    setToolTip(QString::fromStdString(HintText(region_)));
}

void tRegion::SetState(int state)
{
    if (!tolv::SetState(canvas_.project(), region_, state))
        return;
    if (state == CurrentSelected)
        canvas_.Form().SetStatus(1, QString::fromStdString(GeometryText(region_)));
    Sync();
}

void tRegion::UpdateGUI()
{
    TMainForm& form = canvas_.Form();
    if (form.Animating)
        return;
    const MainControls& ui = form.Ui();
    const bool hidden = !region_.Visible;
    ui.qPick->setCurrentIndex(region_.PickIndex);
    ui.tbhidden->setEnabled(true);
    ui.tbhidden->setChecked(hidden);
    for (QAction* hide : {ui.HideObj, ui.Hideobject1}) {
        hide->setEnabled(true);
        hide->setChecked(hidden);
    }
    ui.Prop1->setEnabled(true);
    ui.Properties1->setEnabled(true);
    ui.Delete1->setEnabled(!canvas_.project().LockObj);
    ui.Delete2->setEnabled(!canvas_.project().LockObj);
    for (QAction* action : {ui.Duplicate1, ui.Duplicate2, ui.Animate1, ui.Animate2})
        action->setEnabled(true);
    form.SetStatus(2, " Region: " + QString::fromStdString(PickText(region_)));
}

void tRegion::Set_qPick()
{
    canvas_.Form().Ui().qPick->setItemText(region_.PickIndex, QString::fromStdString(PickText(region_)));
}

void tRegion::RegionCmd(int cmd)
{
    if (canvas_.Form().Animating)
        return;
    const bool hide = cmd == 1 && region_.Visible;
    const bool show = cmd == 2 && !region_.Visible;
    if (!hide && !show)
        return;
    canvas_.project().Modified = true;
    region_.Visible = show;
    Sync();
    Set_qPick();
    if (PaintedIntoFrames(region_))
        canvas_.PaintPrefilter(true);
    UpdateGUI();
}

void tRegion::SendBackIfEnclosing()
{
    for (const auto& other : canvas_.project().Regions) {
        if (other.get() != &region_ && Encloses(region_, *other)) {
            lower();
            return;
        }
    }
}

void tRegion::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    switch (region_.Selected) {
    case CurrentSelected:
        DashedOutline(painter, width(), height(), ToQColor(colors::Yellow), DashDotRuns);
        break;
    case GroupSelected:
        DashedOutline(painter, width(), height(), ToQColor(colors::Aqua), DashDotRuns);
        break;
    default:
        DashedOutline(painter, width(), height(), ToQColor(colors::Black), DotRuns);
    }
    if (region_.Selected == CurrentSelected)
        painter.fillRect(width() - SizeHandle, height() - SizeHandle, SizeHandle, SizeHandle, ToQColor(colors::Lime));
}

void tRegion::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu takes the mouse, so this item does not see the release.
    canvas_.RegionMouseUp();
    canvas_.Form().Ui().ObjContext->popup(event->globalPos());
}

void tRegion::mousePressEvent(QMouseEvent* event)
{
    canvas_.RegionMouseDown(*this, event->position().toPoint(), event->button(),
                            event->modifiers().testFlag(Qt::ShiftModifier));
}

void tRegion::mouseMoveEvent(QMouseEvent* event)
{
    canvas_.RegionMouseMove(*this, event->position().toPoint(), event->buttons());
}

void tRegion::mouseReleaseEvent(QMouseEvent*)
{
    canvas_.RegionMouseUp();
}

}  // namespace tolv::gui
