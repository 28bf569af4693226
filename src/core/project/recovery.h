#pragma once

#include "project/project.h"

#include <ctime>
#include <string>
#include <vector>

namespace tolv {

class RecoveryFolder;

// Unsaved edits are kept in recovery files of their own, never beside the
// user's project: a crash or a kill then loses at most the last second of
// work, and the project file is only ever written by Save. Every window
// keeps its own files in the recovery folder (recovery_folder.h):
//     STEM "." TAG ".recovery"   the window's unsaved edits of the project
//     STEM "." TAG ".lock"       locked while the window has the project open
// STEM is the project's file name, cut to fit, a dot and a hash of its
// absolute path, so that projects of the same name in different folders keep
// apart and every name fits the file system's limit; TAG is "PID-N", the
// window's process and its number among the windows of that process.

// `stateHome`/tolvane/recovery, where stateHome is $XDG_STATE_HOME when it
// is an absolute path, else the home folder's ".local/state".
std::string DefaultRecoveryFolder();

std::string RecoveryStem(const std::string& projectPath);
std::string RecoveryName(const std::string& stem, const std::string& tag);
std::string LockName(const std::string& stem, const std::string& tag);

// A tag for a new window of this process that no file in the folder carries
// yet: a process that ended long ago may have had the same id.
std::string NewWindowTag(const RecoveryFolder& folder);

// Whether a window other than the one tagged `ownTag` has the project open.
bool OpenInAnotherWindow(const RecoveryFolder& folder, const std::string& projectPath, const std::string& ownTag);

// A recovery file that no running window keeps: its window ended without
// settling its edits (a crash, a kill, the end of the session).
struct RecoveryOffer {
    std::string Name;
    // When the edits were written, as seconds since the epoch.
    std::time_t WrittenAt = 0;
    // The project file was written after them, by another window or program.
    bool ProjectNewer = false;
};

// The recovery files of the project left behind by windows that no longer
// run, the newest first; also one of the single file per project that
// earlier versions kept (STEM ".recovery").
std::vector<RecoveryOffer> LeftBehindRecoveries(const RecoveryFolder& folder, const std::string& projectPath);

// Reads a recovery file into `project`, as if its text were the content of
// the project file at `projectPath`, with the project reader's decoding
// (Document::loadRecovered starts it as unsaved edits). Raises
// FileReadError or NotAProjectError when the file cannot be used, also when
// it loads fewer regions or frames than its text holds: a recovery file is
// written whole, and offering part of it would lose the rest on the next Save.
void LoadRecovery(Project& project, const std::string& recoveryPath, const std::string& projectPath);

// Renames a recovery file that cannot be used to a name that no window will
// look for, so that its content is kept for the user. Returns the new path,
// or empty when even that failed.
std::string SetRecoveryAside(const RecoveryFolder& folder, const std::string& name);

}  // namespace tolv
