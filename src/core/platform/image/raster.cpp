#include "platform/image/raster.h"

#include "platform/image/raster_span.h"

#include <array>
#include <cstdlib>
#include <limits>
#include <vector>

namespace tolv {

namespace {

using span::Range;

// Paints spans with a brush; pattern brushes are converted to the target's
// values once, then tiled from the target's origin.
class BrushPainter {
public:
    BrushPainter(Bitmap& target, const Brush& brush) : target_(target), style_(brush.style)
    {
        if (style_ == BrushStyle::Solid) {
            solid_ = target.valueOf(brush.color);
        } else if (style_ == BrushStyle::Pattern && brush.pattern != nullptr && !brush.pattern->empty()) {
            const Bitmap& pattern = *brush.pattern;
            tileWidth_ = pattern.width();
            tileHeight_ = pattern.height();
            tile_.reserve(std::size_t(tileWidth_) * std::size_t(tileHeight_));
            for (int y = 0; y < tileHeight_; ++y)
                for (int x = 0; x < tileWidth_; ++x)
                    tile_.push_back(target.valueOf(pattern.pixel(x, y)));
        } else {
            style_ = BrushStyle::Clear;
        }
    }

    void fill(const Rect& area, PenMode mode)
    {
        if (style_ == BrushStyle::Clear)
            return;
        const Range cols = span::Clip(area.left, area.right, target_.width());
        const Range rows = span::Clip(area.top, area.bottom, target_.height());
        if (cols.empty())
            return;
        for (auto y = int(rows.lo); y < rows.hi; ++y)
            row(y, int(cols.lo), int(cols.hi), mode);
    }

private:
    void row(int y, int x0, int x1, PenMode mode)
    {
        if (style_ == BrushStyle::Solid) {
            span::Paint(target_, y, x0, x1, solid_, mode);
            return;
        }
        std::uint8_t* bytes = target_.row(y);
        const std::uint64_t* tileRow = tile_.data() + std::size_t(y % tileHeight_) * std::size_t(tileWidth_);
        const int depth = target_.bitsPerPixel();
        for (int x = x0; x < x1; ++x) {
            const std::uint64_t value = tileRow[x % tileWidth_];
            pixel::Store(bytes, x, depth, mode == PenMode::Xor ? pixel::Load(bytes, x, depth) ^ value : value);
        }
    }

    Bitmap& target_;
    BrushStyle style_;
    std::uint64_t solid_ = 0;
    std::vector<std::uint64_t> tile_;
    int tileWidth_ = 0;
    int tileHeight_ = 0;
};

// Cosmetic pen styles as on/off run lengths in pixels.
constexpr std::array<int, 2> DotRuns{3, 3};
constexpr std::array<int, 4> DashDotRuns{9, 6, 3, 6};

template <std::size_t N>
bool RunIsOn(const std::array<int, N>& runs, std::int64_t step)
{
    int period = 0;
    for (const int run : runs)
        period += run;
    auto position = int(step % period);
    for (std::size_t i = 0; i < N; ++i) {
        if (position < runs[i])
            return i % 2 == 0;
        position -= runs[i];
    }
    return false;
}

// Draws lines with a pen. A wider pen paints, at each step along the major
// axis, a run of `width` pixels across it, so steps never overlap and XOR
// strokes toggle each pixel once.
class Stroke {
public:
    Stroke(Bitmap& target, const Pen& pen)
        : target_(target), pen_(pen), value_(target.valueOf(pen.color)), width_(std::max(1, pen.width))
    {}

    // From (x0, y0) to (x1, y1) without the end point; the dash pattern
    // carries on from the previous line of this stroke.
    void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
    {
        const std::int64_t dx = x1 - x0;
        const std::int64_t dy = y1 - y0;
        const bool xMajor = std::llabs(dx) >= std::llabs(dy);
        const std::int64_t steps = xMajor ? std::llabs(dx) : std::llabs(dy);
        if (steps == 0)
            return;
        const std::int64_t major0 = xMajor ? x0 : y0;
        const std::int64_t minor0 = xMajor ? y0 : x0;
        const std::int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
        const std::int64_t minorDelta = xMajor ? dy : dx;
        const int majorSize = xMajor ? target_.width() : target_.height();
        // Only the steps whose major coordinate lies on the bitmap are walked.
        const Range onBitmap =
            majorSign > 0 ? Range{-major0, majorSize - major0} : Range{major0 - majorSize + 1, major0 + 1};
        const std::int64_t first = std::max<std::int64_t>(0, onBitmap.lo);
        const std::int64_t last = std::min(steps, onBitmap.hi);
        for (std::int64_t i = first; i < last; ++i) {
            if (!dashOn(phase_ + i))
                continue;
            const std::int64_t major = major0 + majorSign * i;
            across(major, minor0 + MinorOffset(i, minorDelta, steps), xMajor);
        }
        phase_ += steps;
    }

private:
    // The minor coordinate at step i, rounded to the nearest pixel (halves
    // up). Far-off end points make the product exceed 64 bits.
    static std::int64_t MinorOffset(std::int64_t i, std::int64_t minorDelta, std::int64_t steps)
    {
        __extension__ using Wide = __int128;
        const Wide numerator = Wide(2) * i * minorDelta + steps;
        const Wide denominator = Wide(2) * steps;
        const Wide quotient = numerator / denominator;
        return std::int64_t(numerator % denominator < 0 ? quotient - 1 : quotient);
    }

    bool dashOn(std::int64_t step) const
    {
        if (width_ > 1 || pen_.style == PenStyle::Solid)
            return true;
        return pen_.style == PenStyle::Dot ? RunIsOn(DotRuns, step) : RunIsOn(DashDotRuns, step);
    }

    // The pen's run across the line at one step: vertical for a mostly
    // horizontal line, horizontal otherwise.
    void across(std::int64_t major, std::int64_t minor, bool vertical)
    {
        const std::int64_t from = minor - width_ / 2;
        if (vertical) {
            const Range rows = span::Clip(from, from + width_, target_.height());
            for (std::int64_t y = rows.lo; y < rows.hi; ++y)
                span::Paint(target_, int(y), int(major), int(major) + 1, value_, pen_.mode);
        } else {
            const Range cols = span::Clip(from, from + width_, target_.width());
            if (!cols.empty())
                span::Paint(target_, int(major), int(cols.lo), int(cols.hi), value_, pen_.mode);
        }
    }

    Bitmap& target_;
    const Pen& pen_;
    std::uint64_t value_;
    int width_;
    std::int64_t phase_ = 0;
};

// The solid outline of a GDI rectangle: each side a band of the pen's width
// centred on the one-pixel outline, the odd pixel outward. Painted row by row
// as disjoint spans so that XOR touches every pixel once.
void SolidOutline(Bitmap& target, const Pen& pen, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b)
{
    const int width = std::max(1, pen.width);
    const std::int64_t out = width / 2;
    const std::int64_t in = (width - 1) / 2;
    const std::uint64_t value = target.valueOf(pen.color);
    const Range rows = span::Clip(t - out, b + out, target.height());
    auto paint = [&](int y, std::int64_t x0, std::int64_t x1) {
        const Range cols = span::Clip(x0, x1, target.width());
        if (!cols.empty())
            span::Paint(target, y, int(cols.lo), int(cols.hi), value, pen.mode);
    };
    const bool sidesMeet = l + in + 1 >= r - 1 - in;
    for (auto y = int(rows.lo); y < rows.hi; ++y) {
        const bool topOrBottom = y <= t + in || y >= b - 1 - in;
        if (topOrBottom || sidesMeet) {
            paint(y, l - out, r + out);
        } else {
            paint(y, l - out, l + in + 1);
            paint(y, r - 1 - in, r + out);
        }
    }
}

}  // namespace

void Canvas::fillRect(const Rect& rect)
{
    BrushPainter(target_, brush).fill(rect, PenMode::Copy);
}

void Canvas::rectangle(const Rect& rect)
{
    const std::int64_t l = std::min(rect.left, rect.right);
    const std::int64_t r = std::max(rect.left, rect.right);
    const std::int64_t t = std::min(rect.top, rect.bottom);
    const std::int64_t b = std::max(rect.top, rect.bottom);
    if (l == r || t == b)
        return;
    const std::int64_t in = (std::max(1, pen.width) - 1) / 2;
    // The interior stops at the outline, which then needs no second pass over it.
    const auto bound = [](std::int64_t v) {
        return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    BrushPainter(target_, brush)
        .fill({bound(l + in + 1), bound(t + in + 1), bound(r - 1 - in), bound(b - 1 - in)}, pen.mode);
    if (pen.style == PenStyle::Solid || pen.width > 1) {
        SolidOutline(target_, pen, l, t, r, b);
        return;
    }
    Stroke outline(target_, pen);
    outline.line(l, t, r - 1, t);
    outline.line(r - 1, t, r - 1, b - 1);
    outline.line(r - 1, b - 1, l, b - 1);
    outline.line(l, b - 1, l, t);
}

void Canvas::moveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void Canvas::lineTo(int x, int y)
{
    Stroke(target_, pen).line(penX_, penY_, x, y);
    moveTo(x, y);
}

Color Canvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= target_.width() || y >= target_.height())
        return colors::Black;
    return target_.pixel(x, y);
}

void Canvas::setPixel(int x, int y, Color color)
{
    if (x >= 0 && y >= 0 && x < target_.width() && y < target_.height())
        target_.setPixel(x, y, color);
}

}  // namespace tolv
