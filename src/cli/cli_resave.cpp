#include "cli/cli_commands.h"
#include "cli/cli_project.h"

#include <memory>
#include <string>

namespace tolv::cli {

void AddResaveCommand(CLI::App& app, int& exitCode)
{
    auto* command = app.add_subcommand("resave", "Load a project and save it in place, in the current layout");
    auto path = std::make_shared<std::string>();
    command->add_option("PROJECT", *path, "Project file (.qvl)")->required();
    command->callback([path, &exitCode] {
        LoadedProject loaded = LoadProjectOrExit(*path);
        exitCode = SaveInPlace(*loaded.project);
    });
}

}  // namespace tolv::cli
