#pragma once

#include "extract/run_records.h"

#include <string>
#include <vector>

namespace tolv {

// Files an earlier run wrote into VidIziz that the project no longer makes
// (a name changed, a region or a frame gone, another format, a type switched
// off): what an importer globbing the folder would still take as current.

// The files `earlier` lists that `made` does not, and that still stand in the
// project folder, by file name.
std::vector<OutputRecord> StaleOutputs(const std::vector<OutputRecord>& earlier, const std::vector<OutputRecord>& made,
                                       const std::string& projectFolder);

enum class PruneOutcome : std::uint8_t {
    Removed,
    Gone,  // nothing there any more
    Changed,  // another size or modification time than recorded
    NotAFile,  // a symbolic link, a folder or another kind of entry
    Outside,  // not a name inside VidIziz, or VidIziz itself is a link
    NotRemoved,  // the file system refused
};

// Removes a stale file only when it still is exactly the file recorded: the
// same size and modification time, a plain file inside VidIziz reached by no
// symbolic link. Anything else is left alone.
PruneOutcome PruneStaleOutput(const std::string& projectFolder, const OutputRecord& stale);

// "removed", or why the file was left alone.
std::string PruneOutcomeText(PruneOutcome outcome);

}  // namespace tolv
