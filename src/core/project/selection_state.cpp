#include "project/selection_state.h"

#include <algorithm>

namespace tolv {

SelectionState Selection::stateOf(const Region& region) const
{
    const auto found = states_.find(&region);
    return found == states_.end() ? SelectionState::None : found->second;
}

std::vector<int> Selection::positions() const
{
    std::vector<int> positions;
    positions.reserve(states_.size());
    for (const auto& [region, state] : states_)
        positions.push_back(positionOf(*region));
    std::sort(positions.begin(), positions.end());
    return positions;
}

int Selection::positionOf(const Region& region) const
{
    const auto found = positions_.find(&region);
    return found == positions_.end() ? -1 : found->second;
}

bool Selection::set(Region& region, SelectionState state)
{
    if (stateOf(region) == state)
        return false;
    if (state == SelectionState::None) {
        states_.erase(&region);
        return true;
    }
    states_[&region] = state;
    current_ = &region;
    return true;
}

void Selection::clear()
{
    states_.clear();
    current_ = nullptr;
    anchor_ = -1;
}

// The regions still in the list keep their entries, so that a change of a
// long list allocates only for the regions that came.
void Selection::followList(const std::vector<std::unique_ptr<Region>>& regions)
{
    for (std::size_t i = 0; i < regions.size(); ++i)
        positions_.insert_or_assign(regions[i].get(), int(i));
    std::erase_if(positions_, [&regions](const auto& entry) {
        const auto [region, position] = entry;
        return std::size_t(position) >= regions.size() || regions[std::size_t(position)].get() != region;
    });
    std::erase_if(states_, [this](const auto& entry) { return !positions_.contains(entry.first); });
    if (current_ && !positions_.contains(current_))
        current_ = nullptr;
}

}  // namespace tolv
