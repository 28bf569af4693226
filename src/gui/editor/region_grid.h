#pragma once

#include "platform/image/raster.h"
#include "project/region.h"

#include <unordered_map>
#include <vector>

namespace tolv::gui {

// A uniform grid of square cells over the frame area that lists, per cell,
// the regions whose rectangle meets it, so that painting an exposed part of
// the canvas and finding the region under the pointer look at the regions
// near that place only. Regions that reach past the frame (or lie wholly
// off it) are listed in the cells along the edge they lie beyond, so every
// region is found by a search that reaches that far.
//
// The grid keeps each region's rectangle as it was indexed: the canvas
// calls update() for every region the document reports changed, so the
// rectangle can be taken out of the cells it was listed in.
class RegionGrid {
public:
    // Frame pixels per cell side: large enough that a small region lies in
    // one or a few cells, small enough that a cell lists few of 100,000.
    static constexpr int CellSize = 64;

    // An empty grid over a frame area of at least 1 x 1.
    void reset(int frameWidth, int frameHeight);
    void insert(Region& region);
    void remove(const Region& region);
    // After the region's geometry changed.
    void update(Region& region);

    // Every region listed whose indexed rectangle meets `area` (frame
    // pixels), each once, in no particular order.
    std::vector<Region*> meeting(const Rect& area) const;
    // The rectangle as indexed; nullptr for a region not in the grid.
    const Rect* indexedRect(const Region& region) const;
    std::size_t size() const { return rects_.size(); }

private:
    struct Entry {
        Region* region;
        Rect rect;
    };
    struct CellSpan {
        int firstColumn, firstRow, lastColumn, lastRow;
    };
    CellSpan spanOf(const Rect& rect) const;
    std::vector<Entry>& cell(int column, int row)
    {
        return cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)];
    }
    const std::vector<Entry>& cell(int column, int row) const
    {
        return cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)];
    }

    int columns_ = 1;
    int rows_ = 1;
    std::vector<std::vector<Entry>> cells_ = std::vector<std::vector<Entry>>(1);
    std::unordered_map<const Region*, Rect> rects_;
};

}  // namespace tolv::gui
