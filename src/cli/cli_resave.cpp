#include "cli/cli_commands.h"
#include "cli/cli_project.h"

#include <memory>
#include <string>

namespace tolv::cli {

void AddResaveCommand(CLI::App& app, int& exitCode)
{
    auto* command = app.add_subcommand("resave", "Load a project and save it in place, in the current layout");
    auto path = std::make_shared<std::string>();
    auto force = std::make_shared<bool>(false);
    command->add_option("PROJECT", *path, "Project file (.qvl)")->required();
    command->add_flag("--force", *force, "Save also a project that could not be read whole (only what was read)");
    command->callback([path, force, &exitCode] {
        LoadedProject loaded = LoadProjectOrExit(*path);
        exitCode = SaveInPlace(loaded, *force);
    });
}

}  // namespace tolv::cli
