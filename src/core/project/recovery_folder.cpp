#include "project/recovery_folder.h"

#include "platform/errors.h"
#include "platform/io/atomic_file.h"
#include "platform/io/files.h"
#include "platform/io/temporary_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace tolv {

namespace {

constexpr mode_t PrivateMode = 0700;

std::string ModeText(mode_t mode)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04o", unsigned(mode & 0777));
    return digits;
}

// The folder `name` inside `parent`, made private when this call makes it
// (whatever the umask left of its mode).
OpenFolder OpenPrivateFolder(const OpenFolder& parent, const std::string& name)
{
    const bool made = ::mkdirat(parent.fd(), name.c_str(), PrivateMode) == 0;
    OpenFolder folder = parent.subFolder(name);
    if (made && folder.isOpen())
        ::fchmod(folder.fd(), PrivateMode);
    return folder;
}

std::string WhyNotOpened(const OpenFolder& parent, const std::string& name, const std::string& path)
{
    switch (parent.isOpen() ? parent.kindOf(name) : EntryKind::Missing) {
    case EntryKind::Link:
        return path + " is a symbolic link";
    case EntryKind::Other:
        return path + " is not a folder";
    default:
        return FileWriteError(path).what();
    }
}

// Judged on the folder opened, so that nothing can be swapped in between.
std::string WhyNotPrivate(const OpenFolder& folder, const std::string& path)
{
    struct stat info {};
    if (::fstat(folder.fd(), &info) != 0)
        return FileWriteError(path).what();
    if (info.st_uid != ::geteuid())
        return path + " belongs to another user";
    // Set-id and sticky bits open nothing to others.
    if ((info.st_mode & 0777) != PrivateMode)
        return path + " has mode " + ModeText(info.st_mode) + ", not " + ModeText(PrivateMode);
    return {};
}

}  // namespace

RecoveryFolder RecoveryFolder::Open(const std::string& path)
{
    RecoveryFolder result;
    result.path_ = path;
    const std::string name = NamePart(path);
    std::error_code ignored;
    std::filesystem::create_directories(FolderPart(path), ignored);
    const OpenFolder parent = OpenFolder::Open(FolderPart(path));
    OpenFolder folder = parent.isOpen() ? OpenPrivateFolder(parent, name) : OpenFolder();
    result.refusal_ = folder.isOpen() ? WhyNotPrivate(folder, path) : WhyNotOpened(parent, name, path);
    if (result.refusal_.empty()) {
        SweepStaleTemporaries(folder);
        result.folder_ = std::move(folder);
    }
    return result;
}

std::string RecoveryFolder::pathOf(const std::string& name) const
{
    return JoinPath(path_, name);
}

std::vector<std::string> RecoveryFolder::names() const
{
    return folder_.names();
}

std::optional<std::time_t> RecoveryFolder::writtenAt(const std::string& name) const
{
    struct stat info {};
    if (::fstatat(folder_.fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info.st_mtime;
}

void RecoveryFolder::write(const std::string& name, std::string_view content) const
{
    AtomicFile file(folder_.share(), name, pathOf(name));
    file.write(content.data(), content.size());
    file.commit(true);
}

void RecoveryFolder::remove(const std::string& name) const
{
    ::unlinkat(folder_.fd(), name.c_str(), 0);
}

bool RecoveryFolder::rename(const std::string& from, const std::string& to) const
{
    return ::renameat(folder_.fd(), from.c_str(), folder_.fd(), to.c_str()) == 0;
}

}  // namespace tolv
