#pragma once

#include "document/edit_command.h"
#include "document/selection_snapshot.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace tolv {

// The history stops keeping its oldest steps beyond this many bytes.
constexpr std::size_t DefaultHistoryBudget = 32u << 20;

// One step of the history: the edit and the selection on either side of it.
struct EditStep {
    std::unique_ptr<EditCommand> Command;
    SelectionSnapshot Before;
    SelectionSnapshot After;

    std::size_t bytes() const { return sizeof(*this) + Command->bytes() + Before.bytes() + After.bytes(); }
};

// The undo stack: the steps done, the position between those done and those
// undone, and the clean point, the position whose state is the one in the
// project file.
class EditHistory {
public:
    explicit EditHistory(std::size_t budget = DefaultHistoryBudget) : budget_(budget) {}

    // Forgets the steps undone, then merges `step` into the last step when
    // the user sees them as one, or adds it.
    void push(EditStep step);
    // The step that undo takes back, or redo does again; nullptr without.
    EditStep* undoStep() { return position_ > 0 ? &steps_[position_ - 1] : nullptr; }
    EditStep* redoStep() { return position_ < steps_.size() ? &steps_[position_] : nullptr; }
    const EditStep* undoStep() const { return position_ > 0 ? &steps_[position_ - 1] : nullptr; }
    const EditStep* redoStep() const { return position_ < steps_.size() ? &steps_[position_] : nullptr; }
    // Moves the position once the step has been taken back or done again.
    void stepBack() { --position_; }
    void stepForward() { ++position_; }

    // Forgets every step; the clean point is the state reached when `clean`.
    void clear(bool clean);
    void markClean() { clean_ = position_; }
    bool atCleanPoint() const { return clean_ == position_; }

    std::size_t bytes() const { return bytes_; }

private:
    bool mergeIntoLast(EditStep& step);
    void forgetUndone();
    void forgetOldest();

    std::vector<EditStep> steps_;
    std::size_t position_ = 0;
    // None when no reachable position holds the file's state.
    std::optional<std::size_t> clean_ = 0;
    std::size_t bytes_ = 0;
    std::size_t budget_;
};

}  // namespace tolv
