#include "platform/io/files.h"

#include "platform/errors.h"
#include "platform/io/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace tolv {

namespace {

constexpr char kSeparator = '/';

bool StatIs(const std::string& path, mode_t kind)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

// Not blocking, so that a FIFO is refused at once instead of waiting for a writer.
FileDescriptor OpenRegularFile(const std::string& path, struct stat& info)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw FileReadError(path);
    return file;
}

}  // namespace

FileIdentity IdentityFromStat(const struct stat& info)
{
    return FileIdentity{std::uint64_t(info.st_dev), std::uint64_t(info.st_ino), std::uint64_t(info.st_size),
                        std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + std::int64_t(info.st_mtim.tv_nsec)};
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    if (!path.empty() && path.back() != kSeparator)
        path += kSeparator;
    path += name;
    return path;
}

std::string FolderPart(std::string_view path)
{
    const auto last = path.rfind(kSeparator);
    if (last == std::string_view::npos)
        return {};
    if (last == 0)
        return std::string(1, kSeparator);
    return std::string(path.substr(0, last));
}

std::string NamePart(std::string_view path)
{
    const auto last = path.rfind(kSeparator);
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

bool FileExists(const std::string& path)
{
    return StatIs(path, S_IFREG);
}

std::optional<FileStamp> StampOf(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return StampOfIdentity(IdentityFromStat(info));
}

std::optional<FileStamp> StampThroughLinks(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return StampOfIdentity(IdentityFromStat(info));
}

FileIdentity IdentityOf(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? IdentityFromStat(info) : FileIdentity{};
}

bool DirectoryExists(const std::string& path)
{
    return StatIs(path, S_IFDIR);
}

void CreateFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) == 0)
        return;
    if (errno == EEXIST && DirectoryExists(path))
        return;
    throw FileWriteError(path);
}

FileIdentity WriteFileAtomically(const std::string& path, std::string_view content,
                                 const std::function<void()>& beforeRename)
{
    AtomicFile file(path);
    file.write(content.data(), content.size());
    return *file.commit(true, beforeRename);
}

std::string ReadWholeFile(const std::string& path, std::size_t limit, FileIdentity* identity)
{
    struct stat info {};
    const FileDescriptor file = OpenRegularFile(path, info);
    if (static_cast<std::size_t>(info.st_size) > limit)
        throw FileReadError(path);
    // Taken before reading: whatever changes the file from now on changes it.
    if (identity)
        *identity = IdentityFromStat(info);

    // Read straight into the string, which grows only when the file has
    // grown since it was looked at; one byte more than the size tells its end.
    std::string content(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == content.size())
            content.resize(std::min(limit, 2 * content.size()) + 1);
        const ssize_t got = ::read(file.get(), content.data() + used, content.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || used + static_cast<std::size_t>(got) > limit)
            throw FileReadError(path);
        if (got == 0) {
            content.resize(used);
            return content;
        }
        used += static_cast<std::size_t>(got);
    }
}

FileHead ReadFileHead(const std::string& path, std::size_t count)
{
    struct stat info {};
    const FileDescriptor file = OpenRegularFile(path, info);
    FileHead head;
    head.size = std::uint64_t(info.st_size);
    head.bytes.resize(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(file.get(), head.bytes.data() + done, count - done, off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileReadError(path);
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    head.bytes.resize(done);
    return head;
}

}  // namespace tolv
