#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tolv {

struct Region;

// Whether a region is selected: the current region, or a member of a group.
enum class SelectionState : std::uint8_t { None, Current, Group };

// The selection of the frame editor, one piece of the project: the selected
// regions with their states, the current region and the Tab anchor. The
// editing rules of editor/selection.h change it; views read it.
//
// The current region need not be selected: a region that leaves the group
// stays current until another one is made current or the selection is
// cleared. Without a current region no region is selected, as long as the
// rules keep it so.
//
// The selection also knows every region's list position, since it orders
// and records itself by position and the views draw and pick in list
// order. Whoever changes the region list calls followList afterwards.
class Selection {
public:
    SelectionState stateOf(const Region& region) const;
    bool contains(const Region& region) const { return stateOf(region) != SelectionState::None; }
    bool empty() const { return states_.empty(); }
    // How many regions are selected.
    std::size_t size() const { return states_.size(); }
    Region* current() const { return current_; }
    // The list position Tab and Shift+Tab go on from; -1 for none. It may
    // lie beyond the list after regions went.
    int anchor() const { return anchor_; }
    // The selected regions' list positions, ascending.
    std::vector<int> positions() const;
    // `region`'s list position; -1 for a region not in the list.
    int positionOf(const Region& region) const;

    // Puts `region` into `state`. Entering Current or Group makes it the
    // current region; going back to None leaves the current region alone.
    // Returns whether the state changed.
    bool set(Region& region, SelectionState state);
    void setCurrent(Region* region) { current_ = region; }
    void setAnchor(int position) { anchor_ = position; }
    // No region selected, no current region, no anchor.
    void clear();

    // Learns the positions of `regions`; regions no longer among them leave
    // the selection, and a current region among those leaves none. The
    // anchor is a position and stays.
    void followList(const std::vector<std::unique_ptr<Region>>& regions);

private:
    std::unordered_map<const Region*, SelectionState> states_;
    Region* current_ = nullptr;
    int anchor_ = -1;
    std::unordered_map<const Region*, int> positions_;
};

}  // namespace tolv
