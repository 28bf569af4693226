#pragma once

#include "platform/image/bitmap.h"

#include <QImage>

namespace tolv::gui {

// The bitmap as an RGB32 image for painting, whatever its pixel format. Made
// once per change of the bitmap, so that a repaint is one image copy.
QImage ToQImage(const Bitmap& bitmap);

}  // namespace tolv::gui
