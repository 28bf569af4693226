#pragma once

#include "project/project.h"

#include <ctime>
#include <optional>
#include <string>

namespace tolv {

// Unsaved edits are kept in a recovery file of their own, never beside the
// user's project: a crash or a kill then loses at most the last second of
// work, and the project file is only ever written by Save.

// `stateHome`/tolvane/recovery, where stateHome is $XDG_STATE_HOME when it
// is an absolute path, else the home folder's ".local/state".
std::string DefaultRecoveryFolder();

// The recovery file of a project file in `recoveryFolder`: the project's
// name followed by a hash of its absolute path, so that two projects of the
// same name in different folders keep apart.
std::string RecoveryFileFor(const std::string& recoveryFolder, const std::string& projectPath);

struct RecoveryOffer {
    std::string Path;
    // When the edits were written, local time as seconds since the epoch.
    std::time_t WrittenAt = 0;
};

// The recovery file of the project when it exists and is newer than the
// project file (or the project file is gone).
std::optional<RecoveryOffer> FindRecovery(const std::string& recoveryFolder, const std::string& projectPath);

// Writes the project's text to its recovery file atomically, creating the
// folder (private to the user) when missing. Raises FileWriteError.
void WriteRecovery(const std::string& recoveryPath, const std::string& projectText);

// Removes a recovery file; a missing one is no error.
void DiscardRecovery(const std::string& recoveryPath);

// Replaces the project by the edits kept in a recovery file, as if they
// were the content of the project file at `projectPath`; Modified is set, as
// the edits are not in the project file. Raises FileReadError or
// NotAProjectError when the recovery file cannot be used; the project is
// then unchanged.
void LoadRecovery(Project& project, const std::string& recoveryPath, const std::string& projectPath);

// Renames a recovery file that cannot be used to a name that no project
// will look for, beside it, so that its content is kept for the user.
// Returns the new path, or empty when even that failed.
std::string SetRecoveryAside(const std::string& recoveryPath);

}  // namespace tolv
