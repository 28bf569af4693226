#include "extract/sheet_clips.h"

#include "sheet/sheet_layout.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

TEST(SheetPreviewer, ComposesTheFirstSixteenRowsOfALongerSheetInItsLayout)
{
    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    build.frame("f1.bmp", test::PatternFrame(32, 24, 24, 1)).frame("f2.bmp", test::PatternFrame(32, 24, 24, 2));
    test::Rows rows;
    for (int n = 1; n <= 20; ++n)
        rows.emplace_back(n % 2 ? "f1.bmp" : "f2.bmp", "c" + std::to_string(n) + ".bmp");
    Region& region = build.region(RegionKind::Clip, 4, 4, 10, 8, rows);
    region.Sheet.File = "walk.png";
    region.Sheet.Layout.Arrangement = SheetArrangement::Column;
    region.Sheet.Layout.Padding = 1;

    const SheetPreview shown = SheetPreviewer(build.project).preview(region);
    EXPECT_EQ(shown.problem, "");
    EXPECT_EQ(shown.shownFrames, SheetPreviewer::FrameLimit);
    EXPECT_EQ(shown.sheetFrames, 20);
    const SheetSize planned =
        PlanSheet(std::vector<SheetSize>(SheetPreviewer::FrameLimit, {10, 8}), region.Sheet.Layout).size;
    EXPECT_EQ((SheetSize{shown.image.width(), shown.image.height()}), planned);
}

}  // namespace
}  // namespace tolv
