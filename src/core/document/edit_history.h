#pragma once

#include "document/edit_command.h"
#include "document/selection_snapshot.h"

#include <cstddef>
#include <cstdint>
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
//
// The byte count is the sum of what each kept step cost when it was pushed
// (or merged into): a command may hold more or less while it is undone, and
// forgetting it must take away exactly what was added for it.
class EditHistory {
public:
    explicit EditHistory(std::size_t budget = DefaultHistoryBudget) : budget_(std::int64_t(budget)) {}

    // Forgets the steps undone, then merges `step` into the last step when
    // the user sees them as one, or adds it.
    void push(EditStep step);
    // The step that undo takes back, or redo does again; nullptr without.
    EditStep* undoStep() { return position_ > 0 ? &kept_[position_ - 1].step : nullptr; }
    EditStep* redoStep() { return position_ < kept_.size() ? &kept_[position_].step : nullptr; }
    const EditStep* undoStep() const { return position_ > 0 ? &kept_[position_ - 1].step : nullptr; }
    const EditStep* redoStep() const { return position_ < kept_.size() ? &kept_[position_].step : nullptr; }
    // Moves the position once the step has been taken back or done again.
    void stepBack() { --position_; }
    void stepForward() { ++position_; }

    // Forgets every step; the clean point is the state reached when `clean`.
    void clear(bool clean);
    void markClean() { clean_ = position_; }
    bool atCleanPoint() const { return clean_ == position_; }

    std::size_t bytes() const { return std::size_t(bytes_); }

private:
    struct Kept {
        EditStep step;
        // What bytes_ holds for this step.
        std::int64_t cost = 0;
    };

    bool mergeIntoLast(EditStep& step);
    void forgetUndone();
    void forgetOldest();
    void changeCount(std::int64_t delta);

    std::vector<Kept> kept_;
    std::size_t position_ = 0;
    // None when no reachable position holds the file's state.
    std::optional<std::size_t> clean_ = 0;
    // Signed, so that a fault in the accounting can never wrap round to a
    // count that makes push forget the whole history.
    std::int64_t bytes_ = 0;
    std::int64_t budget_;
};

}  // namespace tolv
