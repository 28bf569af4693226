#pragma once

#include "project/region.h"

#include <vector>

namespace tolv {

// What one step did to the document, told to every observer once, after the
// step is complete.
struct DocumentChange {
    // Load and New: the project is a new one; no Region pointer seen before
    // is valid any more.
    bool projectReplaced = false;
    // Regions now in the list, at their PickIndex. Undoing a delete puts back
    // the very objects that were removed, so views may key on the pointers.
    std::vector<Region*> added;
    // Regions taken out of the list. The history keeps them alive for redo
    // or undo; views drop what they show of them.
    std::vector<Region*> removed;
    // Regions whose geometry, visibility or properties changed.
    std::vector<Region*> changed;
    bool frameListChanged = false;
    bool optionsChanged = false;
    bool selectionChanged = false;
    // Save As: the project lives under another name or in another folder.
    bool fileNameChanged = false;
    // The Undo and Redo texts, their enabling or Modified may differ.
    bool historyChanged = false;
};

}  // namespace tolv
