#pragma once

#include "project/project.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace tolv {

// The selection by list position: what every step restores on undo and
// redo, next to the edit itself.
struct SelectionSnapshot {
    // (position, state) of every selected region, ascending.
    std::vector<std::pair<int, SelectionState>> States;
    // The position of the current region, which may be a region no longer
    // selected.
    int Current = -1;
    // The Tab anchor.
    int Anchor = -1;

    bool operator==(const SelectionSnapshot&) const = default;
    std::size_t bytes() const { return sizeof(*this) + States.capacity() * sizeof(States.front()); }
};

SelectionSnapshot TakeSelection(const Project& project);
// Valid for the region list the snapshot was taken of.
void RestoreSelection(Project& project, const SelectionSnapshot& selection);

// The list position of the current region, -1 without one.
int CurrentPosition(const Project& project);

}  // namespace tolv
