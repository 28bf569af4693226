#include "project/recovery_lock.h"

#include "project/recovery_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace tolv {

namespace {

// Each retry follows a stale file removed by another window between our open
// and our lock; a few always suffice.
constexpr int TakeAttempts = 8;

// Whether `fd` is still the file named `name`: a file removed as stale
// after we opened it holds no mark for anyone.
bool StillNamed(const OpenFolder& folder, const std::string& name, int fd)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::fstatat(folder.fd(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0
           && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

ProjectLock ProjectLock::Take(const RecoveryFolder& folder, std::string name)
{
    ProjectLock lock;
    if (!folder.usable())
        return lock;
    for (int attempt = 0; attempt < TakeAttempts; ++attempt) {
        const int fd = ::openat(folder.folder().fd(), name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return lock;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(folder.folder(), name, fd)) {
            lock.folder_ = folder.folder().share();
            lock.name_ = std::move(name);
            lock.fd_ = fd;
            return lock;
        }
        ::close(fd);
    }
    return lock;
}

ProjectLock::~ProjectLock()
{
    release();
}

ProjectLock::ProjectLock(ProjectLock&& other) noexcept
    : folder_(std::move(other.folder_)), name_(std::move(other.name_)), fd_(std::exchange(other.fd_, -1))
{}

ProjectLock& ProjectLock::operator=(ProjectLock&& other) noexcept
{
    if (this != &other) {
        release();
        folder_ = std::move(other.folder_);
        name_ = std::move(other.name_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

// The file goes while it is still locked, so that nobody takes a lock on a
// name that is about to vanish.
void ProjectLock::release()
{
    if (fd_ < 0)
        return;
    ::unlinkat(folder_.fd(), name_.c_str(), 0);
    ::close(std::exchange(fd_, -1));
}

bool LockIsHeld(const RecoveryFolder& folder, const std::string& name)
{
    if (!folder.usable())
        return false;
    const int fd = ::openat(folder.folder().fd(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!held && StillNamed(folder.folder(), name, fd))
        folder.remove(name);
    ::close(fd);
    return held;
}

}  // namespace tolv
