#pragma once

#include "platform/errors.h"
#include "sheet/sheet_settings.h"

#include <vector>

namespace tolv {

// The largest side of a sheet that the common engines and graphics cards
// load.
constexpr int MaxSheetSide = 8192;

// A sheet that cannot be made from its frames; the text ends no sentence, so
// that it can follow the sheet's name.
class SheetError : public TolvError {
public:
    using TolvError::TolvError;
};

// A sheet that would be larger than MaxSheetSide on a side.
class SheetTooLargeError : public SheetError {
public:
    SheetTooLargeError(int width, int height);
};

struct SheetSize {
    int width = 0;
    int height = 0;
    bool operator==(const SheetSize&) const = default;
};

// Where a frame's own pixels start on the sheet; its extrusion lies around.
struct SheetPlace {
    int x = 0;
    int y = 0;
    bool operator==(const SheetPlace&) const = default;
};

struct SheetPlan {
    SheetSize size;
    // One per frame, in the order given.
    std::vector<SheetPlace> places;
};

// Places frames of these sizes (each at least 1 x 1) as the layout says:
// padding only between frames, extrusion around each. Raises
// SheetTooLargeError when the sheet cannot stay within MaxSheetSide.
SheetPlan PlanSheet(const std::vector<SheetSize>& frames, const SheetLayout& layout);

}  // namespace tolv
