#include "document/region_edits.h"

#include <algorithm>

namespace tolv {

namespace {

std::size_t RegionBytes(const std::vector<RegionListEdit::Slot>& slots)
{
    std::size_t bytes = 0;
    for (const RegionListEdit::Slot& slot : slots)
        bytes += sizeof(Region) + HeapBytes(*slot.region);
    return bytes;
}

}  // namespace

RegionListEdit::RegionListEdit(StepName step, Direction direction, std::vector<Slot> slots)
    : step_(step), direction_(direction), slots_(std::move(slots))
{
    if (direction_ == Direction::Insert)
        regionBytes_ = RegionBytes(slots_);
}

void RegionListEdit::apply(Project& project, DocumentChange& change)
{
    if (direction_ == Direction::Insert)
        insert(project, change);
    else
        remove(project, change);
}

void RegionListEdit::revert(Project& project, DocumentChange& change)
{
    if (direction_ == Direction::Insert)
        remove(project, change);
    else
        insert(project, change);
}

std::string RegionListEdit::name() const
{
    return step_.text(slots_.size());
}

std::size_t RegionListEdit::bytes() const
{
    return sizeof(*this) + slots_.capacity() * sizeof(Slot) + regionBytes_;
}

// Ascending, so that each region lands at the position it was recorded at.
void RegionListEdit::insert(Project& project, DocumentChange& change)
{
    for (Slot& slot : slots_) {
        change.added.push_back(slot.region.get());
        project.Regions.insert(project.Regions.begin() + slot.index, std::move(slot.region));
    }
    project.RegionListChanged();
}

// Descending, so that the positions of the regions still to go hold.
void RegionListEdit::remove(Project& project, DocumentChange& change)
{
    for (auto slot = slots_.rbegin(); slot != slots_.rend(); ++slot) {
        auto position = project.Regions.begin() + slot->index;
        slot->region = std::move(*position);
        project.Regions.erase(position);
        change.removed.push_back(slot->region.get());
    }
    regionBytes_ = RegionBytes(slots_);
    project.RegionListChanged();
}

std::string RegionOrderEdit::name() const
{
    return steps::ReorderRegion.text(1);
}

void RegionOrderEdit::move(Project& project, int from, int to, DocumentChange& change)
{
    auto first = project.Regions.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    project.RegionListChanged();
    change.orderChanged = true;
}

}  // namespace tolv
