#pragma once

#include "editor/worksheet_rules.h"
#include "platform/errors.h"
#include "project/project.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tolv {

// Positions in the project's frame list (1-based, both ends included), every
// `step`-th from `from`.
struct FrameRange {
    int from = 1;
    int to = 1;
    int step = 1;
};

// Why a range is no range of positions: it starts before 1, runs backwards or
// steps by less than 1; nothing for a good range.
std::optional<std::string> FrameRangeFault(FrameRange range);

// "7", "1-50" or "1-50:2"; nothing for any other text and for a range with a
// FrameRangeFault.
std::optional<FrameRange> ParseFrameRange(std::string_view text);

// A region's whole worksheet as a fill leaves it: rows 1..rows filled, the
// others empty. Kept apart from the region so it can be shown before it is
// applied.
struct WorksheetFill : WorksheetCells {
    int rows = 0;
};

// A template or an output name that a fill cannot use; the text says why.
class FillError : public TolvError {
public:
    using TolvError::TolvError;
};

// Pairs the frames of `range` (positions past the frame list left out, at
// most WorksheetRows of them) with output names made from `outputTemplate`:
// literal text with {region} (the region's name), {frame} (the frame's file
// name without its extension), {n} (1 for the first row, and so on) and
// {n:0W} (the same, zero-padded to width W); {{ and }} stand for braces.
// Raises FillError for an unknown or unclosed field, for a range with a
// FrameRangeFault or without any frame of the list, for an output name the
// extraction would refuse, with the extraction's own text, and for a row the
// project file cannot hold (UnstorableWorksheetReason).
WorksheetFill PlanFill(const Project& project, const Region& region, FrameRange range, std::string_view outputTemplate);
// The same over a frame list of its own (position 1 is frameNames[0]), for a
// worksheet that is still being edited under the name regionName.
WorksheetFill PlanFill(std::span<const std::string> frameNames, std::string_view regionName, FrameRange range,
                       std::string_view outputTemplate);

// The region with the rows that take the frame at `position` (from 1) taken
// out of its worksheet, or, when none does, with a row for that frame after
// its last row in use, its output named {region}_{n:03}.bmp for n = the
// position. Raises FillError as PlanFill does, and when no row is left.
Region WithFrameToggled(const Project& project, const Region& region, int position);

// Replaces every row of the region's worksheet by the fill's.
void ApplyFill(Region& region, const WorksheetFill& fill);

}  // namespace tolv
