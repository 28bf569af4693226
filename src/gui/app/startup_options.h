#pragma once

#include <QStringList>

#include <string>

namespace tolv::gui {

// What the program is started with. Tests give a temporary program folder so
// that nothing is written beside the test program.
struct StartupOptions {
    // Where the settings file and the default project live, with a trailing
    // separator: the program's folder, or the user's configuration folder
    // when the program's folder cannot be written.
    std::string ProgramFolder;
    // The folder of the program file; the help pages are found from there.
    std::string ExecutableFolder;
    // The command-line arguments after the program's name.
    QStringList Arguments;
    // Where unsaved edits are kept against a crash; empty keeps none.
    std::string RecoveryFolder;
};

}  // namespace tolv::gui
