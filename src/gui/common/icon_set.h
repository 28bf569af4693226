#pragma once

#include "project/region.h"

#include <QIcon>

namespace tolv::gui {

// The program's own icons, compiled in as SVG and drawn on a 16 px grid: one
// outline colour and width, rounded joins, light fills, so that each reads on
// a light and on a dark background alike. `name` is the file's base name in
// src/gui/icons.
QIcon IconFromSet(const char* name);

// The icon of a region's type in the region lists.
QIcon RegionKindIcon(RegionKind kind);

}  // namespace tolv::gui
