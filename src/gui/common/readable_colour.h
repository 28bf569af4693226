#pragma once

#include <QColor>

namespace tolv::gui {

// The contrast ratio of two colours as the accessibility guidelines define
// it, from 1 (the same luminance) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// The smallest contrast the guidelines ask of normal text.
constexpr double ReadableContrast = 4.5;

// An accent colour (a note's maroon, a refusal's red) as text on
// `background`. On a light background it is the colour the design chose; on
// a dark one it is lightened, keeping its hue, until it reads.
QColor ReadableOn(const QColor& accent, const QColor& background);

}  // namespace tolv::gui
