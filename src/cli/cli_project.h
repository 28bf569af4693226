#pragma once

#include "project/project.h"
#include "project/project_file.h"

#include <memory>
#include <string>

namespace tolv::cli {

struct LoadedProject {
    std::unique_ptr<Project> project;
    LoadResult result;
};

// A command that cannot go on: what stderr says, and the exit code.
struct CommandFailure {
    std::string message;
    int exitCode = 3;
};

// Loads a project file as File > Open does (either layout, frames examined);
// raises CommandFailure with exit code 2 for a project file that does not
// exist or a file that is not a project, 3 for one that cannot be read.
LoadedProject LoadProject(const std::string& path);

// Loads a project file as File > Open does (either layout, frames examined)
// and, like it, warns "Animation frame files missing." (on stderr) when a
// frame file is missing or unusable. A project file that does not exist or a
// file that is not a project ends the program with exit code 2, one that
// cannot be read with 3, each with a message on stderr.
LoadedProject LoadProjectOrExit(const std::string& path);

// Saves the project over its file, atomically (SaveProject), but only over
// the file as it was read: returns the exit code, 0, or 3 with the reason on
// stderr when it cannot be written or was changed on disk since it was read.
// A project read incompletely is not saved unless `force`: 2, with the
// window's warning on stderr.
int SaveInPlace(LoadedProject& loaded, bool force);

}  // namespace tolv::cli
