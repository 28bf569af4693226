#pragma once

#include "extract/run_records.h"
#include "extract/stale_outputs.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tolv {

// What the runs of this session made in the VidIziz of each project, so that
// after a run the window can tell which files of the runs before it the
// project no longer makes, and remove them under the same rule as --prune.
class OutputLedger {
public:
    // Records the files a real run wrote, stamped as they lie now. After a
    // run that went to its end returns the files recorded earlier that it no
    // longer makes and that still stand; a stopped or failed run made only a
    // part of the project, so it adds its files and reports nothing.
    const std::vector<OutputRecord>& afterRun(const std::string& projectPath, const std::string& projectFolder,
                                              const std::vector<OutputRecord>& written, bool wentToEnd);

    // The stale files of the last run of the project, each removed or left
    // alone as PruneStaleOutput decides. Files left alone are reported again
    // after the next run.
    std::vector<std::pair<OutputRecord, PruneOutcome>> prune(const std::string& projectPath,
                                                             const std::string& projectFolder);

    // The files the last run of the project reported that are not removed yet.
    const std::vector<OutputRecord>& staleOf(const std::string& projectPath) const;

private:
    struct Entry {
        std::map<std::string, OutputRecord> made;
        std::vector<OutputRecord> stale;
    };
    std::map<std::string, Entry> projects_;
};

}  // namespace tolv
