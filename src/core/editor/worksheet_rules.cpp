#include "editor/worksheet_rules.h"

#include <algorithm>
#include <cctype>

namespace tolv {

namespace {

std::string UpperExtension(const std::string& name)
{
    const auto nameStart = name.find_last_of("/\\");
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart))
        return {};
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return extension;
}

bool IsRowIndex(int row)
{
    return row >= 0 && row < WorksheetRows;
}

// Every column of the worksheet, so a shift never forgets one.
template <class Shift>
void ShiftColumns(WorksheetCells& cells, Shift shift)
{
    shift(cells.InputFrame);
    shift(cells.OutputFile);
}

}  // namespace

std::string CompleteBmpName(const std::string& cell)
{
    const std::string extension = UpperExtension(cell);
    if (cell.empty() || extension == ".BMP" || extension == ".PNG")
        return cell;
    return cell + ".bmp";
}

int FirstEmptyRow(std::span<const std::string> cells)
{
    const auto empty = std::find_if(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
    return empty == cells.end() ? -1 : int(empty - cells.begin());
}

bool CanInsertRow(const WorksheetCells& cells)
{
    return cells.InputFrame.back().empty() && cells.OutputFile.back().empty();
}

bool InsertRow(WorksheetCells& cells, int row)
{
    if (!IsRowIndex(row) || !CanInsertRow(cells))
        return false;
    ShiftColumns(cells, [row](auto& column) { std::rotate(column.begin() + row, column.end() - 1, column.end()); });
    return true;
}

void DeleteRow(WorksheetCells& cells, int row)
{
    if (!IsRowIndex(row))
        return;
    ShiftColumns(cells, [row](auto& column) {
        std::rotate(column.begin() + row, column.begin() + row + 1, column.end());
        column.back().clear();
    });
}

bool ArrowLeavesCell(const CellCursor& cursor, ArrowSide side)
{
    if (cursor.textLength == 0 || cursor.selectionLength == cursor.textLength)
        return true;
    if (cursor.selectionLength > 0)
        return false;
    return cursor.position == (side == ArrowSide::Left ? 0 : cursor.textLength);
}

}  // namespace tolv
