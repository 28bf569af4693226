#include "project/region_clipboard.h"

#include "platform/io/inifile.h"
#include "project/project_file.h"
#include "project/region_reader.h"
#include "project/storable_names.h"

#include <optional>

namespace tolv {

std::string RegionsAsText(const std::vector<const Region*>& regions)
{
    IniWriter ini;
    ini.writeBool("Main", "Version2", true);
    WriteRegionSections(ini, regions);
    return ini.text();
}

namespace {

// The first row of the regions read that a project file cannot hold: one
// whose text the reader had to cut, or one with a name that cannot be stored.
std::optional<FileFinding> FirstUnstorableRow(const Project& read)
{
    if (!read.MisreadRows.empty())
        return read.MisreadRows.front();
    for (const auto& region : read.Regions) {
        for (int row = 0; row < WorksheetRows; ++row) {
            if (auto reason = UnstorableRowReason(region->InputFrame[row], region->OutputFile[row]))
                return FileFinding{region->Name + " <Clip " + std::to_string(row + 1) + ">", std::move(*reason)};
        }
    }
    return std::nullopt;
}

}  // namespace

// The reader appends to a project; one of its own keeps the open one out of it.
std::vector<Region> RegionsFromText(const std::string& text)
{
    Project read;
    ReadRegionSections(read, IniReader::FromText(text), OverlayBitmaps::Leave, RegionLayout::ByKeys);
    if (read.ReadIncompletely())
        return {};
    if (const std::optional<FileFinding> row = FirstUnstorableRow(read))
        throw UnstorableRegionsError("Regions with a name that a project file cannot hold are not pasted. "
                                     + row->Subject + ": " + row->Message);
    std::vector<Region> regions;
    regions.reserve(read.Regions.size());
    for (auto& region : read.Regions)
        regions.push_back(std::move(*region));
    return regions;
}

}  // namespace tolv
