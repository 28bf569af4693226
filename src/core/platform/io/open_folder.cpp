#include "platform/io/open_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tolv {

namespace {

constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

}  // namespace

OpenFolder::OpenFolder(int fd)
{
    if (fd >= 0)
        descriptor_ = std::shared_ptr<const int>(new int(fd), [](const int* owned) {
            ::close(*owned);
            delete owned;
        });
}

OpenFolder OpenFolder::Open(const std::string& path)
{
    return OpenFolder(::open(path.empty() ? "." : path.c_str(), FolderFlags));
}

OpenFolder OpenFolder::share() const
{
    OpenFolder shared;
    shared.descriptor_ = descriptor_;
    return shared;
}

FolderEntry OpenFolder::entryAt(const std::string& name) const
{
    struct stat info {};
    FolderEntry entry;
    if (::fstatat(fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return entry;
    entry.kind = S_ISLNK(info.st_mode) ? EntryKind::Link : S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::Other;
    entry.regularFile = S_ISREG(info.st_mode);
    entry.mode = info.st_mode & 07777;
    entry.owner = info.st_uid;
    entry.group = info.st_gid;
    return entry;
}

std::vector<std::string> OpenFolder::names() const
{
    std::vector<std::string> names;
    // The listing takes a descriptor of its own and closes it.
    const int own = ::openat(fd(), ".", FolderFlags);
    DIR* listing = own >= 0 ? ::fdopendir(own) : nullptr;
    if (listing == nullptr) {
        if (own >= 0)
            ::close(own);
        return names;
    }
    while (const dirent* entry = ::readdir(listing))
        names.emplace_back(entry->d_name);
    ::closedir(listing);
    return names;
}

OpenFolder OpenFolder::subFolder(const std::string& name) const
{
    return OpenFolder(::openat(fd(), name.c_str(), FolderFlags | O_NOFOLLOW));
}

bool OpenFolder::makeSubFolder(const std::string& name) const
{
    return ::mkdirat(fd(), name.c_str(), 0777) == 0 || errno == EEXIST;
}

}  // namespace tolv
