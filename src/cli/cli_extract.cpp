#include "cli/cli_commands.h"
#include "cli/cli_project.h"
#include "cli/console_log.h"
#include "cli/json_log.h"
#include "cli/run_index.h"
#include "extract/extraction_run.h"
#include "platform/errors.h"

#include <iostream>
#include <memory>
#include <optional>

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
    bool json = false;
    std::string indexPath;
    bool changed = false;
    std::string color = "auto";
    int pngLevel = DefaultPngLevel;
};

const char* ResultName(std::optional<RunEnd> end)
{
    if (!end) {
        return "failed";
    }
    return *end == RunEnd::Finished ? "finished" : "stopped";
}

// The run's own log or its events; the command's start and end are events
// only in JSON.
class RunConsole {
public:
    explicit RunConsole(const ExtractOptions& options)
    {
        if (options.json) {
            json_.emplace(std::cout, options.dryRun);
        } else {
            text_.emplace(std::cout, UseColor(options.color));
        }
    }

    LogSink& log() { return json_ ? static_cast<LogSink&>(*json_) : *text_; }

    void started(const ExtractOptions& options)
    {
        if (json_) {
            json_->Print({{"event", "start"}, {"command", "extract"}, {"project", options.projectPath},
                          {"dryRun", options.dryRun}});
        }
    }

    void failed(const std::string& message)
    {
        std::cerr << message << '\n';
        if (json_) {
            json_->Print({{"event", "error"}, {"message", message}});
        }
    }

    void done(std::optional<RunEnd> end, const RecordingLog& recorded)
    {
        if (json_) {
            json_->Print({{"event", "done"}, {"result", ResultName(end)}, {"written", recorded.written()},
                          {"skipped", recorded.skipped()}, {"refused", recorded.refused()}});
        }
    }

private:
    std::optional<JsonLog> json_;
    std::optional<ConsoleLog> text_;
};

int RunExtract(const ExtractOptions& options)
{
    LoadedProject loaded = LoadProjectOrExit(options.projectPath);
    Project& project = *loaded.project;
    // An index file is read before the run, also when the run does not need
    // it: a file there that is not an index is the user's, and is not replaced.
    PreviousOutputs previous;
    if (!options.indexPath.empty()) {
        try {
            previous = ReadRunIndex(options.indexPath);
        } catch (const IndexError& error) {
            std::cerr << "tolvane-cli: " << error.what() << '\n';
            return 2;
        }
    }
    // The flags override the project's switches for this run only.
    ExtractSwitches switches{options.clips.valueOr(project.Clips), options.backgrounds.valueOr(project.Backgrnds),
                             options.dryRun};
    switches.recordOutputs = !options.indexPath.empty();
    switches.previous = options.changed ? &previous : nullptr;
    switches.pngLevel = options.pngLevel;

    RunConsole console(options);
    RecordingLog recorded(console.log());
    console.started(options);
    std::optional<RunEnd> end;
    try {
        end = ExtractObject(project, switches, recorded);
        // An index always describes a whole run that wrote its files.
        if (*end == RunEnd::Finished && switches.recordOutputs && !options.dryRun) {
            WriteRunIndex(options.indexPath, project.ProjectFileName, recorded.outputs());
        }
    } catch (const TolvError& error) {
        console.failed(error.what());
        console.done(std::nullopt, recorded);
        return 3;
    }
    console.done(end, recorded);
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
                      "Go through the run and print its log, writing nothing (no VidIziz folder, no file, no index)");
    command->add_flag("--json", options->json, "Print the run as JSON Lines events instead of the log texts");
    CLI::Option* index = command->add_option(
        "--index", options->indexPath, "After a completed run, write the list of every file written to FILE (JSON)");
    command->add_flag("--changed", options->changed,
                      "Skip the outputs whose inputs are unchanged since the run that wrote the --index FILE")
        ->needs(index);
    command->add_option("--png-level", options->pngLevel, "Compression of PNG outputs, 0 (fastest) to 9 (smallest)")
        ->check(CLI::Range(MinPngLevel, MaxPngLevel))
        ->default_val(DefaultPngLevel);
    AddColorOption(*command, options->color);
    command->add_option("project", options->projectPath, "The project file (.qvl)")->required();
    command->callback([options, &exitCode] { exitCode = RunExtract(*options); });
}

}  // namespace tolv::cli
