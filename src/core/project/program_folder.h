#pragma once

#include <functional>
#include <string>

namespace tolv {

using WritableTest = std::function<bool(const std::string& folder)>;

// The folder that holds the settings file and the default project, ending in a
// separator: the program's own folder, or, when that cannot be written (an
// installed program), `configHome`/tolvane, created here if missing. A failure to
// create it is not reported here; the first write into it reports it.
std::string ChooseProgramFolder(const std::string& executableFolder, const std::string& configHome,
                                const WritableTest& isWritable);

// ChooseProgramFolder for this process, with the real folders and write test.
std::string ProgramFolderOfThisProcess();

// The folder of the running executable, ending in a separator; the current
// folder if it cannot be found.
std::string ExecutableFolder();
// $XDG_CONFIG_HOME when it is an absolute path, else the home folder's ".config".
std::string ConfigHome();
// $HOME, else the home folder of the user's account, else "/".
std::string HomeFolder();
// Whether this process may create files in a folder.
bool IsWritableFolder(const std::string& folder);

}  // namespace tolv
