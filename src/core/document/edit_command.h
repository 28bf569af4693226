#pragma once

#include "document/document_change.h"
#include "project/project.h"

#include <cstddef>
#include <string>

namespace tolv {

// One undoable edit. A command holds the values before and after the edit
// (or the regions it moved out of the list), never the project: apply() and
// revert() are pure model changes without file access, so redo and undo
// cannot fail. Both report what they touched in `change`.
class EditCommand {
public:
    virtual ~EditCommand() = default;

    virtual void apply(Project& project, DocumentChange& change) = 0;
    virtual void revert(Project& project, DocumentChange& change) = 0;
    // "Move 3 Regions"
    virtual std::string name() const = 0;
    // The memory the command holds. Overlay bitmaps are shared with the
    // regions, never copied, and not counted.
    virtual std::size_t bytes() const = 0;
    // Takes `next` into this command when the user sees both as one step;
    // returns whether it did.
    virtual bool absorb(const EditCommand& /*next*/) { return false; }
};

}  // namespace tolv
