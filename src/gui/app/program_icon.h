#pragma once

#include <QIcon>

namespace tolv::gui {

// The name of the installed desktop entry and of the icon in the icon theme.
inline constexpr const char* DesktopName = "tolvane";

// The program's icon from the icon theme, where an install puts it, or else
// the copy compiled into the program (a build tree).
QIcon ProgramIcon();

}  // namespace tolv::gui
