#pragma once

#include "platform/io/open_folder.h"

#include <string>

namespace tolv {

class RecoveryFolder;

// The mark that a window has a project open: a lock file in the recovery
// folder, locked (flock) for as long as the window keeps the project open.
// The kernel lets go of the lock however the process ends, so the file that
// a crash leaves behind is seen as stale, and is removed by whoever looks.
class ProjectLock {
public:
    // Holds nothing.
    ProjectLock() = default;
    // Makes and locks the file `name`; holds nothing when that fails.
    static ProjectLock Take(const RecoveryFolder& folder, std::string name);
    // Removes the file and lets go of it.
    ~ProjectLock();
    ProjectLock(ProjectLock&& other) noexcept;
    ProjectLock& operator=(ProjectLock&& other) noexcept;
    ProjectLock(const ProjectLock&) = delete;
    ProjectLock& operator=(const ProjectLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    void release();

    OpenFolder folder_;
    std::string name_;
    int fd_ = -1;
};

// Whether the lock file `name` is locked by a running window; a stale one
// found on the way is removed.
bool LockIsHeld(const RecoveryFolder& folder, const std::string& name);

}  // namespace tolv
