#include "cli/cli_commands.h"
#include "cli/cli_project.h"
#include "cli/console_log.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <string>

namespace tolv::cli {

namespace {

using Json = nlohmann::ordered_json;

Json RowsJson(const Region& region)
{
    Json rows = Json::array();
    for (int row = 0; row < WorksheetRows; ++row) {
        if (region.rowInUse(row))
            rows.push_back({{"Row", row + 1}, {"InputFrame", region.InputFrame[row]}, {"OutputFile", region.OutputFile[row]}});
    }
    return rows;
}

Json RegionJson(const Region& region)
{
    return {{"Name", region.Name},
            {"Left", region.Left},
            {"Top", region.Top},
            {"Width", region.Width},
            {"Height", region.Height},
            {"Visible", region.Visible},
            {"RegionType", int(region.RegionType)},
            {"OVLName", region.OVLName},
            {"Title", region.Title},
            {"LineWidth", region.LineWidth},
            {"TitleHeight", region.TitleHeight},
            {"TitleColor", region.TitleColor},
            {"BoxColor", region.BoxColor},
            {"Rows", RowsJson(region)}};
}

// "Modified" says whether the project as read would open as unsaved edits.
Json ProjectJson(const Project& project, const LoadResult& read)
{
    Json frames = Json::array();
    for (int i = 1; i <= project.FrameCount(); ++i)
        frames.push_back({{"Name", project.FrameName(i)}, {"Status", project.FrameStatusOf(i)}});
    Json regions = Json::array();
    for (const auto& region : project.Regions)
        regions.push_back(RegionJson(*region));
    return {{"ProjectFolder", project.ProjectFolder},
            {"ProjectFileName", project.ProjectFileName},
            {"Modified", !read.NeedsSaving.empty()},
            {"LockObj", project.LockObj},
            {"ShowPreview", project.ShowPreview},
            {"NudgeStep", project.NudgeStep},
            {"CleanEdges", project.CleanEdges},
            {"Rep", project.Rep},
            {"Job", project.Job},
            {"Clips", project.Clips},
            {"Backgrnds", project.Backgrnds},
            {"PreFilterFile", project.PreFilterFile},
            {"FrameAreaWidth", project.FrameAreaWidth},
            {"FrameAreaHeight", project.FrameAreaHeight},
            {"Frames", frames},
            {"Regions", regions}};
}

// The readable form: one "Name: value" line per field, the fields of each
// list item indented under it, its first one behind "- ". The first line goes
// behind `first`, the others behind `rest`.
void PrintFields(std::ostream& out, const Json& object, const std::string& first, const std::string& rest)
{
    const std::string* prefix = &first;
    for (const auto& [key, field] : object.items()) {
        if (field.is_array()) {
            out << *prefix << key << ":" << (field.empty() ? " none" : "") << '\n';
            for (const auto& item : field)
                PrintFields(out, item, rest + "  - ", rest + "    ");
        } else {
            const std::string value = field.is_string() ? EscapeControls(field.get<std::string>()) : field.dump();
            out << *prefix << key << ": " << value << '\n';
        }
        prefix = &rest;
    }
}

}  // namespace

void AddShowCommand(CLI::App& app, int& exitCode)
{
    auto* command = app.add_subcommand("show", "Print a project as it loads");
    auto json = std::make_shared<bool>(false);
    auto path = std::make_shared<std::string>();
    command->add_flag("--json", *json, "Print one JSON object");
    command->add_option("PROJECT", *path, "Project file (.qvl)")->required();
    command->callback([json, path, &exitCode] {
        const LoadedProject loaded = LoadProjectOrExit(*path);
        const Json model = ProjectJson(*loaded.project, loaded.result);
        if (*json)
            std::cout << model.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
        else
            PrintFields(std::cout, model, "", "");
        exitCode = 0;
    });
}

}  // namespace tolv::cli
