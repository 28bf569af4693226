#pragma once

#include <QIcon>

namespace tolv::gui {

// The images of the main window's tool bar, by the role of their button.
enum class ToolGlyph { Hidden, Unlocked, Locked, Nudge, ShowPaint, Previous, Next };

QIcon ToolGlyphIcon(ToolGlyph glyph);

}  // namespace tolv::gui
