#pragma once

#include "project/region.h"

#include <array>
#include <span>
#include <string>

namespace tolv {

// A worksheet cell completed as the arrow keys complete it: a non-empty name
// whose extension (from the last "." of its file-name part) is neither ".bmp"
// nor ".png" in any letter case gets ".bmp" appended. "frame7" -> "frame7.bmp",
// "a.b" -> "a.b.bmp", "frame7.BMP", "door.png" and "" stay as they are.
std::string CompleteBmpName(const std::string& cell);

// Index of the first empty cell, or -1 when every cell is filled: where a
// double-clicked frame goes in the Input frame column.
int FirstEmptyRow(std::span<const std::string> cells);

// Both columns of a worksheet's rows, as the Region Object Properties dialog
// edits them (row 1 at index 0).
struct WorksheetCells {
    std::array<std::string, WorksheetRows> InputFrame;
    std::array<std::string, WorksheetRows> OutputFile;
};

// A row can be put in only while the last row is empty: it falls off the end.
bool CanInsertRow(const WorksheetCells& cells);
// Puts an empty row in at index `row`, shifting it and the rows below down.
// Refused (false, nothing changed) when !CanInsertRow or row is no index.
bool InsertRow(WorksheetCells& cells, int row);
// Takes out the row at index `row`, shifting the rows below up; the last row
// becomes empty. Nothing happens when row is no index.
void DeleteRow(WorksheetCells& cells, int row);

// Where a cell editor's text cursor stands; selectionLength 0 when nothing is
// selected.
struct CellCursor {
    int textLength = 0;
    int position = 0;
    int selectionLength = 0;
};

enum class ArrowSide { Left, Right };

// Whether Left or Right leaves the cell for the neighbouring column rather
// than moving the text cursor: no text is being edited (the cell is empty or
// its whole text is selected, as a cell is entered), or the cursor already
// stands at that end of the text with nothing selected.
bool ArrowLeavesCell(const CellCursor& cursor, ArrowSide side);

}  // namespace tolv
