#include "cli/cli_commands.h"
#include "cli/cli_project.h"
#include "cli/console_log.h"
#include "extract/project_check.h"

#include <iostream>
#include <memory>

namespace tolv::cli {

namespace {

struct CheckOptions {
    std::string projectPath;
    std::string color = "auto";
};

int RunCheck(const CheckOptions& options)
{
    const LoadedProject loaded = LoadProjectOrExit(options.projectPath);
    ConsoleLog log(std::cout, UseColor(options.color));
    return CheckProject(*loaded.project, log) > 0 ? 1 : 0;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<CheckOptions>();
    CLI::App* command = app.add_subcommand("check", "Cross-reference the project and report what is wrong");
    AddColorOption(*command, options->color);
    command->add_option("project", options->projectPath, "The project file (.qvl)")->required();
    command->callback([options, &exitCode] { exitCode = RunCheck(*options); });
}

}  // namespace tolv::cli
