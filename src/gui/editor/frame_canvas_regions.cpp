// The canvas's region items, one per region of the document.
#include "gui/editor/frame_canvas.h"

#include "document/document.h"
#include "gui/editor/region_item.h"

namespace tolv::gui {

// Before anything of a new project shows: no items, no gesture.
void FrameCanvas::resetItems()
{
    for (auto& [region, item] : items_)
        delete item;
    items_.clear();
    endGesture();
    adoptRegions();
}

// Creates the item of every region that has none and stacks the items in
// list order, so later regions lie above earlier ones also when an undo puts
// a region back in the middle of the list.
void FrameCanvas::adoptRegions()
{
    for (const auto& region : project().Regions) {
        auto found = items_.find(region.get());
        if (found == items_.end())
            found = items_.emplace(region.get(), new RegionItem(*this, *region)).first;
        found->second->raise();
    }
}

RegionItem* FrameCanvas::itemOf(const Region* region) const
{
    const auto found = items_.find(region);
    return found == items_.end() ? nullptr : found->second;
}

void FrameCanvas::dropItem(const Region* region)
{
    const auto found = items_.find(region);
    if (found == items_.end())
        return;
    // A gesture on a region that goes away ends with it.
    endGesture();
    delete found->second;
    items_.erase(found);
}

void FrameCanvas::syncItems()
{
    for (auto& [region, item] : items_)
        item->sync();
}

}  // namespace tolv::gui
