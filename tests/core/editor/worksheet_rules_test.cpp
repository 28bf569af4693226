#include "editor/worksheet_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolv {
namespace {

struct Completion {
    const char* cell;
    const char* completed;
};

class CompleteBmpNameTest : public testing::TestWithParam<Completion> {};

TEST_P(CompleteBmpNameTest, AppendsBmpUnlessTheExtensionIsBmpOrPngInAnyCase)
{
    EXPECT_EQ(CompleteBmpName(GetParam().cell), GetParam().completed);
}

INSTANTIATE_TEST_SUITE_P(Cells, CompleteBmpNameTest,
                         testing::Values(Completion{"frame7", "frame7.bmp"}, Completion{"frame7.BMP", "frame7.BMP"},
                                         Completion{"frame7.Bmp", "frame7.Bmp"}, Completion{"a.b", "a.b.bmp"},
                                         Completion{"", ""}, Completion{"door.bmp.txt", "door.bmp.txt.bmp"},
                                         Completion{"name.", "name..bmp"}, Completion{".bmp", ".bmp"},
                                         Completion{"dir.v2/frame", "dir.v2/frame.bmp"},
                                         Completion{"dir.v2\\frame", "dir.v2\\frame.bmp"},
                                         Completion{"sub/f1.bmp", "sub/f1.bmp"}, Completion{" ", " .bmp"},
                                         Completion{"frame,7", "frame,7.bmp"}, Completion{"a.png", "a.png"},
                                         Completion{"A.PNG", "A.PNG"}, Completion{"a.Png", "a.Png"},
                                         Completion{"a.png.txt", "a.png.txt.bmp"}, Completion{"a.pn", "a.pn.bmp"},
                                         Completion{"dir.png/frame", "dir.png/frame.bmp"}));

TEST(FirstEmptyRow, FindsTheFirstEmptyCellFromTheTop)
{
    std::vector<std::string> cells(50);
    EXPECT_EQ(FirstEmptyRow(cells), 0);
    cells[0] = cells[1] = cells[2] = "f.bmp";
    EXPECT_EQ(FirstEmptyRow(cells), 3);
    cells[3] = "g.bmp";
    cells[1].clear();
    EXPECT_EQ(FirstEmptyRow(cells), 1);
}

TEST(FirstEmptyRow, AllFilledGivesNone)
{
    const std::vector<std::string> cells(50, "f.bmp");
    EXPECT_EQ(FirstEmptyRow(cells), -1);
    EXPECT_EQ(FirstEmptyRow({}), -1);
}

// Rows 1..count hold "in<row>" and "out<row>"; the rest are empty.
WorksheetCells NumberedRows(int count)
{
    WorksheetCells cells;
    for (int row = 0; row < count; ++row) {
        cells.InputFrame[row] = "in" + std::to_string(row + 1);
        cells.OutputFile[row] = "out" + std::to_string(row + 1);
    }
    return cells;
}

std::vector<std::string> FirstInputs(const WorksheetCells& cells, int count)
{
    return {cells.InputFrame.begin(), cells.InputFrame.begin() + count};
}

TEST(InsertRow, ShiftsTheRowsBelowDownAndDropsTheEmptyLastRow)
{
    WorksheetCells cells = NumberedRows(3);
    ASSERT_TRUE(InsertRow(cells, 1));
    EXPECT_EQ(FirstInputs(cells, 5), (std::vector<std::string>{"in1", "", "in2", "in3", ""}));
    EXPECT_EQ(cells.OutputFile[2], "out2") << "both columns shift";
    EXPECT_EQ(cells.OutputFile[1], "");
}

TEST(InsertRow, IsRefusedWhileTheLastRowIsInUse)
{
    for (const bool inputColumn : {true, false}) {
        WorksheetCells cells = NumberedRows(3);
        (inputColumn ? cells.InputFrame : cells.OutputFile).back() = "last";
        const WorksheetCells before = cells;
        EXPECT_FALSE(CanInsertRow(cells));
        EXPECT_FALSE(InsertRow(cells, 0));
        EXPECT_EQ(cells.InputFrame, before.InputFrame);
        EXPECT_EQ(cells.OutputFile, before.OutputFile);
    }
    WorksheetCells full = NumberedRows(WorksheetRows - 1);
    EXPECT_TRUE(InsertRow(full, WorksheetRows - 1)) << "a 49-row sheet takes one more";
    EXPECT_FALSE(InsertRow(full, WorksheetRows)) << "no such row";
}

TEST(DeleteRow, ShiftsTheRowsBelowUpAndEmptiesTheLastRow)
{
    WorksheetCells cells = NumberedRows(WorksheetRows);
    DeleteRow(cells, 0);
    EXPECT_EQ(FirstInputs(cells, 2), (std::vector<std::string>{"in2", "in3"}));
    EXPECT_EQ(cells.OutputFile[0], "out2");
    EXPECT_EQ(cells.InputFrame.back(), "");
    EXPECT_EQ(cells.OutputFile.back(), "");
    EXPECT_EQ(cells.InputFrame[WorksheetRows - 2], "in50");
    DeleteRow(cells, -1);
    EXPECT_EQ(cells.InputFrame[0], "in2");
}

struct Arrow {
    const char* name;
    CellCursor cursor;
    ArrowSide side;
    bool leaves;
};

class ArrowLeavesCellTest : public testing::TestWithParam<Arrow> {};

TEST_P(ArrowLeavesCellTest, LeavesOnlyWhenTheTextCursorCannotMoveThatWay)
{
    EXPECT_EQ(ArrowLeavesCell(GetParam().cursor, GetParam().side), GetParam().leaves);
}

INSTANTIATE_TEST_SUITE_P(Cursors, ArrowLeavesCellTest,
                         testing::Values(Arrow{"EmptyCellLeft", {0, 0, 0}, ArrowSide::Left, true},
                                         Arrow{"EmptyCellRight", {0, 0, 0}, ArrowSide::Right, true},
                                         Arrow{"WholeTextSelected", {6, 6, 6}, ArrowSide::Left, true},
                                         Arrow{"MiddleOfTheText", {6, 3, 0}, ArrowSide::Right, false},
                                         Arrow{"RightAtTheEnd", {6, 6, 0}, ArrowSide::Right, true},
                                         Arrow{"LeftAtTheEnd", {6, 6, 0}, ArrowSide::Left, false},
                                         Arrow{"LeftAtTheStart", {6, 0, 0}, ArrowSide::Left, true},
                                         Arrow{"RightAtTheStart", {6, 0, 0}, ArrowSide::Right, false},
                                         Arrow{"PartSelectedAtTheEnd", {6, 6, 2}, ArrowSide::Right, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
