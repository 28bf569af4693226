#pragma once

#include "project/project.h"
#include "project/region.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tolv {

// The selection rules of the frame editor, over the project's Selection
// (project/selection_state.h). They change the model only; the canvas
// repaints the regions whose state changed and updates menus and the quick
// pick afterwards. Invariant kept by every function: without a current
// region no region is selected.

// Makes the region at list position `index` the current region (state 1)
// and the Tab anchor; the previous current region goes back to 0, other
// group members keep their state. Nothing happens for an index outside the
// list. Returns the region made current, or nullptr.
Region* SelectRegion(Project& project, int index);

// Tab and Shift+Tab: the next or previous visible region in list order
// from the Tab anchor, wrapping at either end; without an anchor (-1) they
// start at the first or last. Hidden regions are passed over, since they
// could be moved and deleted unseen. nullptr, and nothing changes, when no
// region is visible.
Region* SelectNext(Project& project);
Region* SelectPrevious(Project& project);

// A change of the selection asked for by a click, Tab, Esc or the quick
// pick; `position` is the region's list position.
struct SelectionOp {
    enum class Kind : std::uint8_t {
        DeselectAll,
        // A click: the region becomes the current one, alone.
        SelectAlone,
        // Shift on an unselected region: the current region and this one form
        // a group, this one current.
        JoinGroup,
        // The region joins the group as it is.
        AddToGroup,
        // The quick pick: the region alone, by SelectRegion.
        Pick,
        // A region added with Shift held: current by SelectRegion, the group
        // kept.
        MakeCurrent,
        // Regions pasted: the `count` regions from `position` on form the
        // group alone.
        SelectRange,
        // Tab and Shift+Tab.
        Next,
        Previous,
    };
    Kind kind = Kind::DeselectAll;
    int position = -1;
    int count = 1;
};

// Carries out `op`; an op naming no region of the list changes nothing.
void ApplySelectionOp(Project& project, const SelectionOp& op);

// A click on a region's line in a list: the region alone, or with Shift or
// Ctrl (`extend`) joined to the selection as a Shift click on the canvas
// joins it. Nothing for a group member clicked with `extend`.
std::optional<SelectionOp> ListClickOp(SelectionState state, bool extend, int position);

// Keyboard moves and sizes act only with a current region, with regions, and
// while the layout is not locked.
bool CanNudgeSelected(const Project& project);

// The selected regions, from the last list position to the first: the
// order in which group commands visit them.
std::vector<Region*> SelectedFromLast(const Project& project);

// Keyboard sizing and moving of the selected regions: SetSize(Width + dw,
// Height + dh) on each, or Moveby on each by the part of (dx, dy) that the
// frame rule allows the whole selection, from the last list position to the
// first. Nothing unless CanNudgeSelected. Returns the regions visited, in
// that order.
std::vector<Region*> SizeSelected(Project& project, int dw, int dh);
std::vector<Region*> MoveSelected(Project& project, int dx, int dy);

}  // namespace tolv
