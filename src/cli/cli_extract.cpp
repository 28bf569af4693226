#include "cli/cli_commands.h"
#include "cli/cli_project.h"
#include "cli/console_log.h"
#include "cli/json_log.h"
#include "cli/problem_log.h"
#include "cli/run_index.h"
#include "extract/extraction_run.h"
#include "extract/output_name.h"
#include "extract/sheet_rows.h"
#include "extract/stale_outputs.h"
#include "platform/errors.h"
#include "platform/io/files.h"
#include "project/out_of_memory.h"

#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

namespace tolv::cli {

namespace {

// A --name / --no-name flag pair; the last one given wins. A command without
// the pair takes the fallback.
struct SwitchFlag {
    bool value = true;
    CLI::Option* option = nullptr;
    bool valueOr(bool fallback) const { return option && option->count() > 0 ? value : fallback; }
};

struct ExtractOptions {
    std::string projectPath;
    SwitchFlag clips;
    SwitchFlag backgrounds;
    bool dryRun = false;
    bool json = false;
    std::string indexPath;
    // "stamp" or "content" for an incremental run.
    std::string changed;
    bool prune = false;
    std::string depfilePath;
    bool allowMissing = false;
    std::string color = "auto";
    int pngLevel = DefaultPngLevel;
    std::string sheetFormat = "hash";
    // The sheet command: the one region whose sheet is written, and what it
    // changes of the region's sheet for this run.
    std::string sheetRegion;
    std::string layout;
    std::optional<int> padding;
    bool trim = false;
    std::string sheetFile;
};

// The exit code of a run that reached its end with something left undone.
constexpr int Incomplete = 4;

const char* const NothingToExtract =
    "Please define your animation frames in the Project-Settings dialog and create at least one region before "
    "extacting!";

// How the command ended: "finished", "incomplete" (finished, something left
// undone), "stopped", or "failed" when an error ended it.
struct Outcome {
    std::optional<RunEnd> end;
    int problems = 0;

    const char* result() const
    {
        if (!end) {
            return "failed";
        }
        if (*end == RunEnd::Stopped) {
            return "stopped";
        }
        return problems > 0 ? "incomplete" : "finished";
    }
};

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
    LogSink* events() { return json_ ? &*json_ : nullptr; }

    void started(const ExtractOptions& options)
    {
        if (json_) {
            json_->print({{"event", "start"},
                          {"command", options.sheetRegion.empty() ? "extract" : "sheet"},
                          {"project", options.projectPath},
                          {"dryRun", options.dryRun}});
        }
    }

    void failed(const std::string& message)
    {
        PrintError(message);
        if (json_) {
            json_->print({{"event", "error"}, {"message", message}});
        }
    }

    // A file of the earlier run that this one no longer makes, and what
    // --prune did with it.
    void stale(const OutputRecord& file, std::optional<PruneOutcome> pruned)
    {
        std::cerr << "tolvane-cli: " << EscapeControls(file.file) << " is no longer made by this project"
                  << (pruned ? ": " + PruneOutcomeText(*pruned) : std::string()) << '\n';
        if (json_) {
            json_->print(StaleEvent(file, pruned ? PruneOutcomeText(*pruned) : std::string()));
        }
    }

    void done(const Outcome& outcome, const RecordingLog* recorded)
    {
        if (json_) {
            json_->print({{"event", "done"},
                          {"result", outcome.result()},
                          {"written", recorded ? recorded->written() : 0},
                          {"skipped", recorded ? recorded->skippedCount() : 0},
                          {"refused", recorded ? recorded->refusedCount() : 0},
                          {"problems", outcome.problems}});
        }
    }

private:
    std::optional<JsonLog> json_;
    std::optional<ConsoleLog> text_;
};

AtlasLayout AtlasLayoutOf(const std::string& format)
{
    return format == "array" ? AtlasLayout::Array : AtlasLayout::Hash;
}

// The region the sheet command names, with the sheet the options make of it.
// The project file is never saved, so the region changes for this run only.
const Region* SheetRegion(const ExtractOptions& options, Project& project)
{
    for (auto& region : project.Regions) {
        if (region->Name != options.sheetRegion || region->RegionType != RegionKind::Clip) {
            continue;
        }
        SheetSettings& sheet = region->Sheet;
        sheet.File = !options.sheetFile.empty() ? options.sheetFile
                     : sheet.enabled()          ? sheet.File
                                                : region->Name + ".png";
        if (!options.layout.empty()) {
            sheet.Layout = *ParseArrangement(options.layout, sheet.Layout);
        }
        sheet.Layout.Padding = options.padding.value_or(sheet.Layout.Padding);
        sheet.Layout.Trim = sheet.Layout.Trim || options.trim;
        return region.get();
    }
    throw CommandFailure{"the project has no clip region named " + options.sheetRegion, 2};
}

ChangeRule RuleOf(const ExtractOptions& options)
{
    return options.changed == "content" ? ChangeRule::Content : ChangeRule::Stamp;
}

std::vector<std::string> OutputPaths(const Project& project, const std::vector<OutputRecord>& outputs)
{
    std::vector<std::string> paths;
    for (const OutputRecord& output : outputs) {
        paths.push_back(JoinPath(project.ProjectFolder, output.file));
    }
    return paths;
}

// Every name a clip or background row could write, whatever the switches.
std::vector<std::string> PlannedOutputNames(const Project& project)
{
    std::vector<std::string> names;
    for (const auto& region : project.Regions) {
        if (region->RegionType != RegionKind::Clip && region->RegionType != RegionKind::Background) {
            continue;
        }
        for (std::size_t row = 0; row < region->OutputFile.storedRows(); ++row) {
            if (!region->OutputFile[row].empty()) {
                names.push_back(region->OutputFile[row]);
            }
        }
        if (MakesSheet(*region)) {
            names.push_back(region->Sheet.File);
            names.push_back(AtlasNameOf(region->Sheet.File));
        }
    }
    return names;
}

// The project file and every frame and overlay that was there to be read.
std::vector<std::string> InputPaths(const ExtractOptions& options, const std::vector<InputSource>& sources)
{
    std::vector<std::string> paths{options.projectPath};
    for (const InputSource& source : sources) {
        if (source.seen) {
            paths.push_back(source.path);
        }
    }
    return paths;
}

// Reports every stale file; with --prune removes those that still are as
// recorded. Returns the ones left in place.
std::vector<OutputRecord> ReportStale(const ExtractOptions& options, const Project& project,
                                      const PreviousRun& previous, const RecordingLog& recorded, RunConsole& console)
{
    std::vector<OutputRecord> left;
    for (const OutputRecord& file : StaleOutputs(previous.everyFile(), recorded.outputs(), project.ProjectFolder)) {
        std::optional<PruneOutcome> pruned;
        if (options.prune && !options.dryRun) {
            pruned = PruneStaleOutput(project.ProjectFolder, file);
        }
        console.stale(file, pruned);
        if (pruned != PruneOutcome::Removed && pruned != PruneOutcome::Gone) {
            left.push_back(file);
        }
    }
    return left;
}

// What a finished run leaves besides its files: stale files reported, the
// index, the depfile.
void FinishRun(const ExtractOptions& options, const Project& project, const PreviousRun& previous,
               const RecordingLog& recorded, const std::vector<InputSource>& sources, RunConsole& console)
{
    if (options.indexPath.empty()) {
        return;
    }
    const std::vector<OutputRecord> stale = ReportStale(options, project, previous, recorded, console);
    if (options.dryRun) {
        return;
    }
    WriteRunIndex(options.indexPath, RunDescription{project.ProjectFileName, RuleOf(options), sources},
                  recorded.outputs(), stale);
    if (!options.depfilePath.empty()) {
        std::vector<std::string> targets = OutputPaths(project, recorded.outputs());
        targets.insert(targets.begin(), options.indexPath);
        WriteDepfile(options.depfilePath, targets, InputPaths(options, sources));
    }
}

// A failure before the run or one that stopped it; the JSON stream still ends.
int Fail(RunConsole& console, const std::string& message, int exitCode, const RecordingLog* recorded = nullptr,
         int problems = 0)
{
    console.failed(message);
    console.done(Outcome{std::nullopt, problems}, recorded);
    return exitCode;
}

int RunProject(const ExtractOptions& options, RunConsole& console, Project& project)
{
    if (project.FrameCount() == 0 || project.Regions.empty()) {
        console.failed(NothingToExtract);
        console.done(Outcome{RunEnd::Finished, 1}, nullptr);
        return options.allowMissing ? 0 : Incomplete;
    }
    // An index file is read before the run, also when the run does not need
    // it: a file there that is not an index is the user's, and is not replaced.
    PreviousRun previous;
    if (!options.indexPath.empty()) {
        try {
            CheckIndexPlace(options.indexPath, JoinPath(project.ProjectFolder, OutputFolderName),
                            PlannedOutputNames(project));
            previous = ReadRunIndex(options.indexPath);
        } catch (const IndexError& error) {
            return Fail(console, error.what(), 2);
        }
    }
    // The flags override the project's switches for this run only.
    ExtractSwitches switches{options.clips.valueOr(project.Clips), options.backgrounds.valueOr(project.Backgrnds),
                             options.dryRun};
    switches.recordOutputs = !options.indexPath.empty();
    switches.previous = options.changed.empty() ? nullptr : &previous.outputs;
    switches.rule = RuleOf(options);
    std::vector<InputSource> sources;
    switches.sources = &sources;
    switches.pngLevel = options.pngLevel;
    switches.atlasLayout = AtlasLayoutOf(options.sheetFormat);
    if (!options.sheetRegion.empty()) {
        switches.onlySheetOf = SheetRegion(options, project);
    }

    RecordingLog recorded(console.log(), !options.indexPath.empty());
    ProblemLog problems(recorded, console.events());
    Outcome outcome;
    try {
        outcome.end = RunExtraction(project, switches, problems);
        outcome.problems = problems.problems();
        // An index always describes a whole run that wrote its files.
        if (*outcome.end == RunEnd::Finished) {
            FinishRun(options, project, previous, recorded, sources, console);
        }
    } catch (const IndexError& error) {
        return Fail(console, error.what(), 3, &recorded, problems.problems());
    } catch (const TolvError& error) {
        return Fail(console, error.what(), 3, &recorded, problems.problems());
    }
    console.done(outcome, &recorded);
    return outcome.problems > 0 && !options.allowMissing ? Incomplete : 0;
}

int RunExtract(const ExtractOptions& options)
{
    RunConsole console(options);
    console.started(options);
    try {
        // The run names each frame it cannot use; the load's general warning
        // would only repeat them.
        LoadedProject loaded = LoadProject(options.projectPath);
        return RunProject(options, console, *loaded.project);
    } catch (const CommandFailure& failure) {
        return Fail(console, failure.message, failure.exitCode);
    } catch (const std::bad_alloc&) {
        return Fail(console, OutOfMemoryMessage, 3);
    } catch (const std::length_error&) {
        return Fail(console, OutOfMemoryMessage, 3);
    }
}

void AddSheetFormatOption(CLI::App& command, std::string& format)
{
    command
        .add_option("--sheet-format", format,
                    "How atlases list their frames: hash (an object keyed by output name) or array (a list)")
        ->check(CLI::IsMember({"hash", "array"}))
        ->default_val("hash");
}

// grid:N for any N of 1 or more.
std::string CheckLayout(const std::string& text)
{
    return ParseArrangement(text) ? std::string() : "must be row, column, grid:N or packed";
}

}  // namespace

void AddSheetCommand(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<ExtractOptions>();
    CLI::App* command = app.add_subcommand(
        "sheet", "Write the sprite sheet and atlas of one clip region into VidIziz, without changing the project");
    command->add_option("--region", options->sheetRegion, "The clip region, by name")->required();
    command
        ->add_option("--layout", options->layout,
                     "row, column, grid:N (N columns) or packed (default: the region's layout, else row)")
        ->check(CLI::Validator(CheckLayout, "LAYOUT"));
    command->add_option("--padding", options->padding, "Pixels between frames (default: the region's, else 0)")
        ->check(CLI::Range(0, 1024));
    command->add_flag("--trim", options->trim, "Cut each frame down to the box of its pixels that are not background");
    command->add_option("--output", options->sheetFile,
                        "The sheet's name in VidIziz; the atlas is NAME.json beside it (default: the region's sheet, "
                        "else REGION.png)");
    command->add_flag("--dry-run", options->dryRun, "Print the log, writing nothing");
    command->add_flag("--json", options->json, "Print the run as JSON Lines events instead of the log texts");
    AddSheetFormatOption(*command, options->sheetFormat);
    AddColorOption(*command, options->color);
    command->add_option("project", options->projectPath, "The project file (.qvl)")->required();
    command->callback([options, &exitCode] { exitCode = RunExtract(*options); });
}

void AddExtractCommand(CLI::App& app, int& exitCode)
{
    auto options = std::make_shared<ExtractOptions>();
    CLI::App* command =
        app.add_subcommand("extract", "Write the project's clips and backgrounds into its VidIziz folder");
    options->clips.option = command->add_flag("--clips,!--no-clips", options->clips.value,
                                              "Write clips (default: the project's Clips switch)");
    options->backgrounds.option = command->add_flag("--backgrounds,!--no-backgrounds", options->backgrounds.value,
                                                    "Write backgrounds (default: the project's Backgrnds switch)");
    command->add_flag("--dry-run", options->dryRun,
                      "Go through the run and print its log, writing nothing (no VidIziz folder, no file, no index)");
    command->add_flag("--json", options->json, "Print the run as JSON Lines events instead of the log texts");
    CLI::Option* index = command->add_option(
        "--index", options->indexPath, "After a completed run, write the list of every file written to FILE (JSON)");
    command
        ->add_flag("--changed{stamp}", options->changed,
                   "Skip the outputs whose inputs are unchanged since the run that wrote the --index FILE: "
                   "--changed or --changed=stamp by the size and time of every frame and overlay, "
                   "--changed=content also by the hash of their bytes")
        ->check(CLI::IsMember({"stamp", "content"}))
        ->needs(index);
    command
        ->add_flag("--prune", options->prune,
                   "Remove the files the --index FILE lists that this run no longer makes, when they are still as "
                   "recorded")
        ->needs(index);
    command
        ->add_option("--depfile", options->depfilePath,
                     "After a completed run, write a make-style dependency file: the index and every output "
                     "depend on the project file and every frame and overlay read")
        ->needs(index);
    command->add_flag("--allow-missing", options->allowMissing,
                      "Exit 0 also when a frame or overlay could not be used or a row was refused (each is still "
                      "named); without it such a run exits 4");
    command->add_option("--png-level", options->pngLevel, "Compression of PNG outputs, 0 (fastest) to 9 (smallest)")
        ->check(CLI::Range(MinPngLevel, MaxPngLevel))
        ->default_val(DefaultPngLevel);
    AddSheetFormatOption(*command, options->sheetFormat);
    AddColorOption(*command, options->color);
    command->add_option("project", options->projectPath, "The project file (.qvl)")->required();
    command->callback([options, &exitCode] { exitCode = RunExtract(*options); });
}

}  // namespace tolv::cli
