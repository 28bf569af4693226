#include "gui/editor/region_item.h"

#include "editor/drag_rules.h"
#include "editor/region_rules.h"
#include "gui/common/qt_colour.h"
#include "gui/editor/frame_canvas.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <span>

namespace tolv::gui {

namespace {

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
                const int x1 = side.x + side.dx * dashStart, y1 = side.y + side.dy * dashStart;
                const int x2 = side.x + side.dx * (i - 1), y2 = side.y + side.dy * (i - 1);
                // Built from its corners in order: QRect::normalized() would
                // drop the end pixels of a dash drawn right to left or upwards.
                painter.fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                                       QPoint(std::max(x1, x2), std::max(y1, y2))),
                                 color);
                dashStart = -1;
            }
        }
        phase += side.steps;
    }
}

}  // namespace

RegionItem::RegionItem(FrameCanvas& canvas, Region& region) : QWidget(&canvas), canvas_(canvas), region_(region)
{
    setObjectName("regionItem");
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    paintedState_ = region_.Selected;
    sync();
}

void RegionItem::sync()
{
    setGeometry(canvas_.screenRectOf(region_));
    setToolTip(QString::fromStdString(HintText(region_)));
    setVisible(region_.Visible);
    if (paintedState_ != region_.Selected) {
        paintedState_ = region_.Selected;
        update();
    }
}

void RegionItem::sendBackIfEnclosing()
{
    for (const auto& other : canvas_.project().Regions) {
        if (other.get() != &region_ && Encloses(region_, *other)) {
            lower();
            return;
        }
    }
}

void RegionItem::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    switch (region_.Selected) {
    case SelectionState::Current:
        DashedOutline(painter, width(), height(), ToQColor(colors::Yellow), DashDotRuns);
        break;
    case SelectionState::Group:
        DashedOutline(painter, width(), height(), ToQColor(colors::Aqua), DashDotRuns);
        break;
    default:
        DashedOutline(painter, width(), height(), ToQColor(colors::Black), DotRuns);
    }
    if (region_.Selected == SelectionState::Current)
        painter.fillRect(width() - SizeHandleZone, height() - SizeHandleZone, SizeHandleZone, SizeHandleZone,
                         ToQColor(colors::Lime));
    if (canvas_.regionNames())
        paintName(painter);
}

// Inside the outline's corner, on a dark plate so that it reads on any frame.
void RegionItem::paintName(QPainter& painter)
{
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    const QString name = QString::fromStdString(region_.Name);
    const QFontMetrics metrics(font);
    const QRect plate(1, 1, metrics.horizontalAdvance(name) + 4, metrics.height());
    painter.fillRect(plate, QColor(0, 0, 0, 160));
    painter.setPen(Qt::white);
    painter.drawText(plate, Qt::AlignCenter, name);
}

void RegionItem::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu takes the mouse, so this item does not see the release.
    canvas_.regionReleased();
    canvas_.requestRegionMenu(event->globalPos());
}

void RegionItem::mousePressEvent(QMouseEvent* event)
{
    canvas_.regionPressed(*this, event->position().toPoint(), event->button(), event->modifiers());
}

void RegionItem::mouseMoveEvent(QMouseEvent* event)
{
    canvas_.regionMoved(*this, event->position().toPoint(), event->buttons());
}

void RegionItem::mouseReleaseEvent(QMouseEvent*)
{
    canvas_.regionReleased();
}

void RegionItem::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        canvas_.requestRegionProperties();
}

}  // namespace tolv::gui
