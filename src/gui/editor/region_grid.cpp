#include "gui/editor/region_grid.h"

#include <algorithm>
#include <cstdint>

namespace tolv::gui {

namespace {

// Geometry from a file may lie anywhere in the int range, so the far edges
// are computed wide and held to it.
int Saturated(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

Rect RectOf(const Region& region)
{
    return {region.Left, region.Top, Saturated(std::int64_t(region.Left) + region.Width),
            Saturated(std::int64_t(region.Top) + region.Height)};
}

bool Meets(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int CellOf(int coordinate, int cells)
{
    const int cell = coordinate < 0 ? -1 : coordinate / RegionGrid::CellSize;
    return std::clamp(cell, 0, cells - 1);
}

}  // namespace

void RegionGrid::reset(int frameWidth, int frameHeight)
{
    columns_ = std::max(1, (frameWidth + CellSize - 1) / CellSize);
    rows_ = std::max(1, (frameHeight + CellSize - 1) / CellSize);
    cells_.assign(std::size_t(columns_) * std::size_t(rows_), {});
    rects_.clear();
}

// The last pixel, not the edge past it, decides the last cell.
RegionGrid::CellSpan RegionGrid::spanOf(const Rect& rect) const
{
    return {CellOf(rect.left, columns_), CellOf(rect.top, rows_),
            CellOf(Saturated(std::int64_t(rect.right) - 1), columns_),
            CellOf(Saturated(std::int64_t(rect.bottom) - 1), rows_)};
}

void RegionGrid::insert(Region& region)
{
    const Rect rect = RectOf(region);
    if (!rects_.emplace(&region, rect).second)
        return;
    const CellSpan span = spanOf(rect);
    for (int row = span.firstRow; row <= span.lastRow; ++row)
        for (int column = span.firstColumn; column <= span.lastColumn; ++column)
            cell(column, row).push_back({&region, rect});
}

void RegionGrid::remove(const Region& region)
{
    const auto found = rects_.find(&region);
    if (found == rects_.end())
        return;
    const CellSpan span = spanOf(found->second);
    for (int row = span.firstRow; row <= span.lastRow; ++row) {
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            std::vector<Entry>& entries = cell(column, row);
            const auto at = std::find_if(entries.begin(), entries.end(),
                                         [&region](const Entry& entry) { return entry.region == &region; });
            if (at != entries.end()) {
                *at = entries.back();
                entries.pop_back();
            }
        }
    }
    rects_.erase(found);
}

void RegionGrid::update(Region& region)
{
    const Rect* indexed = indexedRect(region);
    if (indexed && *indexed == RectOf(region))
        return;
    remove(region);
    insert(region);
}

// A region listed in several cells is reported by the first of them that
// the search looks at: the cell where its span and the search's span start.
std::vector<Region*> RegionGrid::meeting(const Rect& area) const
{
    std::vector<Region*> found;
    if (area.empty())
        return found;
    const CellSpan span = spanOf(area);
    for (int row = span.firstRow; row <= span.lastRow; ++row) {
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            for (const Entry& entry : cell(column, row)) {
                if (!Meets(entry.rect, area))
                    continue;
                const CellSpan own = spanOf(entry.rect);
                if (column == std::max(own.firstColumn, span.firstColumn)
                    && row == std::max(own.firstRow, span.firstRow))
                    found.push_back(entry.region);
            }
        }
    }
    return found;
}

const Rect* RegionGrid::indexedRect(const Region& region) const
{
    const auto found = rects_.find(&region);
    return found == rects_.end() ? nullptr : &found->second;
}

}  // namespace tolv::gui
