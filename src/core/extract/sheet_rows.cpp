#include "extract/sheet_rows.h"

#include "editor/frame_marks.h"
#include "extract/output_name.h"

namespace tolv {

bool MakesSheet(const Region& region)
{
    return region.RegionType == RegionKind::Clip && region.Sheet.enabled();
}

bool WritesSheetOnly(const Region& region)
{
    return MakesSheet(region) && region.Sheet.SheetOnly;
}

std::string AtlasNameOf(const std::string& sheetName)
{
    return sheetName + ".json";
}

std::optional<std::string> SheetNameRefusal(const std::string& sheetName)
{
    for (const std::string& name : {sheetName, AtlasNameOf(sheetName)}) {
        if (const NameFault fault = FaultOfOutputName(name); fault != NameFault::None) {
            return OutputNameRefusal(name, fault);
        }
    }
    return std::nullopt;
}

std::optional<int> FramePositionOf(const Project& project, const std::string& frameName)
{
    for (int i = 0; i < project.FrameCount(); ++i) {
        if (SameNameIgnoringCase(project.FrameNames[i], frameName)) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<int> SheetRows(const Project& project, const Region& region)
{
    std::vector<int> rows;
    for (int row = 0; row < WorksheetRows; ++row) {
        if (!region.OutputFile[row].empty() && FramePositionOf(project, region.InputFrame[row])) {
            rows.push_back(row);
        }
    }
    return rows;
}

SheetSource SheetSourceOf(const Region& region, int defaultFrameTime)
{
    const SheetSettings& sheet = region.Sheet;
    return {region.Name,
            {region.Left, region.Top, region.Width, region.Height},
            sheet.FrameTime > 0 ? sheet.FrameTime : defaultFrameTime,
            sheet.Pivot};
}

}  // namespace tolv
