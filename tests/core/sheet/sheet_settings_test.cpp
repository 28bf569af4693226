#include "platform/io/inifile.h"
#include "sheet/sheet_settings.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

SheetSettings RoundTrip(const SheetSettings& sheet)
{
    IniWriter ini;
    WriteSheetSettings(ini, "Region1", sheet);
    return ReadSheetSettings(IniReader::FromText(ini.text()), "Region1");
}

SheetSettings Named(const std::string& file)
{
    SheetSettings sheet;
    sheet.File = file;
    return sheet;
}

TEST(SheetSettings, EveryChoiceComesBackAsWritten)
{
    SheetSettings packed{
        "walk.png", {SheetArrangement::Packed, 1, 2, 1, true, SheetSizing::PowerOfTwo}, true, 80, SheetPivot{3, -4}};
    SheetSettings grid = Named("walk.bmp");
    grid.Layout = {SheetArrangement::Grid, 5, 0, 0, false, SheetSizing::Free};
    SheetSettings column = Named("c.png");
    column.Layout = {SheetArrangement::Column, 1, 7, 3, false, SheetSizing::Free};
    for (const SheetSettings& sheet : {packed, grid, column, Named("row.png")})
        EXPECT_EQ(RoundTrip(sheet), sheet) << sheet.File;
}

TEST(SheetSettings, ARegionWithoutSheetWritesNoKey)
{
    IniWriter ini;
    WriteSheetSettings(ini, "Region1", SheetSettings{});
    EXPECT_EQ(ini.text(), "");
}

// A file from a later version, or edited by hand, still opens.
TEST(SheetSettings, UnreadableValuesLeaveTheirDefaults)
{
    const IniReader ini = IniReader::FromText("[Region1]\nSheet=a.png\nSheetLayout=spiral\nSheetPadding=-3\n"
                                              "SheetExtrude=99999\nFrameTime=-5\nPivot=1;2\n");
    EXPECT_EQ(ReadSheetSettings(ini, "Region1"), Named("a.png"));
}

TEST(SheetSettings, ArrangementTexts)
{
    struct Case {
        const char* text;
        std::optional<SheetArrangement> arrangement;
        int columns;
    };
    for (const Case& c : {Case{"row", SheetArrangement::Row, 1}, Case{"column", SheetArrangement::Column, 1},
                          Case{"grid:4", SheetArrangement::Grid, 4}, Case{"packed", SheetArrangement::Packed, 1},
                          Case{"grid:0", std::nullopt, 0}, Case{"grid:", std::nullopt, 0},
                          Case{"grid:3x", std::nullopt, 0}, Case{"Row", std::nullopt, 0}}) {
        const std::optional<SheetLayout> layout = ParseArrangement(c.text);
        ASSERT_EQ(layout.has_value(), c.arrangement.has_value()) << c.text;
        if (!layout)
            continue;
        EXPECT_EQ(layout->Arrangement, *c.arrangement) << c.text;
        EXPECT_EQ(layout->Columns, c.columns) << c.text;
        EXPECT_EQ(ArrangementText(*layout), c.text);
    }
}

}  // namespace
}  // namespace tolv
