#pragma once

#include "project/region.h"

#include <cstdint>
#include <vector>

namespace tolv {

// Which part of a region a step changed: where it lies, whether it shows, or
// its properties (any persistent field, its name among them).
enum class RegionAspect : std::uint8_t { Geometry, Visibility, Properties };

struct RegionChange {
    Region* region = nullptr;
    RegionAspect aspect = RegionAspect::Properties;
    bool operator==(const RegionChange&) const = default;
};

// What one step did to the document, told to every observer once, after the
// step is complete.
struct DocumentChange {
    // Load and New: the project is a new one; no Region pointer seen before
    // is valid any more.
    bool projectReplaced = false;
    // Regions now in the list, at their positions. Undoing a delete puts back
    // the very objects that were removed, so views may key on the pointers.
    std::vector<Region*> added;
    // Regions taken out of the list. The history keeps them alive for redo
    // or undo; views drop what they show of them.
    std::vector<Region*> removed;
    // Regions changed in place, each with what changed.
    std::vector<RegionChange> changed;
    // The same regions stand in another list order, which is also the order
    // they are drawn and saved in.
    bool orderChanged = false;
    // The frame list, or what was found of its files, and the frame shown.
    bool frameListChanged = false;
    bool selectionChanged = false;
    // Save As: the project lives under another name or in another folder.
    bool fileNameChanged = false;
    // A step was done, undone or redone, or the clean point moved: the Undo
    // and Redo texts, their enabling and Modified may differ. Selection
    // changes leave the history alone.
    bool historyChanged = false;
};

}  // namespace tolv
