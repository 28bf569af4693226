#pragma once

#include <functional>

class QWidget;

namespace tolv::gui {

// Runs one user operation (a menu command, the start-up load). An error of
// the file and bitmap layers stops it where it is and its text is shown in
// the error box; the program goes on. Returns false when an error was shown.
bool RunUserOperation(QWidget* parent, const std::function<void()>& operation);

}  // namespace tolv::gui
