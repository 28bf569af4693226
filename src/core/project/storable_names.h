#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// What the project file can hold as it is. A frame name is a value of its
// own (the frame list), a worksheet row the value "input,,output"; the reader
// trims a value's blanks, takes away one pair of enclosing quotes, cuts it
// after the longest value it reads and splits a row at its commas, and a line
// break would end the line. A name that any of this would change cannot be
// stored, so it is refused where it enters (Region Object Properties, fill,
// paste, Project Setup) rather than bent; the check reports such names in a
// project that holds them already.
namespace tolv {

// Why `name` cannot be stored, in a sentence that calls it `what` ("Frame
// file", "Output file"); nothing when it can.
std::optional<std::string> UnstorableNameReason(std::string_view what, std::string_view name);

// The same for a worksheet row: either of its names, or the two together.
std::optional<std::string> UnstorableRowReason(std::string_view input, std::string_view output);

// For the first row of a worksheet (row 1 at index 0) that cannot be stored:
// "Row 3: " and its reason; nothing when every row can.
std::optional<std::string> UnstorableWorksheetReason(std::span<const std::string> inputs,
                                                     std::span<const std::string> outputs);

}  // namespace tolv
