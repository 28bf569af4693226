#pragma once

#include <QPalette>

namespace tolv::gui {

// Light text on dark grey, for desktops whose Qt does not follow a dark
// colour scheme by itself.
QPalette DarkPalette();

// Fusion with the dark palette, for the whole program: Fusion is the style
// that draws every control from the palette.
void UseDarkLook();

}  // namespace tolv::gui
