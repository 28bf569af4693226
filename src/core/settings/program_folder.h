#pragma once

#include <string>

namespace tolv {

// Written by the build beside the desktop program and never installed: it tells a
// build tree from an installed program.
constexpr const char* BuildTreeMarkerName = "tolvane-build-tree";

// The folder that holds the settings file and the default project, ending in a
// separator: the executable's own folder when it holds the build tree marker or
// a settings file (a portable install), otherwise `configHome`/tolvane, created
// here if missing, whether or not the executable's folder could be written. A
// failure to create it is not reported here; the first write into it reports it.
std::string ChooseProgramFolder(const std::string& executableFolder, const std::string& configHome);

// ChooseProgramFolder for this process's executable and configuration folder.
std::string ProgramFolderOfThisProcess();

// The folder of the running executable, ending in a separator; the current
// folder if it cannot be found.
std::string ExecutableFolder();
// $XDG_CONFIG_HOME when it is an absolute path, else the home folder's ".config".
std::string ConfigHome();
// $HOME, else the home folder of the user's account, else "/".
std::string HomeFolder();

}  // namespace tolv
