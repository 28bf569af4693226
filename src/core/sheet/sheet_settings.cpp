#include "sheet/sheet_settings.h"

#include "platform/io/inifile.h"

#include <algorithm>
#include <charconv>

namespace tolv {

namespace {

constexpr std::string_view GridPrefix = "grid:";
// Far beyond any sheet's side in pixels.
constexpr int MaxSpacing = 1024;

std::optional<int> ParsePositive(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

int ReadSpacing(const IniReader& ini, const std::string& section, const std::string& key)
{
    const int value = ini.readInteger(section, key, 0);
    return value >= 0 && value <= MaxSpacing ? value : 0;
}

std::optional<SheetPivot> ReadPivot(const IniReader& ini, const std::string& section)
{
    const std::string text = ini.readString(section, "Pivot", "");
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    const std::optional<int> x = ParseIniInteger(std::string_view(text).substr(0, comma));
    const std::optional<int> y = ParseIniInteger(std::string_view(text).substr(comma + 1));
    if (!x || !y)
        return std::nullopt;
    return SheetPivot{*x, *y};
}

}  // namespace

std::optional<SheetLayout> ParseArrangement(std::string_view text, SheetLayout layout)
{
    if (text == "row") {
        layout.Arrangement = SheetArrangement::Row;
    } else if (text == "column") {
        layout.Arrangement = SheetArrangement::Column;
    } else if (text == "packed") {
        layout.Arrangement = SheetArrangement::Packed;
    } else if (text.starts_with(GridPrefix)) {
        const std::optional<int> columns = ParsePositive(text.substr(GridPrefix.size()));
        if (!columns)
            return std::nullopt;
        layout.Arrangement = SheetArrangement::Grid;
        layout.Columns = *columns;
    } else {
        return std::nullopt;
    }
    return layout;
}

std::string ArrangementText(const SheetLayout& layout)
{
    switch (layout.Arrangement) {
    case SheetArrangement::Row:
        return "row";
    case SheetArrangement::Column:
        return "column";
    case SheetArrangement::Grid:
        return std::string(GridPrefix) + std::to_string(layout.Columns);
    case SheetArrangement::Packed:
        return "packed";
    }
    return "row";
}

SheetSettings ReadSheetSettings(const IniReader& ini, const std::string& section)
{
    SheetSettings sheet;
    sheet.File = ini.readString(section, "Sheet", "");
    if (!sheet.enabled())
        return sheet;
    SheetLayout& layout = sheet.Layout;
    layout = ParseArrangement(ini.readString(section, "SheetLayout", ""), layout).value_or(layout);
    layout.Padding = ReadSpacing(ini, section, "SheetPadding");
    layout.Extrude = ReadSpacing(ini, section, "SheetExtrude");
    layout.Trim = ini.readBool(section, "SheetTrim", false);
    layout.Sizing = ini.readString(section, "SheetSize", "") == "pow2" ? SheetSizing::PowerOfTwo : SheetSizing::Free;
    sheet.SheetOnly = ini.readBool(section, "SheetOnly", false);
    sheet.FrameTime = std::max(0, ini.readInteger(section, "FrameTime", 0));
    sheet.Pivot = ReadPivot(ini, section);
    return sheet;
}

void WriteSheetSettings(IniWriter& ini, const std::string& section, const SheetSettings& sheet)
{
    if (!sheet.enabled())
        return;
    ini.writeString(section, "Sheet", sheet.File);
    ini.writeString(section, "SheetLayout", ArrangementText(sheet.Layout));
    ini.writeInteger(section, "SheetPadding", sheet.Layout.Padding);
    ini.writeInteger(section, "SheetExtrude", sheet.Layout.Extrude);
    ini.writeBool(section, "SheetTrim", sheet.Layout.Trim);
    ini.writeString(section, "SheetSize", sheet.Layout.Sizing == SheetSizing::PowerOfTwo ? "pow2" : "free");
    ini.writeBool(section, "SheetOnly", sheet.SheetOnly);
    if (sheet.FrameTime > 0)
        ini.writeInteger(section, "FrameTime", sheet.FrameTime);
    if (sheet.Pivot)
        ini.writeString(section, "Pivot", std::to_string(sheet.Pivot->X) + "," + std::to_string(sheet.Pivot->Y));
}

}  // namespace tolv
