#include "extract/output_workers.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace tolv {

namespace {

constexpr std::size_t SpareBudget = std::size_t(32) << 20;

}  // namespace

int DefaultWorkerCount()
{
    return std::max(2, int(std::thread::hardware_concurrency()));
}

OutputWorkers::OutputWorkers(int count)
{
    try {
        for (int i = 0; i < std::max(1, count); ++i) {
            threads_.emplace_back([this] { work(); });
        }
    } catch (const std::system_error&) {
        // With fewer threads the work is shared among fewer; with none take()
        // runs each job itself.
    }
}

OutputWorkers::~OutputWorkers()
{
    drain();
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

std::size_t OutputWorkers::submit(Job job)
{
    const std::lock_guard lock(mutex_);
    // The workers are woken when the first result is asked for: jobs come
    // in runs, and a worker woken for each would cost a thread switch per
    // output.
    slots_.push_back(Slot{std::move(job), std::nullopt, nullptr, false});
    return first_ + slots_.size() - 1;
}

void OutputWorkers::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return stopping_ || nextToStart_ < first_ + slots_.size(); });
        if (stopping_) {
            return;
        }
        runNext(lock);
    }
}

void OutputWorkers::runNext(std::unique_lock<std::mutex>& lock)
{
    const std::size_t number = nextToStart_++;
    ++running_;
    Job job = std::move(slot(number).job);
    lock.unlock();
    std::optional<PreparedOutput> result;
    std::exception_ptr error;
    try {
        result = job();
    } catch (...) {
        error = std::current_exception();
    }
    lock.lock();
    Slot& done = slot(number);
    done.result = std::move(result);
    done.error = error;
    done.done = true;
    --running_;
    done_.notify_all();
}

PreparedOutput OutputWorkers::take(std::size_t number)
{
    std::unique_lock lock(mutex_);
    if (nextToStart_ < first_ + slots_.size()) {
        queued_.notify_all();
    }
    // Waiting would cost two thread switches per output: the caller does
    // the jobs not yet started instead, its own first.
    while (!slot(number).done) {
        if (nextToStart_ < first_ + slots_.size()) {
            runNext(lock);
        } else {
            done_.wait(lock);
        }
    }
    Slot taken = std::move(slots_.front());
    slots_.pop_front();
    ++first_;
    lock.unlock();
    if (taken.error) {
        std::rethrow_exception(taken.error);
    }
    return std::move(*taken.result);
}

void OutputWorkers::giveBack(Bitmap spent)
{
    const std::size_t memory = spent.pixels().capacity();
    const std::lock_guard lock(mutex_);
    if (memory > 0 && spareMemory_ + memory <= SpareBudget) {
        spares_.push_back(std::move(spent));
        spareMemory_ += memory;
    }
}

// The smallest that is large enough, else the largest. Chosen by the bytes in
// use, not the memory held: a bitmap that grows into memory it holds clears
// the bytes it gains, and the clips of one region are all of one size.
Bitmap OutputWorkers::spareFor(std::size_t bytes)
{
    const std::lock_guard lock(mutex_);
    if (spares_.empty()) {
        return Bitmap();
    }
    auto size = [](const Bitmap& spare) { return spare.pixels().size(); };
    auto best = spares_.begin();
    for (auto spare = spares_.begin(); spare != spares_.end(); ++spare) {
        const bool fits = size(*spare) >= bytes;
        const bool bestFits = size(*best) >= bytes;
        if (fits ? !bestFits || size(*spare) < size(*best) : !bestFits && size(*spare) > size(*best)) {
            best = spare;
        }
    }
    Bitmap spare = std::move(*best);
    spares_.erase(best);
    spareMemory_ -= spare.pixels().capacity();
    return spare;
}

void OutputWorkers::drain()
{
    std::unique_lock lock(mutex_);
    slots_.erase(slots_.begin() + std::ptrdiff_t(nextToStart_ - first_), slots_.end());
    done_.wait(lock, [this] { return running_ == 0; });
    first_ = nextToStart_;
    slots_.clear();
}

}  // namespace tolv
