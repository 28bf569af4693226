#include "cli/cli_project.h"

#include "cli/console_log.h"
#include "platform/errors.h"
#include "project/project_identity.h"

#include <cstdlib>
#include <iostream>

namespace tolv::cli {

LoadedProject LoadProject(const std::string& path)
{
    LoadedProject loaded{std::make_unique<Project>(), {}};
    try {
        if (KindOfProjectPath(path) == ProjectPathKind::Missing)
            throw CommandFailure{"project file " + path + " does not exist", 2};
        loaded.result = Loadfile(*loaded.project, path);
    } catch (const NotAProjectError& error) {
        throw CommandFailure{error.what(), 2};
    } catch (const TolvError& error) {
        throw CommandFailure{error.what(), 3};
    }
    return loaded;
}

LoadedProject LoadProjectOrExit(const std::string& path)
{
    try {
        LoadedProject loaded = LoadProject(path);
        if (loaded.result.FramesMissing)
            std::cerr << "Animation frame files missing.\n";
        return loaded;
    } catch (const CommandFailure& failure) {
        PrintError(failure.message);
        std::exit(failure.exitCode);
    }
}

int SaveInPlace(LoadedProject& loaded, bool force)
{
    Project& project = *loaded.project;
    if (project.ReadIncompletely() && !force) {
        std::cerr << "tolvane-cli: " << IncompleteReadWarning(project) << "\n"
                  << "tolvane-cli: check lists what could not be read; --force saves it anyway.\n";
        return 2;
    }
    try {
        SaveProject(project, loaded.result.Identity);
        return 0;
    } catch (const FileChangedError& error) {
        std::cerr << "tolvane-cli: " << error.what() << " It was left as it is.\n";
        return 3;
    } catch (const TolvError& error) {
        PrintError(error.what());
        return 3;
    }
}

}  // namespace tolv::cli
