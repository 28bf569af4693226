#include "platform/files.h"

#include "platform/errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace tolv {

namespace {

constexpr char kSeparator = '/';

bool StatIs(const std::string& path, mode_t kind)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

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

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
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

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Closing can report a deferred write error, so its result matters.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

}  // namespace

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

void WriteFileAtomically(const std::string& path, std::string_view content)
{
    const std::string folder = FolderPart(path).empty() ? std::string(".") : FolderPart(path);
    std::string pattern = JoinPath(folder, "." + NamePart(path) + ".XXXXXX");
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');

    FileDescriptor file(::mkstemp(temp.data()));
    if (file.get() < 0)
        throw FileWriteError(path);
    const bool written = ::fchmod(file.get(), ModeFor(path)) == 0 && WriteAll(file.get(), content)
                         && ::fsync(file.get()) == 0;
    const bool closed = file.close();
    if (!written || !closed || ::rename(temp.data(), path.c_str()) != 0) {
        ::unlink(temp.data());
        throw FileWriteError(path);
    }
    SyncFolder(folder);
}

std::string ReadWholeFile(const std::string& path, std::size_t limit)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)
        || static_cast<std::size_t>(info.st_size) > limit)
        throw FileReadError(path);

    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || content.size() + static_cast<std::size_t>(got) > limit)
            throw FileReadError(path);
        if (got == 0)
            return content;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace tolv
