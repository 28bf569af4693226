#include "gui/common/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace tolv::gui {

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& colour)
{
    return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) + 0.0722 * Linear(colour.blueF());
}

bool IsLight(const QColor& background)
{
    return background.lightness() >= 128;
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double first = RelativeLuminance(a);
    const double second = RelativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor ReadableOn(const QColor& accent, const QColor& background)
{
    if (IsLight(background))
        return accent;
    const QColor hsl = accent.toHsl();
    for (int lightness = hsl.lightness(); lightness <= 255; lightness += 5) {
        const QColor lighter = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness);
        if (ContrastRatio(lighter, background) >= ReadableContrast)
            return lighter;
    }
    return Qt::white;
}

}  // namespace tolv::gui
