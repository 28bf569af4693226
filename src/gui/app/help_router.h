#pragma once

#include <QString>

namespace tolv::gui {

// Opens a help topic ("topic10", "topic40", ...) of the program's help through
// the main window's help router; does nothing, silently, when no help is there.
void ShowHelpTopic(const QString& topic);

}  // namespace tolv::gui
