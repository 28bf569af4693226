#include "document/edit_history.h"

namespace tolv {

void EditHistory::push(EditStep step)
{
    forgetUndone();
    if (mergeIntoLast(step))
        return;
    bytes_ += step.bytes();
    steps_.push_back(std::move(step));
    ++position_;
    while (bytes_ > budget_ && steps_.size() > 1)
        forgetOldest();
}

void EditHistory::clear(bool clean)
{
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
    clean_ = clean ? std::optional<std::size_t>(0) : std::nullopt;
}

// A saved state inside a merged step could never be reached again.
bool EditHistory::mergeIntoLast(EditStep& step)
{
    if (steps_.empty() || atCleanPoint() || !(steps_.back().After == step.Before))
        return false;
    EditStep& last = steps_.back();
    const std::size_t lastBytes = last.bytes();
    if (!last.Command->absorb(*step.Command))
        return false;
    last.After = std::move(step.After);
    bytes_ = bytes_ - lastBytes + last.bytes();
    return true;
}

void EditHistory::forgetUndone()
{
    if (clean_ && *clean_ > position_)
        clean_.reset();
    for (std::size_t i = position_; i < steps_.size(); ++i)
        bytes_ -= steps_[i].bytes();
    steps_.resize(position_);
}

void EditHistory::forgetOldest()
{
    bytes_ -= steps_.front().bytes();
    steps_.erase(steps_.begin());
    --position_;
    if (clean_)
        clean_ = *clean_ == 0 ? std::nullopt : std::optional<std::size_t>(*clean_ - 1);
}

}  // namespace tolv
