#include "project/worksheet_column.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tolv {
namespace {

TEST(WorksheetColumn, KeepsOnlyTheRowsUpToTheLastFilledOneAndReadsTheRestAsEmpty)
{
    WorksheetColumn column;
    column.set(4, "f5.bmp");
    EXPECT_EQ(column.storedRows(), 5u);
    EXPECT_EQ(column[4], "f5.bmp");
    EXPECT_EQ(column[49], "");
    EXPECT_EQ(column.storedRows(), 5u) << "reading a row makes no room for it";
    column.set(WorksheetRows, "past the end");
    EXPECT_EQ(column.storedRows(), 5u);

    column.set(4, "");
    EXPECT_EQ(column.storedRows(), 0u);
    EXPECT_EQ(column, WorksheetColumn()) << "a column emptied again equals one never filled";
}

TEST(WorksheetColumn, ComesFromAndGoesToTheCellsOfAWholeColumn)
{
    std::array<std::string, WorksheetRows> cells;
    cells[1] = "b";
    cells[WorksheetRows - 1] = "last";
    const WorksheetColumn column(cells);
    EXPECT_EQ(column.back(), "last");
    const std::array<std::string, WorksheetRows> back = column;
    EXPECT_EQ(back, cells);
    EXPECT_EQ(std::count(column.begin(), column.end(), ""), WorksheetRows - 2);
}

}  // namespace
}  // namespace tolv
