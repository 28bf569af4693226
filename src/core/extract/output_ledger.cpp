#include "extract/output_ledger.h"

#include "platform/io/files.h"

namespace tolv {

namespace {

std::vector<OutputRecord> ValuesOf(const std::map<std::string, OutputRecord>& records)
{
    std::vector<OutputRecord> values;
    values.reserve(records.size());
    for (const auto& [file, record] : records) {
        values.push_back(record);
    }
    return values;
}

}  // namespace

const std::vector<OutputRecord>& OutputLedger::afterRun(const std::string& projectPath,
                                                        const std::string& projectFolder,
                                                        const std::vector<OutputRecord>& written, bool wentToEnd)
{
    Entry& entry = projects_[projectPath];
    std::map<std::string, OutputRecord> made;
    for (OutputRecord record : written) {
        if (const std::optional<FileStamp> stamp = StampOf(JoinPath(projectFolder, record.file))) {
            record.stamp = *stamp;
            made[record.file] = std::move(record);
        }
    }
    entry.stale.clear();
    if (wentToEnd) {
        entry.stale = StaleOutputs(ValuesOf(entry.made), written, projectFolder);
        for (const OutputRecord& file : entry.stale) {
            made.emplace(file.file, file);
        }
        entry.made = std::move(made);
    } else {
        made.merge(entry.made);
        entry.made = std::move(made);
    }
    return entry.stale;
}

std::vector<std::pair<OutputRecord, PruneOutcome>> OutputLedger::prune(const std::string& projectPath,
                                                                       const std::string& projectFolder)
{
    Entry& entry = projects_[projectPath];
    std::vector<std::pair<OutputRecord, PruneOutcome>> outcomes;
    for (const OutputRecord& file : entry.stale) {
        const PruneOutcome outcome = PruneStaleOutput(projectFolder, file);
        if (outcome == PruneOutcome::Removed || outcome == PruneOutcome::Gone) {
            entry.made.erase(file.file);
        }
        outcomes.emplace_back(file, outcome);
    }
    entry.stale.clear();
    return outcomes;
}

const std::vector<OutputRecord>& OutputLedger::staleOf(const std::string& projectPath) const
{
    static const std::vector<OutputRecord> none;
    const auto found = projects_.find(projectPath);
    return found == projects_.end() ? none : found->second.stale;
}

}  // namespace tolv
