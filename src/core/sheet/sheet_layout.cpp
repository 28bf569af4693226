#include "sheet/sheet_layout.h"

#include "stb_rect_pack.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace tolv {

namespace {

int PowerOfTwoAtLeast(int side)
{
    int power = 1;
    while (power < side)
        power *= 2;
    return power;
}

// The space a frame takes: its pixels and the extrusion on either side.
SheetSize CellOf(const SheetSize& frame, int extrude)
{
    return {frame.width + 2 * extrude, frame.height + 2 * extrude};
}

SheetSize LargestCell(const std::vector<SheetSize>& frames, int extrude)
{
    SheetSize largest;
    for (const SheetSize& frame : frames) {
        const SheetSize cell = CellOf(frame, extrude);
        largest = {std::max(largest.width, cell.width), std::max(largest.height, cell.height)};
    }
    return largest;
}

// Row, column and grid: each frame in its cell, cells `columns` to a row; a
// grid's cells all have the size of the largest frame, a row's and a
// column's the size of their own frame. Counted in 64 bits: 50 frames of the
// largest bitmaps with the widest spacing stay far within them.
SheetPlan PlanLines(const std::vector<SheetSize>& frames, const SheetLayout& layout)
{
    const bool uniform = layout.Arrangement == SheetArrangement::Grid;
    const int columns = layout.Arrangement == SheetArrangement::Row      ? int(frames.size())
                        : layout.Arrangement == SheetArrangement::Column ? 1
                                                                         : layout.Columns;
    const SheetSize largest = LargestCell(frames, layout.Extrude);
    SheetPlan plan;
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t lineHeight = 0;
    std::int64_t width = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (i > 0 && i % std::size_t(columns) == 0) {
            y += lineHeight + layout.Padding;
            x = 0;
            lineHeight = 0;
        }
        const SheetSize cell = uniform ? largest : CellOf(frames[i], layout.Extrude);
        plan.places.push_back({int(x + layout.Extrude), int(y + layout.Extrude)});
        width = std::max(width, x + cell.width);
        lineHeight = std::max<std::int64_t>(lineHeight, cell.height);
        x += cell.width + layout.Padding;
    }
    const std::int64_t height = y + lineHeight;
    if (width > MaxSheetSide || height > MaxSheetSide)
        throw SheetTooLargeError(int(width), int(height));
    plan.size = {int(width), int(height)};
    return plan;
}

// Packs the cells into a strip `width` wide; nothing when they do not fit
// within MaxSheetSide. Each cell carries the padding on its right and lower
// side, and so does the strip, so that the padding falls only between cells.
std::optional<SheetPlan> PackInto(const std::vector<SheetSize>& frames, const SheetLayout& layout, int width)
{
    std::vector<stbrp_rect> rects(frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const SheetSize cell = CellOf(frames[i], layout.Extrude);
        rects[i].id = int(i);
        rects[i].w = cell.width + layout.Padding;
        rects[i].h = cell.height + layout.Padding;
    }
    const int stripWidth = width + layout.Padding;
    std::vector<stbrp_node> nodes(static_cast<std::size_t>(stripWidth));
    stbrp_context context;
    stbrp_init_target(&context, stripWidth, MaxSheetSide + layout.Padding, nodes.data(), int(nodes.size()));
    if (!stbrp_pack_rects(&context, rects.data(), int(rects.size())))
        return std::nullopt;
    SheetPlan plan;
    plan.places.resize(frames.size());
    for (const stbrp_rect& rect : rects) {
        plan.places[std::size_t(rect.id)] = {rect.x + layout.Extrude, rect.y + layout.Extrude};
        plan.size.width = std::max(plan.size.width, rect.x + rect.w - layout.Padding);
        plan.size.height = std::max(plan.size.height, rect.y + rect.h - layout.Padding);
    }
    return plan;
}

// The widths tried for a packed sheet: from the widest cell to twice the
// side of a square holding all the cells, or every power of two in between.
std::vector<int> PackingWidths(const std::vector<SheetSize>& frames, const SheetLayout& layout)
{
    const int narrowest = LargestCell(frames, layout.Extrude).width;
    double area = 0;
    for (const SheetSize& frame : frames) {
        const SheetSize cell = CellOf(frame, layout.Extrude);
        area += double(cell.width + layout.Padding) * double(cell.height + layout.Padding);
    }
    const int widest = std::clamp(int(2 * std::sqrt(area)), narrowest, MaxSheetSide);
    std::vector<int> widths;
    if (layout.Sizing == SheetSizing::PowerOfTwo) {
        for (int width = PowerOfTwoAtLeast(narrowest); width <= MaxSheetSide; width *= 2) {
            widths.push_back(width);
            if (width >= widest)
                break;
        }
        return widths;
    }
    constexpr int Steps = 32;
    for (int step = 0; step <= Steps; ++step)
        widths.push_back(narrowest + int(std::int64_t(widest - narrowest) * step / Steps));
    widths.push_back(MaxSheetSide);
    return widths;
}

std::uint64_t AreaOf(const SheetSize& size)
{
    return std::uint64_t(size.width) * std::uint64_t(size.height);
}

// The packing with the shortest longest side, the smaller of equals: the
// sheet that fits the most engines, and near a square.
SheetPlan PlanPacked(const std::vector<SheetSize>& frames, const SheetLayout& layout)
{
    const SheetSize largest = LargestCell(frames, layout.Extrude);
    if (largest.width > MaxSheetSide || largest.height > MaxSheetSide)
        throw SheetTooLargeError(largest.width, largest.height);
    std::optional<SheetPlan> best;
    auto rounded = [&](SheetSize size) {
        return layout.Sizing == SheetSizing::PowerOfTwo
                   ? SheetSize{PowerOfTwoAtLeast(size.width), PowerOfTwoAtLeast(size.height)}
                   : size;
    };
    for (const int width : PackingWidths(frames, layout)) {
        std::optional<SheetPlan> plan = PackInto(frames, layout, width);
        if (!plan)
            continue;
        const SheetSize size = rounded(plan->size);
        const SheetSize bestSize = best ? rounded(best->size) : SheetSize{};
        const auto order = [](const SheetSize& sheet) {
            return std::pair(std::max(sheet.width, sheet.height), AreaOf(sheet));
        };
        if (!best || order(size) < order(bestSize))
            best = std::move(plan);
    }
    if (!best)
        throw SheetTooLargeError(MaxSheetSide + 1, MaxSheetSide + 1);
    return *best;
}

}  // namespace

SheetTooLargeError::SheetTooLargeError(int width, int height)
    : SheetError("the sheet would be " + std::to_string(width) + " x " + std::to_string(height) + " pixels, more than "
                 + std::to_string(MaxSheetSide) + " on a side")
{}

SheetPlan PlanSheet(const std::vector<SheetSize>& frames, const SheetLayout& layout)
{
    if (frames.empty())
        return {};
    SheetPlan plan =
        layout.Arrangement == SheetArrangement::Packed ? PlanPacked(frames, layout) : PlanLines(frames, layout);
    if (layout.Sizing == SheetSizing::PowerOfTwo)
        plan.size = {PowerOfTwoAtLeast(plan.size.width), PowerOfTwoAtLeast(plan.size.height)};
    if (plan.size.width > MaxSheetSide || plan.size.height > MaxSheetSide)
        throw SheetTooLargeError(plan.size.width, plan.size.height);
    return plan;
}

}  // namespace tolv
