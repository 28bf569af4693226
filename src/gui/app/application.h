#pragma once

namespace tolv::gui {

// Starts the desktop program: the application title, the windows in their
// start-up order, the message loop; then shuts down in order. Returns the
// process's exit code.
int RunApplication(int argc, char* argv[]);

}  // namespace tolv::gui
