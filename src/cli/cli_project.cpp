#include "cli/cli_project.h"

#include "platform/errors.h"
#include "project/project_identity.h"

#include <cstdlib>
#include <iostream>

namespace tolv::cli {

namespace {

[[noreturn]] void Fail(const std::string& message, int exitCode)
{
    std::cerr << "tolvane-cli: " << message << '\n';
    std::exit(exitCode);
}

}  // namespace

LoadedProject LoadProjectOrExit(const std::string& path)
{
    LoadedProject loaded{std::make_unique<Project>(), {}};
    try {
        if (KindOfProjectPath(path) == ProjectPathKind::Missing)
            Fail("project file " + path + " does not exist", 2);
        loaded.result = Loadfile(*loaded.project, path);
    } catch (const NotAProjectError& error) {
        Fail(error.what(), 2);
    } catch (const TolvError& error) {
        Fail(error.what(), 3);
    }
    if (loaded.result.FramesMissing)
        std::cerr << "Animation frame files missing.\n";
    return loaded;
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
        std::cerr << error.what() << '\n';
        return 3;
    }
}

}  // namespace tolv::cli
