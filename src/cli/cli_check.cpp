#include "cli/cli_commands.h"
#include "cli/cli_project.h"
#include "cli/console_log.h"
#include "cli/json_log.h"
#include "extract/project_check.h"

#include <iostream>
#include <memory>

namespace tolv::cli {

namespace {

struct CheckOptions {
    std::string projectPath;
    bool json = false;
    std::string color = "auto";
};

int RunCheck(const CheckOptions& options)
{
    const LoadedProject loaded = LoadProjectOrExit(options.projectPath);
    int findings = 0;
    if (options.json) {
        JsonLog log(std::cout, false);
        log.print({{"event", "start"}, {"command", "check"}, {"project", options.projectPath}});
        findings = CheckProject(*loaded.project, log);
        log.print({{"event", "done"}, {"findings", findings}});
    } else {
        ConsoleLog log(std::cout, UseColor(options.color));
        findings = CheckProject(*loaded.project, log);
    }
    return findings > 0 ? 1 : 0;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<CheckOptions>();
    CLI::App* command = app.add_subcommand("check", "Cross-reference the project and report what is wrong");
    command->add_flag("--json", options->json, "Print the findings as JSON Lines events instead of the log texts");
    AddColorOption(*command, options->color);
    command->add_option("project", options->projectPath, "The project file (.qvl)")->required();
    command->callback([options, &exitCode] { exitCode = RunCheck(*options); });
}

}  // namespace tolv::cli
