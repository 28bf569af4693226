#include "project/worksheet_column.h"

#include <algorithm>

namespace tolv {

WorksheetColumn::WorksheetColumn(const std::array<std::string, WorksheetRows>& cells)
    : cells_(cells.begin(), cells.end())
{
    trim();
}

WorksheetColumn::operator std::array<std::string, WorksheetRows>() const
{
    std::array<std::string, WorksheetRows> cells;
    std::copy(cells_.begin(), cells_.end(), cells.begin());
    return cells;
}

const std::string& WorksheetColumn::operator[](std::size_t row) const
{
    static const std::string empty;
    return row < cells_.size() ? cells_[row] : empty;
}

void WorksheetColumn::set(std::size_t row, std::string text)
{
    if (row >= WorksheetRows)
        return;
    if (row >= cells_.size()) {
        if (text.empty())
            return;
        // Grown to the row and no further, so that trim() has nothing to give back.
        cells_.reserve(row + 1);
        cells_.resize(row + 1);
    }
    cells_[row] = std::move(text);
    trim();
}

void WorksheetColumn::trim()
{
    while (!cells_.empty() && cells_.back().empty())
        cells_.pop_back();
    cells_.shrink_to_fit();
}

}  // namespace tolv
