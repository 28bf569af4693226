#include "cli/cli_commands.h"
#include "cli/cli_project.h"
#include "cli/console_log.h"

#include "project/region_fields.h"

#include <nlohmann/json.hpp>

#include <array>
#include <iostream>
#include <memory>
#include <string>

namespace tolv::cli {

namespace {

using Json = nlohmann::ordered_json;

Json RowsJson(const Region& region, const WorksheetField& field)
{
    Json rows = Json::array();
    for (int row = 0; row < WorksheetRows; ++row) {
        if (region.rowInUse(row))
            rows.push_back({{"Row", row + 1},
                            {"InputFrame", (region.*field.input)[row]},
                            {"OutputFile", (region.*field.output)[row]}});
    }
    return rows;
}

Json ValueJson(const std::string& value)
{
    return value;
}

Json ValueJson(bool value)
{
    return value;
}

Json ValueJson(int value)
{
    return value;
}

Json ValueJson(Color value)
{
    return value;
}

Json ValueJson(RegionKind value)
{
    return int(value);
}

// Nothing for a region without a sheet, which shows as it always did.
Json SheetJson(const SheetSettings& sheet)
{
    if (!sheet.enabled())
        return Json::object();
    const SheetLayout& layout = sheet.Layout;
    Json keys{{"File", sheet.File},           {"Layout", ArrangementText(layout)},
              {"Padding", layout.Padding},    {"Extrude", layout.Extrude},
              {"Trim", layout.Trim},          {"PowerOfTwo", layout.Sizing == SheetSizing::PowerOfTwo},
              {"SheetOnly", sheet.SheetOnly}, {"FrameTime", sheet.FrameTime}};
    if (sheet.Pivot)
        keys["Pivot"] = {{"X", sheet.Pivot->X}, {"Y", sheet.Pivot->Y}};
    return keys;
}

// The keys of one field, as an object of its own.
struct FieldJson {
    const Region& region;

    template <typename Value>
    Json operator()(const ValueField<Value>& field) const
    {
        return {{field.jsonKey, ValueJson(region.*field.member)}};
    }
    Json operator()(const PositionField& field) const
    {
        Json keys;
        for (std::size_t i = 0; i < field.members.size(); ++i)
            keys[std::string(field.jsonKeys[i])] = region.*field.members[i];
        return keys;
    }
    Json operator()(const WorksheetField& field) const { return {{field.jsonKey, RowsJson(region, field)}}; }
    Json operator()(const SheetField& field) const
    {
        Json sheet = SheetJson(region.*field.member);
        return sheet.empty() ? sheet : Json{{field.jsonKey, sheet}};
    }
};

Json RegionJson(const Region& region)
{
    std::array<Json, RegionFieldCount> shown;
    ForEachRegionField([&](const auto& field) { shown[std::size_t(field.shownAt)] = FieldJson{region}(field); });
    Json object = Json::object();
    for (const Json& keys : shown)
        object.update(keys);
    return object;
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
