#pragma once

#include "platform/image/bitmap.h"
#include "platform/io/atomic_file.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tolv {

// An output cut and encoded: what its picture is, and its file, written
// into a temporary and put in place only when the run comes to it. A run
// that writes nothing has only counted the file's bytes.
struct PreparedOutput {
    int bitsPerPixel = 0;
    int width = 0;
    int height = 0;
    std::uint64_t bytes = 0;
    std::unique_ptr<AtomicFile> file;
};

// At least two, and one per core.
int DefaultWorkerCount();

// Cuts and encodes the outputs of a run on threads of their own while the
// run's thread puts the files in place in their order. Jobs are numbered as
// they are submitted and taken in that order. An output waiting to be taken
// holds no pixels, only its temporary file; a worker holds one output's
// memory, and the spare clips it cuts into stay within 32 MiB.
class OutputWorkers {
public:
    using Job = std::function<PreparedOutput()>;

    explicit OutputWorkers(int count);
    ~OutputWorkers();
    OutputWorkers(const OutputWorkers&) = delete;
    OutputWorkers& operator=(const OutputWorkers&) = delete;

    // Queues a job; the workers start on the jobs queued when a result is
    // first asked for.
    std::size_t submit(Job job);
    // The result of the oldest job not yet taken, which must be `number`;
    // raises what the job raised. Until it is done the caller runs jobs not
    // yet started itself.
    PreparedOutput take(std::size_t number);
    // A clip that was written: a later job cuts into its memory.
    void giveBack(Bitmap spent);
    // For a job: the spare clip that best holds `bytes` of pixels, or an
    // empty bitmap.
    Bitmap spareFor(std::size_t bytes);
    // Drops the jobs not started and waits for the running ones, so that
    // nothing reads their frame any more.
    void drain();

private:
    struct Slot {
        Job job;
        std::optional<PreparedOutput> result;
        std::exception_ptr error;
        bool done = false;
    };

    void work();
    // Runs the next job unlocked; `lock` holds mutex_ before and after.
    void runNext(std::unique_lock<std::mutex>& lock);
    Slot& slot(std::size_t number) { return slots_[number - first_]; }

    std::mutex mutex_;
    // The workers wait for jobs, the run's thread for results: a job done
    // wakes no worker.
    std::condition_variable queued_;
    std::condition_variable done_;
    // The jobs not yet taken, numbered from first_.
    std::deque<Slot> slots_;
    std::size_t first_ = 0;
    std::size_t nextToStart_ = 0;
    std::size_t running_ = 0;
    std::vector<Bitmap> spares_;
    std::size_t spareMemory_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace tolv
