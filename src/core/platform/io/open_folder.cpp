#include "platform/io/open_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace tolv {

namespace {

constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

}  // namespace

OpenFolder::~OpenFolder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept : fd_(std::exchange(other.fd_, -1))
{}

OpenFolder& OpenFolder::operator=(OpenFolder&& other) noexcept
{
    std::swap(fd_, other.fd_);
    return *this;
}

OpenFolder OpenFolder::Open(const std::string& path)
{
    return OpenFolder(::open(path.empty() ? "." : path.c_str(), FolderFlags));
}

OpenFolder OpenFolder::duplicate() const
{
    return OpenFolder(::fcntl(fd_, F_DUPFD_CLOEXEC, 0));
}

EntryKind OpenFolder::kindOf(const std::string& name) const
{
    struct stat info {};
    if (::fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return EntryKind::Missing;
    if (S_ISLNK(info.st_mode))
        return EntryKind::Link;
    return S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::Other;
}

std::vector<std::string> OpenFolder::names() const
{
    std::vector<std::string> names;
    // The listing takes a descriptor of its own and closes it.
    const int fd = ::openat(fd_, ".", FolderFlags);
    DIR* listing = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (listing == nullptr) {
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    while (const dirent* entry = ::readdir(listing))
        names.emplace_back(entry->d_name);
    ::closedir(listing);
    return names;
}

OpenFolder OpenFolder::subFolder(const std::string& name) const
{
    return OpenFolder(::openat(fd_, name.c_str(), FolderFlags | O_NOFOLLOW));
}

bool OpenFolder::makeSubFolder(const std::string& name) const
{
    return ::mkdirat(fd_, name.c_str(), 0777) == 0 || errno == EEXIST;
}

}  // namespace tolv
