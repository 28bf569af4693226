#include "project/region_clipboard.h"

#include "platform/inifile.h"
#include "project/project_file.h"
#include "project/region_reader.h"

namespace tolv {

std::string RegionsAsText(const std::vector<const Region*>& regions)
{
    IniWriter ini;
    ini.writeBool("Main", "Version2", true);
    WriteRegionSections(ini, regions);
    return ini.text();
}

// The reader appends to a project; one of its own keeps the open one out of it.
std::vector<Region> RegionsFromText(const std::string& text)
{
    Project read;
    ReadRegionSections(read, IniReader::FromText(text), OverlayBitmaps::Leave, RegionLayout::ByKeys);
    std::vector<Region> regions;
    regions.reserve(read.Regions.size());
    for (auto& region : read.Regions)
        regions.push_back(std::move(*region));
    return regions;
}

}  // namespace tolv
