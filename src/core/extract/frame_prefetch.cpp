#include "extract/frame_prefetch.h"

#include "platform/image/image_file.h"

#include <climits>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace tolv {

namespace {

std::optional<std::string> RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return std::nullopt;
    return std::string(resolved);
}

}  // namespace

bool CanReadAhead(const std::string& framePath, const std::string& outputFolder)
{
    const std::optional<std::string> frame = RealPath(framePath);
    if (!frame)
        return false;
    // A folder that is not there yet holds none of the existing files.
    const std::optional<std::string> folder = RealPath(outputFolder);
    return !folder || !frame->starts_with(*folder == "/" ? *folder : *folder + "/");
}

FramePrefetch::FramePrefetch(std::vector<PlannedFrame> plan) : plan_(std::move(plan))
{
    if (plan_.empty())
        return;
    try {
        reader_ = std::thread([this] { readAhead(); });
    } catch (const std::system_error&) {
        // Without a thread every frame is read when it is taken.
        head_ = plan_.size();
    }
}

FramePrefetch::~FramePrefetch()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (reader_.joinable())
        reader_.join();
}

FramePrefetch::Read FramePrefetch::ReadFrame(const std::string& path, Bitmap&& spent)
{
    try {
        return Read{LoadImageFile(path, std::move(spent)), nullptr};
    } catch (...) {
        return Read{Bitmap(), std::current_exception()};
    }
}

void FramePrefetch::readAhead()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || (!ready_ && head_ < plan_.size()); });
        if (stopping_)
            return;
        // take() moves the head on only once the frame is ready, so the plan
        // entry stays the head while it is read.
        const std::string& path = plan_[head_].path;
        Bitmap spent = std::exchange(spare_, Bitmap());
        lock.unlock();
        Read read = ReadFrame(path, std::move(spent));
        lock.lock();
        ready_ = std::move(read);
        changed_.notify_all();
    }
}

FramePrefetch::Read FramePrefetch::takeHead(std::unique_lock<std::mutex>& lock)
{
    changed_.wait(lock, [this] { return ready_.has_value(); });
    Read read = std::move(*ready_);
    ready_.reset();
    ++head_;
    changed_.notify_all();
    return read;
}

void FramePrefetch::giveBack(Bitmap spent)
{
    const std::lock_guard lock(mutex_);
    spare_ = std::move(spent);
}

Bitmap FramePrefetch::take(int position, const std::string& path)
{
    std::unique_lock lock(mutex_);
    while (head_ < plan_.size() && plan_[head_].position < position)
        spare_ = std::move(takeHead(lock).frame);
    if (head_ == plan_.size() || plan_[head_].position != position) {
        lock.unlock();
        return LoadImageFile(path);
    }
    Read read = takeHead(lock);
    lock.unlock();
    if (read.error)
        std::rethrow_exception(read.error);
    return std::move(read.frame);
}

}  // namespace tolv
