#include "platform/io/atomic_file.h"

#include "platform/errors.h"
#include "platform/io/files.h"
#include "platform/io/io_parts.h"
#include "platform/io/temporary_files.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

namespace tolv {

namespace {

constexpr std::size_t BufferSize = std::size_t(256) << 10;
// The kernel's own limit for a chain of symbolic links.
constexpr int MaxLinkHops = 40;
constexpr int CreateAttempts = 100;

std::optional<std::string> LinkContent(const std::string& path)
{
    std::string content(256, '\0');
    for (;;) {
        const ssize_t got = ::readlink(path.c_str(), content.data(), content.size());
        if (got <= 0)
            return std::nullopt;
        if (std::size_t(got) < content.size()) {
            content.resize(std::size_t(got));
            return content;
        }
        content.resize(content.size() * 2);
    }
}

// The file that a chain of symbolic links at `path` ends in, whether or not
// it exists yet; `path` itself when no link stands there.
std::string FinalTarget(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        const std::optional<std::string> target = LinkContent(current);
        if (!target)
            throw FileWriteError(path);
        current = target->front() == '/' ? *target : JoinPath(FolderPart(current), *target);
    }
    throw FileWriteError(path);
}

// Asked once: a run names a temporary for every file it writes.
int WriterPid()
{
    static const int pid = int(::getpid());
    return pid;
}

// An unprivileged writer may not give a file away, but it may still keep the
// group.
bool KeepOwner(int fd, const FolderEntry& target)
{
    if (::fchown(fd, uid_t(target.owner), gid_t(target.group)) == 0)
        return true;
    if (errno != EPERM)
        return false;
    return ::fchown(fd, uid_t(-1), gid_t(target.group)) == 0 || errno == EPERM;
}

// The owner goes first: changing it clears set-id bits, which the mode then
// brings back.
bool KeepOwnerAndMode(int fd, const FolderEntry& target)
{
    return KeepOwner(fd, target) && ::fchmod(fd, mode_t(target.mode)) == 0;
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path))
{
    const std::string target = FinalTarget(path_);
    folder_ = OpenFolder::Open(FolderPart(target));
    name_ = NamePart(target);
    if (folder_.isOpen())
        SweepStaleTemporaries(folder_);
    open(std::nullopt);
}

AtomicFile::AtomicFile(OpenFolder folder, std::string name, std::string path, const std::optional<FolderEntry>& found)
    : path_(std::move(path)), folder_(std::move(folder)), name_(std::move(name))
{
    open(found);
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::open(const std::optional<FolderEntry>& found)
{
    if (!folder_.isOpen() || name_.empty())
        throw FileWriteError(path_);
    const FolderEntry target = found ? *found : folder_.entryAt(name_);
    const bool replacing = target.regularFile;
    createTemporary(replacing);
    if (replacing && !KeepOwnerAndMode(fd_, target)) {
        discard();
        throw FileWriteError(path_);
    }
}

// The temporary of a replaced file is private until it has the target's owner
// and mode; a new file gets the usual 0666 less the umask.
void AtomicFile::createTemporary(bool replacing)
{
    const mode_t mode = replacing ? 0600 : 0666;
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        std::string name = TemporaryName(name_, WriterPid());
        fd_ = ::openat(folder_.fd(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd_ >= 0) {
            tempName_ = std::move(name);
            return;
        }
        if (errno != EEXIST)
            break;
    }
    throw FileWriteError(path_);
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
    // Made on first use: a file written in parts only needs none.
    if (!buffer_)
        buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(BufferSize);
    std::memcpy(buffer_.get() + used_, bytes, size);
    used_ += size;
}

void AtomicFile::write(iovec* parts, std::size_t count)
{
    flushBuffer();
    for (SkipDone(parts, count, 0); count > 0;) {
        const ssize_t written = ::writev(fd_, parts, int(std::min<std::size_t>(count, IOV_MAX)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw FileWriteError(path_);
        SkipDone(parts, count, std::size_t(written));
    }
}

void AtomicFile::finish(bool durable)
{
    if (finished_)
        return;
    flushBuffer();
    const bool synced = !durable || ::fsync(fd_) == 0;
    struct stat written {};
    const bool known = !durable || ::fstat(fd_, &written) == 0;
    // Closing can report a write the kernel deferred.
    if (::close(std::exchange(fd_, -1)) != 0 || !synced || !known)
        throw FileWriteError(path_);
    finished_ = true;
    if (durable)
        written_ = IdentityFromStat(written);
}

std::optional<FileIdentity> AtomicFile::commit(bool durable, const std::function<void()>& beforeRename)
{
    finish(durable);
    if (beforeRename)
        beforeRename();
    if (::renameat(folder_.fd(), tempName_.c_str(), folder_.fd(), name_.c_str()) != 0)
        throw FileWriteError(path_);
    tempName_.clear();
    // Makes the rename itself durable; a failure here does not undo the write.
    if (durable)
        ::fsync(folder_.fd());
    return written_;
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
    if (!tempName_.empty())
        ::unlinkat(folder_.fd(), tempName_.c_str(), 0);
    tempName_.clear();
}

}  // namespace tolv
