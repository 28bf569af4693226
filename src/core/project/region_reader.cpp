#include "project/region_reader.h"

#include "platform/errors.h"
#include "platform/io/inifile.h"
#include "platform/saturating.h"
#include "project/frame_examination.h"
#include "project/project_identity.h"
#include "project/region_fields.h"
#include "project/region_overlay.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace tolv {

namespace {

constexpr int TextBarHeight = 20;

// The region that an old "TextBar" flag stands for: a white strip across the
// whole frame area, just above the frame, listing the same frames.
std::unique_ptr<Region> TextBarRegion(Project& project, const Region& source)
{
    auto bar = std::make_unique<Region>(-1, -1, SaturatingAdd(project.FrameAreaWidth, 2), TextBarHeight);
    bar->RegionType = RegionKind::TextBox;
    bar->Visible = source.Visible;
    bar->Title = false;
    bar->LineWidth = 1;
    bar->TitleHeight = 1;
    bar->TitleColor = colors::White;
    bar->BoxColor = colors::White;
    bar->InputFrame = source.InputFrame;
    bar->OutputFile = source.OutputFile;
    return bar;
}

// Appends a region read from the file, after its text bar if it has one, and
// lets the frame area grow to the region's size.
void AppendRegion(Project& project, std::unique_ptr<Region> region, bool textBar)
{
    if (textBar)
        project.Regions.push_back(TextBarRegion(project, *region));
    GrowFrameAreaFor(project, *region);
    project.Regions.push_back(std::move(region));
}

RegionKind StoredKind(int value)
{
    return value >= 0 && value <= 3 ? RegionKind(value) : RegionKind::Clip;
}

// The decodings of a value field, by the type of the value; a missing key
// gives `fallback`.
std::string ReadValue(const IniReader& ini, const std::string& section, const std::string& key,
                      const std::string& fallback)
{
    return ini.readString(section, key, fallback);
}

bool ReadValue(const IniReader& ini, const std::string& section, const std::string& key, bool fallback)
{
    return ini.readBool(section, key, fallback);
}

int ReadValue(const IniReader& ini, const std::string& section, const std::string& key, int fallback)
{
    return ini.readInteger(section, key, fallback);
}

Color ReadValue(const IniReader& ini, const std::string& section, const std::string& key, Color fallback)
{
    return Color(ini.readInteger(section, key, int(fallback)));
}

RegionKind ReadValue(const IniReader& ini, const std::string& section, const std::string& key, RegionKind fallback)
{
    return StoredKind(ini.readInteger(section, key, int(fallback)));
}

// Reads the value fields of one scope; a missing key leaves the region's
// default.
void ReadValueFields(Region& region, const IniReader& ini, const std::string& section, FieldScope scope)
{
    ForEachRegionField([&]<typename Field>(const Field& field) {
        if constexpr (requires { field.scope; }) {
            if (field.scope == scope)
                region.*field.member = ReadValue(ini, section, std::string(field.iniKey), region.*field.member);
        }
    });
}

// Nothing when the position sums to 0: such a section holds no region.
std::unique_ptr<Region> ReadPositionedRegion(const IniReader& ini, const std::string& section)
{
    const auto fields = SplitListFields(ini.readString(section, std::string(RegionPosition.iniKey), ""), 4);
    Region region;
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < RegionPosition.members.size(); ++i) {
        const int value = ParseIniInteger(fields[i]).value_or(0);
        region.*RegionPosition.members[i] = value;
        sum += value;
    }
    return sum == 0 ? nullptr : std::make_unique<Region>(std::move(region));
}

// A row the writer wrote is "input,,output"; a middle field or more commas
// than that come from a name that held one, which the split cut.
void NoteMisreadRow(Project& project, const Region& region, int row, const std::string& value,
                    const std::vector<std::string>& fields)
{
    if (fields[1].empty() && std::count(value.begin(), value.end(), ',') <= 2)
        return;
    project.MisreadRows.push_back(
        {region.Name + " <Clip " + std::to_string(row + 1) + ">",
         "A name in \"" + value
             + "\" holds a comma, which the project file puts between the names of a worksheet row: it was read as "
               "input frame \""
             + fields[0] + "\" and output file \"" + fields[2] + "\"."});
}

// "Clip1".."Clip50", each "input,middle,output"; rows close up over gaps.
// The columns are made whole at the end: set cell by cell they would be
// reallocated at every row.
void ReadCompactedRows(Project& project, Region& region, const IniReader& ini, const std::string& section)
{
    std::array<std::string, WorksheetRows> inputs;
    std::array<std::string, WorksheetRows> outputs;
    int row = 0;
    for (int key = 1; key <= WorksheetRows; ++key) {
        const std::string value =
            ini.readString(section, std::string(RegionWorksheet.rowKeyPrefix) + std::to_string(key), "");
        if (value.empty())
            continue;
        auto fields = SplitListFields(value, 3);
        NoteMisreadRow(project, region, row, value, fields);
        inputs[std::size_t(row)] = std::move(fields[0]);
        outputs[std::size_t(row)] = std::move(fields[2]);
        ++row;
    }
    region.*RegionWorksheet.input = WorksheetColumn(inputs);
    region.*RegionWorksheet.output = WorksheetColumn(outputs);
}

// An overlay file that exists but cannot be read leaves the region without
// overlay, like an invalid one, rather than ending the load half-way.
void LoadOverlayQuietly(Region& region, const std::string& projectFolder)
{
    try {
        LoadOverlay(region, projectFolder);
    } catch (const TolvError&) {
        FreeOverlay(region);
    }
}

// A section of the current layout ("Position", "Clip1".., text-box keys).
void ReadCurrentLayoutRegion(Project& project, const IniReader& ini, const std::string& section,
                             OverlayBitmaps overlays)
{
    if (!ini.sectionExists(section))
        return;
    auto region = ReadPositionedRegion(ini, section);
    if (!region)
        return;
    ReadValueFields(*region, ini, section, FieldScope::EveryRegion);
    const bool textBar = ini.readBool(section, "TextBar", false);
    if (!region->OVLName.empty() && region->RegionType == RegionKind::Background)
        region->RegionType = RegionKind::Overlay;
    if (region->RegionType == RegionKind::TextBox)
        ReadValueFields(*region, ini, section, FieldScope::TextBox);
    ReadCompactedRows(project, *region, ini, section);
    region->Sheet = ReadSheetSettings(ini, section);
    // The overlay may resize the region, so it is loaded before the frame area grows.
    if (region->RegionType == RegionKind::Overlay && overlays == OverlayBitmaps::Load)
        LoadOverlayQuietly(*region, project.ProjectFolder);
    AppendRegion(project, std::move(region), textBar);
}

// A section of the older layout ("left".."height", "In1"/"Out241"..).
void ReadOlderRegion(Project& project, const IniReader& ini, const std::string& section)
{
    if (!ini.sectionExists(section))
        return;
    auto region = std::make_unique<Region>(ini.readInteger(section, "left", 0), ini.readInteger(section, "top", 0),
                                           ini.readInteger(section, "width", 6), ini.readInteger(section, "height", 6));
    region->Name = ini.readString(section, "Name", "New Object");
    region->Visible = ini.readBool(section, "Visible", true);
    region->RegionType = ini.readBool(section, "Backgrnd", false) ? RegionKind::Background : RegionKind::Clip;
    const bool textBar = ini.readBool(section, "TextBar", false);
    region->OVLName = ini.readString(section, "OVLName", "");
    for (int row = 1; row <= WorksheetRows; ++row) {
        const std::string number = std::to_string(row);
        SetFilenames(*region, row, ini.readString(section, "In" + number, ""),
                     ini.readString(section, "Out24" + number, ""));
    }
    AppendRegion(project, std::move(region), textBar);
}

// The numbers of the region sections that exist, ascending.
std::vector<int> RegionNumbers(const IniReader& ini)
{
    std::vector<int> numbers;
    for (const std::string& name : ini.sectionNames()) {
        if (const int number = RegionSectionNumber(name); number >= 1)
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

// Main's Regions as a count: nothing when it is missing or no count at all.
// A count smaller than the sections present is a file whose deleted regions
// left their sections behind, as in-place updates of INI files do.
std::optional<int> RegionCount(const IniReader& ini)
{
    const std::optional<std::string> text = ini.findString("Main", "Regions");
    const std::optional<int> count = text ? ParseIniInteger(*text) : std::nullopt;
    if (count && *count < 0)
        return std::nullopt;
    return count;
}

std::string BadCountMessage(const IniReader& ini, std::size_t sections)
{
    const std::optional<std::string> text = ini.findString("Main", "Regions");
    const std::string what =
        text ? "The region count Regions=" + *text + " is not a count" : "The region count Regions is missing";
    return what + "; the " + std::to_string(sections) + " region sections present were read.";
}

}  // namespace

std::vector<std::string> SplitListFields(std::string_view text, int count)
{
    std::vector<std::string> fields;
    fields.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const std::size_t comma = text.find(',');
        fields.emplace_back(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return fields;
}

void ReadRegionSections(Project& project, const IniReader& ini, OverlayBitmaps overlays, RegionLayout layout)
{
    const bool marked = ini.readBool("Main", "Version2", false);
    std::vector<int> numbers = RegionNumbers(ini);
    // Without a count, a file without region sections lost nothing.
    if (const std::optional<int> count = RegionCount(ini))
        std::erase_if(numbers, [&](int number) { return number > *count; });
    else if (ini.findString("Main", "Regions") || !numbers.empty())
        project.UnreadParts.push_back({project.ProjectFilePath(), BadCountMessage(ini, numbers.size())});
    for (const int number : numbers) {
        const std::string section = "Region" + std::to_string(number);
        const bool byKeys = layout == RegionLayout::ByKeys && !ini.readString(section, "Position", "").empty();
        if (marked || byKeys)
            ReadCurrentLayoutRegion(project, ini, section, overlays);
        else
            ReadOlderRegion(project, ini, section);
    }
}

}  // namespace tolv
