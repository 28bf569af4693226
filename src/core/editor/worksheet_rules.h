#pragma once

#include <span>
#include <string>

namespace tolv {

// A worksheet cell completed as the arrow keys complete it: a non-empty name
// whose extension (from the last "." of its file-name part) is not ".bmp" in
// any letter case gets ".bmp" appended. "frame7" -> "frame7.bmp",
// "a.b" -> "a.b.bmp", "frame7.BMP" and "" stay as they are.
std::string CompleteBmpName(const std::string& cell);

// Index of the first empty cell, or -1 when every cell is filled: where a
// double-clicked frame goes in the Input frame column.
int FirstEmptyRow(std::span<const std::string> cells);

}  // namespace tolv
