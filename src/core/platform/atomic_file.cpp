#include "platform/atomic_file.h"

#include "platform/errors.h"
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tolv {

namespace {

constexpr std::size_t BufferSize = std::size_t(256) << 10;

// New files get the usual permissions (0666 less the umask), not mkstemp's 0600.
mode_t NewFileMode()
{
    static const mode_t mask = [] {
        const mode_t current = ::umask(022);
        ::umask(current);
        return current;
    }();
    return 0666 & ~mask;
}

// The target's permissions survive the replacement.
mode_t ModeFor(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    return NewFileMode();
}

std::string FolderOf(const std::string& path)
{
    const std::string folder = FolderPart(path);
    return folder.empty() ? std::string(".") : folder;
}

// Makes the rename itself durable; a failure here does not undo the write.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

AtomicFile::AtomicFile(std::string path)
    : path_(std::move(path)), buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(BufferSize))
{
    // Hidden beside the target, so the rename stays within one file system.
    std::string pattern = JoinPath(FolderOf(path_), "." + NamePart(path_) + ".XXXXXX");
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0)
        throw FileWriteError(path_);
    tempPath_ = std::move(pattern);
    if (::fchmod(fd_, ModeFor(path_)) != 0)
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
    if (::close(fd) != 0 || !synced || ::rename(tempPath_.c_str(), path_.c_str()) != 0)
        throw FileWriteError(path_);
    tempPath_.clear();
    if (durable)
        SyncFolder(FolderOf(path_));
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
