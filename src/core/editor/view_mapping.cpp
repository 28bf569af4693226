#include "editor/view_mapping.h"

#include <algorithm>
#include <cmath>

namespace tolv {

namespace {

// A fitted scale this close to a level is that level, so that a step from
// it never lands on the level already shown.
constexpr double SameScale = 1e-9;

bool Above(double level, double scale)
{
    return level > scale * (1 + SameScale);
}

bool Below(double level, double scale)
{
    return level < scale * (1 - SameScale);
}

bool IsZoomLevel(double scale)
{
    return std::any_of(ZoomLevels.begin(), ZoomLevels.end(),
                       [scale](double level) { return !Above(level, scale) && !Below(level, scale); });
}

double StepUp(double scale, int steps)
{
    const auto next =
        std::find_if(ZoomLevels.begin(), ZoomLevels.end(), [scale](double level) { return Above(level, scale); });
    if (next == ZoomLevels.end())
        return ZoomLevels.back();
    const int index = int(next - ZoomLevels.begin()) + steps - 1;
    return ZoomLevels[std::size_t(std::min(index, int(ZoomLevels.size()) - 1))];
}

double StepDown(double scale, int steps)
{
    const auto next =
        std::find_if(ZoomLevels.rbegin(), ZoomLevels.rend(), [scale](double level) { return Below(level, scale); });
    if (next == ZoomLevels.rend())
        return ZoomLevels.front();
    const int index = int(ZoomLevels.rend() - next) - steps;
    return ZoomLevels[std::size_t(std::max(index, 0))];
}

int FloorToInt(double value)
{
    return int(std::floor(value));
}

int KeptScroll(int pointer, int scroll, double oldScale, double newScale)
{
    const double canvas = double(scroll) + pointer;
    return FloorToInt(canvas * newScale / oldScale) - pointer;
}

}  // namespace

double StepZoom(double scale, int steps)
{
    // More steps than levels end at a level all the same.
    const int levels = int(ZoomLevels.size());
    steps = std::clamp(steps, -levels, levels);
    if (steps > 0)
        return StepUp(scale, steps);
    if (steps < 0)
        return StepDown(scale, -steps);
    return scale;
}

double FitZoom(int frameWidth, int frameHeight, int viewWidth, int viewHeight)
{
    const double across = double(viewWidth) / std::max(frameWidth, 1);
    const double down = double(viewHeight) / std::max(frameHeight, 1);
    return std::clamp(std::min(across, down), ZoomLevels.front(), ZoomLevels.back());
}

std::string ZoomText(double scale)
{
    const long long tenths = std::llround(scale * 1000);
    if (IsZoomLevel(scale) && tenths % 10 != 0)
        return " " + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " %";
    return " " + std::to_string(std::llround(scale * 100)) + " %";
}

Point PixelAt(Point screen, double scale)
{
    return {FloorToInt(screen.x / scale), FloorToInt(screen.y / scale)};
}

int ScreenEdge(int frameEdge, double scale)
{
    return FloorToInt(frameEdge * scale);
}

Rect ScreenRect(const Rect& frame, double scale)
{
    const int left = ScreenEdge(frame.left, scale);
    const int top = ScreenEdge(frame.top, scale);
    return {left, top, std::max(ScreenEdge(frame.right, scale), left + 1),
            std::max(ScreenEdge(frame.bottom, scale), top + 1)};
}

Rect BandPixels(Point screenStart, Point screenEnd, double scale)
{
    return BandRect(PixelAt(screenStart, scale), PixelAt(screenEnd, scale));
}

Point PanToKeep(Point pointer, Point scroll, double oldScale, double newScale)
{
    return {KeptScroll(pointer.x, scroll.x, oldScale, newScale), KeptScroll(pointer.y, scroll.y, oldScale, newScale)};
}

}  // namespace tolv
