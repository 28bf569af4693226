#include "cli/cli_commands.h"
#include "cli/cli_project.h"
#include "cli/console_log.h"
#include "extract/extraction_run.h"
#include "platform/errors.h"

#include <iostream>
#include <memory>

namespace tolv::cli {

namespace {

// A --name / --no-name flag pair; the last one given wins.
struct SwitchFlag {
    bool value = true;
    CLI::Option* option = nullptr;
    bool valueOr(bool fallback) const { return option->count() > 0 ? value : fallback; }
};

struct ExtractOptions {
    std::string projectPath;
    SwitchFlag clips;
    SwitchFlag backgrounds;
    bool dryRun = false;
    std::string color = "auto";
};

int RunExtract(const ExtractOptions& options)
{
    LoadedProject loaded = LoadProjectOrExit(options.projectPath);
    Project& project = *loaded.project;
    // The flags override the project's switches for this run only.
    const ExtractSwitches switches{options.clips.valueOr(project.Clips),
                                   options.backgrounds.valueOr(project.Backgrnds), options.dryRun};
    ConsoleLog log(std::cout, UseColor(options.color));
    try {
        ExtractObject(project, switches, log);
    } catch (const TolvError& error) {
        std::cerr << error.what() << '\n';
        return 3;
    }
    return 0;
}

}  // namespace

void AddExtractCommand(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<ExtractOptions>();
    CLI::App* command = app.add_subcommand("extract", "Write the project's clips and backgrounds into its VidIziz folder");
    options->clips.option = command->add_flag("--clips,!--no-clips", options->clips.value,
                                              "Write clips (default: the project's Clips switch)");
    options->backgrounds.option = command->add_flag("--backgrounds,!--no-backgrounds", options->backgrounds.value,
                                                    "Write backgrounds (default: the project's Backgrnds switch)");
    command->add_flag("--dry-run", options->dryRun,
                      "Go through the run and print its log, writing nothing (no VidIziz folder, no file)");
    AddColorOption(*command, options->color);
    command->add_option("project", options->projectPath, "The project file (.qvl)")->required();
    command->callback([options, &exitCode] { exitCode = RunExtract(*options); });
}

}  // namespace tolv::cli
