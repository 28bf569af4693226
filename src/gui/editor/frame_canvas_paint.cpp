// What the canvas paints: the frame at the zoom of the view, the animation
// cel, the pixel grid, the regions, and above them the drag outline and the
// snap guides.
// The outline and the guides are one screen pixel wide and invert the pixels
// under them, so they show on any frame; moving them repaints only their
// old and new pixels.
#include "gui/editor/frame_canvas.h"

#include "editor/drag_rules.h"
#include "editor/view_mapping.h"
#include "gui/common/qt_colour.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

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

// The on and off runs, in pixels, of the system's cosmetic pens, as the core
// raster strokes them: dotted 3-3, dash-dot 9-6-3-6.
constexpr int DotRuns[] = {3, 3};
constexpr int DashDotRuns[] = {9, 6, 3, 6};

constexpr int MarkerSide = 12;
// Longer names end in an ellipsis.
constexpr int MaxNameWidth = 160;

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

// The regions of one exposed rectangle are drawn pixel by pixel into one
// transparent layer the size of that rectangle, then put on the canvas at
// once: 100,000 outlines are too many for one painter call each.
class RegionLayer {
public:
    explicit RegionLayer(const QRect& exposed)
        : origin_(exposed.topLeft()), image_(exposed.size(), QImage::Format_ARGB32_Premultiplied)
    {
        image_.fill(Qt::transparent);
    }
    const QImage& image() const { return image_; }

    // The one-pixel outline of a rectangle on the screen with a dashed pen:
    // clockwise from the top-left corner, each side without its end point,
    // the pattern carrying on from side to side. The gaps stay transparent.
    void outline(const QRect& r, QRgb color, std::span<const int> runs)
    {
        struct Side {
            int x, y, dx, dy, steps;
        };
        const int w = r.width(), h = r.height();
        const Side sides[] = {{r.left(), r.top(), 1, 0, w - 1},
                              {r.right(), r.top(), 0, 1, h - 1},
                              {r.right(), r.bottom(), -1, 0, w - 1},
                              {r.left(), r.bottom(), 0, -1, h - 1}};
        int phase = 0;
        for (const Side& side : sides) {
            const auto [first, last] = shownSteps(side.x, side.y, side.dx, side.dy, side.steps);
            for (int i = first; i < last; ++i)
                if (RunIsOn(runs, phase + i))
                    set(side.x + side.dx * i, side.y + side.dy * i, color);
            phase += side.steps;
        }
    }

    void fill(const QRect& r, QRgb color)
    {
        const QRect shown = r.translated(-origin_) & image_.rect();
        for (int y = shown.top(); y <= shown.bottom(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(image_.scanLine(y)) + shown.left(), shown.width(), color);
    }

private:
    void set(int x, int y, QRgb color)
    {
        reinterpret_cast<QRgb*>(image_.scanLine(y - origin_.y()))[x - origin_.x()] = color;
    }

    // The steps of a side that land on the layer, so that a region far larger
    // than the view costs no more than the view.
    std::pair<int, int> shownSteps(int x, int y, int dx, int dy, int steps) const
    {
        const int left = origin_.x(), top = origin_.y();
        const int right = left + image_.width(), bottom = top + image_.height();
        const auto range = [steps](int at, int d, int low, int high) -> std::pair<int, int> {
            // Steps i with low <= at + d * i < high.
            const int a = d > 0 ? low - at : at - high + 1;
            const int b = d > 0 ? high - at : at - low + 1;
            return {std::max(0, a), std::min(steps, b)};
        };
        if (dx != 0) {
            if (y < top || y >= bottom)
                return {0, 0};
            return range(x, dx, left, right);
        }
        if (x < left || x >= right)
            return {0, 0};
        return range(y, dy, top, bottom);
    }

    QPoint origin_;
    QImage image_;
};

QRgb Opaque(Color color)
{
    return ToQColor(color).rgba();
}

QRgb StateColor(SelectionState state)
{
    switch (state) {
    case SelectionState::Current:
        return Opaque(colors::Yellow);
    case SelectionState::Group:
        return Opaque(colors::Aqua);
    default:
        return Opaque(colors::Black);
    }
}

std::span<const int> StateRuns(SelectionState state)
{
    return state == SelectionState::None ? std::span<const int>(DotRuns) : std::span<const int>(DashDotRuns);
}

// Each position is looked up once, not at every comparison.
void SortInListOrder(std::vector<Region*>& regions, const Selection& selection)
{
    std::vector<std::pair<int, Region*>> placed;
    placed.reserve(regions.size());
    for (Region* region : regions)
        placed.emplace_back(selection.positionOf(*region), region);
    std::sort(placed.begin(), placed.end());
    for (std::size_t i = 0; i < placed.size(); ++i)
        regions[i] = placed[i].second;
}

QRect SizeHandle(const QRect& shown)
{
    return QRect(shown.right() - SizeHandleZone + 1, shown.bottom() - SizeHandleZone + 1, SizeHandleZone,
                 SizeHandleZone)
           & shown;
}

}  // namespace

QRect FrameCanvas::backgroundMarker()
{
    return {2, 2, MarkerSide, MarkerSide};
}

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
    for (const QRect& exposed : event->region()) {
        paintRegions(painter, exposed);
        if (regionNames_)
            paintNames(painter, exposed);
    }
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

// In list order, so later regions lie above earlier ones. A region that
// covers the whole frame shows as a marker in its state's colour, framed in
// white so that it reads on any frame.
void FrameCanvas::paintRegions(QPainter& painter, const QRect& exposed)
{
    const Point first = pixelAt(exposed.topLeft());
    const Point last = pixelAt(exposed.bottomRight() + QPoint(1, 1));
    std::vector<Region*> regions = grid_.meeting({first.x, first.y, last.x + 1, last.y + 1});
    std::erase_if(regions, [](const Region* r) { return !r->Visible; });
    if (regions.empty())
        return;
    const Selection& selection = project().selection;
    SortInListOrder(regions, selection);
    RegionLayer layer(exposed);
    for (const Region* region : regions) {
        const QRect shown = screenRectOf(*region);
        const SelectionState state = selection.stateOf(*region);
        if (CoversFrame(project(), *region)) {
            layer.fill(backgroundMarker(), Opaque(colors::White));
            layer.fill(backgroundMarker().adjusted(1, 1, -1, -1), StateColor(state));
        } else {
            layer.outline(shown, StateColor(state), StateRuns(state));
        }
        if (state == SelectionState::Current)
            layer.fill(SizeHandle(shown), Opaque(colors::Lime));
    }
    painter.drawImage(exposed.topLeft(), layer.image());
}

// Names read at every zoom: a plate of one size at the region's top-left,
// over whatever lies there, however small the region is shown. A plate
// reaches past its region, so regions are looked for that far around the
// exposed area, and the plates are drawn in list order as the outlines are.
void FrameCanvas::paintNames(QPainter& painter, const QRect& exposed)
{
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font);
    const QRect reach = exposed.adjusted(-MaxNameWidth, -metrics.height(), 0, 0);
    const Point first = pixelAt(reach.topLeft());
    const Point last = pixelAt(reach.bottomRight() + QPoint(1, 1));
    std::vector<Region*> regions = grid_.meeting({first.x, first.y, last.x + 1, last.y + 1});
    std::erase_if(regions, [](const Region* r) { return !r->Visible; });
    SortInListOrder(regions, project().selection);
    painter.setClipRect(exposed);
    for (const Region* region : regions) {
        const QPoint corner = CoversFrame(project(), *region) ? backgroundMarker().topRight() + QPoint(3, 0)
                                                              : screenRectOf(*region).topLeft() + QPoint(1, 1);
        const QString name = metrics.elidedText(QString::fromStdString(region->Name), Qt::ElideRight, MaxNameWidth - 4);
        const QRect plate(corner, QSize(metrics.horizontalAdvance(name) + 4, metrics.height()));
        if (!plate.intersects(exposed))
            continue;
        painter.fillRect(plate, QColor(0, 0, 0, 160));
        painter.drawText(plate, Qt::AlignCenter, name);
    }
    painter.setClipping(false);
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
