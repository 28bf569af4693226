#include "document/edit_history.h"

#include <cassert>

namespace tolv {

void EditHistory::push(EditStep step)
{
    forgetUndone();
    if (mergeIntoLast(step))
        return;
    const std::int64_t cost = std::int64_t(step.bytes());
    kept_.push_back({std::move(step), cost});
    changeCount(cost);
    ++position_;
    while (bytes_ > budget_ && kept_.size() > 1)
        forgetOldest();
}

void EditHistory::clear(bool clean)
{
    kept_.clear();
    position_ = 0;
    bytes_ = 0;
    clean_ = clean ? std::optional<std::size_t>(0) : std::nullopt;
}

// A saved state inside a merged step could never be reached again.
bool EditHistory::mergeIntoLast(EditStep& step)
{
    if (kept_.empty() || atCleanPoint() || !(kept_.back().step.After == step.Before))
        return false;
    Kept& last = kept_.back();
    if (!last.step.Command->absorb(*step.Command))
        return false;
    last.step.After = std::move(step.After);
    const std::int64_t cost = std::int64_t(last.step.bytes());
    changeCount(cost - last.cost);
    last.cost = cost;
    return true;
}

void EditHistory::forgetUndone()
{
    if (clean_ && *clean_ > position_)
        clean_.reset();
    for (std::size_t i = position_; i < kept_.size(); ++i)
        changeCount(-kept_[i].cost);
    kept_.resize(position_);
}

void EditHistory::forgetOldest()
{
    changeCount(-kept_.front().cost);
    kept_.erase(kept_.begin());
    --position_;
    if (clean_)
        clean_ = *clean_ == 0 ? std::nullopt : std::optional<std::size_t>(*clean_ - 1);
}

void EditHistory::changeCount(std::int64_t delta)
{
    bytes_ += delta;
    assert(bytes_ >= 0 && "the history took away more than it counted");
}

}  // namespace tolv
