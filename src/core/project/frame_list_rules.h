#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace tolv {

// The Project Setup list refuses a frame beyond the project's 50.
bool FrameListFull(std::size_t frameCount);
extern const char* const FrameListFullMessage;

// Alphabetical order ignoring letter case: the sorted "Use in Project" list.
bool NameLessIgnoringCase(const std::string& a, const std::string& b);
// Where a name goes in a list kept in that order: after its equals.
std::size_t SortedInsertIndex(const std::vector<std::string>& sorted, const std::string& name);
void SortIgnoringCase(std::vector<std::string>& names);

// The moves of the "Use in Project" list. Each gives the list's new order:
// order[i] is the old position of the entry that now stands at i. `selected`
// holds the positions of the entries moved, ascending and distinct; they keep
// their order among themselves.
using ListOrder = std::vector<std::size_t>;
// Each selected entry one place up, past the unselected entry just above it;
// selected entries with none above them stay.
ListOrder OrderMovedUp(std::size_t count, std::span<const std::size_t> selected);
// The same downwards.
ListOrder OrderMovedDown(std::size_t count, std::span<const std::size_t> selected);
// The selected entries together before the entry at `target` (count: at the
// end), as a drag inside the list drops them.
ListOrder OrderMovedTo(std::size_t count, std::span<const std::size_t> selected, std::size_t target);
// Whether an order puts any entry elsewhere: a move is offered only then.
bool MovesAnything(const ListOrder& order);

// The picture files of a folder: names that end in ".bmp" or ".png" in any
// letter case, as stored on disk, in alphabetical order ignoring case. A
// folder that does not exist or cannot be read lists nothing.
std::vector<std::string> ListFrameFiles(const std::string& folder);

}  // namespace tolv
