#pragma once

#include <functional>

class QApplication;

namespace tolv::gui {

// Makes the ways a desktop ends a program keep the user's state: on SIGTERM
// or SIGHUP `saveSession` runs on the GUI thread and the process then ends by
// that signal as it would have; when the desktop session ends it runs too
// (the session manager decides what happens next).
void InstallSessionGuard(QApplication& app, std::function<void()> saveSession);

}  // namespace tolv::gui
