#include "gui/mainwindow/tool_glyphs.h"

#include "gui/common/icon_set.h"

namespace tolv::gui {

QIcon ToolGlyphIcon(ToolGlyph glyph)
{
    switch (glyph) {
    case ToolGlyph::Hidden:
        return IconFromSet("eye");
    case ToolGlyph::Unlocked:
        return IconFromSet("lock-open");
    case ToolGlyph::Locked:
        return IconFromSet("lock-closed");
    case ToolGlyph::Nudge:
        return IconFromSet("nudge");
    case ToolGlyph::ShowPaint:
        return IconFromSet("show-paint");
    case ToolGlyph::Previous:
        return IconFromSet("frame-previous");
    case ToolGlyph::Next:
        return IconFromSet("frame-next");
    }
    return IconFromSet("eye");
}

}  // namespace tolv::gui
