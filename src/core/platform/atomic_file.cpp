#include "platform/atomic_file.h"

#include "platform/errors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace tolv {

namespace {

constexpr std::size_t BufferSize = std::size_t(256) << 10;

// Hidden, and unique per process and call, so parallel writers never meet.
std::string TemporaryName(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const auto slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + ".tmp" + std::to_string(::getpid()) + "-"
           + std::to_string(counter++);
}

}  // namespace

AtomicFile::AtomicFile(std::string path)
    : path_(std::move(path)), buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(BufferSize))
{
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        tempPath_ = TemporaryName(path_);
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0)
        throw FileWriteError(path_);
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::write(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (used_ + size > BufferSize) {
        flushBuffer();
        if (size >= BufferSize) {
            writeThrough(bytes, size);
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, bytes, size);
    used_ += size;
}

void AtomicFile::commit(bool durable)
{
    flushBuffer();
    const bool synced = !durable || ::fsync(fd_) == 0;
    const int fd = fd_;
    fd_ = -1;
    // Closing can report a write the kernel deferred.
    if (::close(fd) != 0 || !synced || ::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        throw FileWriteError(path_);
    }
    tempPath_.clear();
}

void AtomicFile::flushBuffer()
{
    writeThrough(buffer_.get(), used_);
    used_ = 0;
}

void AtomicFile::writeThrough(const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd_, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw FileWriteError(path_);
        data += written;
        size -= std::size_t(written);
    }
}

void AtomicFile::discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty())
        ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

}  // namespace tolv
