#pragma once

#include "platform/image/bitmap.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tolv {

// A frame the run will load, by its position in the frame list.
struct PlannedFrame {
    int position = 0;
    std::string path;
};

// Whether a frame may be read ahead of a run that writes into `outputFolder`:
// only an existing file outside it, all links followed, which the run's own
// writes cannot change.
bool CanReadAhead(const std::string& framePath, const std::string& outputFolder);

// Reads the frames of a run one ahead on a thread of its own, so that the
// next frame is read while the current one is cut and written. Only the
// planned frames are read, in their order, and at most one waits unused. What
// reading a frame raised is kept with it and raised by take() when the run
// reaches that frame; a frame the run never takes raises nothing.
class FramePrefetch {
public:
    // `plan` in ascending positions, as the run will take them.
    explicit FramePrefetch(std::vector<PlannedFrame> plan);
    ~FramePrefetch();
    FramePrefetch(const FramePrefetch&) = delete;
    FramePrefetch& operator=(const FramePrefetch&) = delete;

    // The frame at `position`: the one read ahead when it is planned, else
    // read now from `path`. Planned frames before it are dropped unseen.
    // Raises what LoadImageFile raised for it.
    Bitmap take(int position, const std::string& path);
    // A frame the run is done with: the next read goes into its memory.
    void giveBack(Bitmap spent);

private:
    // A frame or what reading it raised.
    struct Read {
        Bitmap frame;
        std::exception_ptr error;
    };

    static Read ReadFrame(const std::string& path, Bitmap&& spent);
    void readAhead();
    // Waits for the frame at the head of the plan and removes it there.
    Read takeHead(std::unique_lock<std::mutex>& lock);

    const std::vector<PlannedFrame> plan_;
    std::mutex mutex_;
    std::condition_variable changed_;
    // The planned frame being read or waiting in ready_.
    std::size_t head_ = 0;
    std::optional<Read> ready_;
    Bitmap spare_;
    bool stopping_ = false;
    std::thread reader_;
};

}  // namespace tolv
