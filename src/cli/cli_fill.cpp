#include "cli/cli_commands.h"
#include "cli/cli_project.h"

#include "extract/worksheet_template.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace tolv::cli {

namespace {

struct FillArguments {
    std::string path;
    std::string region;
    std::string frames;
    std::string outputTemplate;
    bool force = false;
};

int Refuse(const std::string& message)
{
    std::cerr << "tolvane-cli: " << message << '\n';
    return 2;
}

// The first region of that name, as the quick pick would find it.
Region* RegionNamed(Project& project, const std::string& name)
{
    const auto found = std::find_if(project.Regions.begin(), project.Regions.end(),
                                    [&name](const std::unique_ptr<Region>& region) { return region->Name == name; });
    return found == project.Regions.end() ? nullptr : found->get();
}

// Everything is planned before the worksheet is touched, so a refusal leaves
// the project file exactly as it was.
int Fill(const FillArguments& arguments)
{
    const std::optional<FrameRange> range = ParseFrameRange(arguments.frames);
    if (!range)
        return Refuse("invalid frame range " + arguments.frames + " (FROM-TO or FROM-TO:STEP)");
    LoadedProject loaded = LoadProjectOrExit(arguments.path);
    Project& project = *loaded.project;
    Region* region = RegionNamed(project, arguments.region);
    if (!region)
        return Refuse("region " + arguments.region + " does not exist in " + arguments.path);
    try {
        ApplyFill(*region, PlanFill(project, *region, *range, arguments.outputTemplate));
    } catch (const FillError& error) {
        return Refuse(error.what());
    }
    return SaveInPlace(loaded, arguments.force);
}

}  // namespace

void AddFillCommand(CLI::App& app, int& exitCode)
{
    auto* command =
        app.add_subcommand("fill", "Fill a region's worksheet from a frame range and an output name template");
    auto arguments = std::make_shared<FillArguments>();
    command->add_option("PROJECT", arguments->path, "Project file (.qvl)")->required();
    command->add_option("--region", arguments->region, "The region's name (the first region of that name)")->required();
    command->add_option("--frames", arguments->frames, "Positions in the frame list: FROM-TO[:STEP] or one position")
        ->required();
    command
        ->add_option("--output", arguments->outputTemplate,
                     "Output name template: text with {region}, {frame}, {n}, {n:0W}; {{ and }} for braces")
        ->required();
    command->add_flag("--force", arguments->force,
                      "Save also a project that could not be read whole (only what was read)");
    command->callback([arguments, &exitCode] { exitCode = Fill(*arguments); });
}

}  // namespace tolv::cli
