#pragma once

#include "extract/log_sink.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>

namespace tolv::cli {

using Json = nlohmann::ordered_json;

// A run or a check as JSON Lines: one object per event, each with an "event"
// field, in place of the log texts. The command adds its own "start", "error"
// and "done" through Print.
class JsonLog : public LogSink {
public:
    JsonLog(std::ostream& out, bool dryRun) : out_(out), dryRun_(dryRun) {}

    void logLine(const std::string& text, Color color) override;
    void frameStarted(const std::string& frame, int position) override;
    void wrote(const OutputRecord& output) override;
    void skipped(const OutputRecord& output) override;
    void refused(const Refusal& refusal) override;
    void found(const std::string& subject, const std::string& message) override;
    void noted(const std::string& subject, const std::string& message) override;
    void problem(const RunProblem& problem) override;

    void print(const Json& event);

private:
    std::ostream& out_;
    bool dryRun_;
};

// The fields of a "write" event, also those of an entry in the index.
Json OutputJson(const OutputRecord& output, bool withBytes);

// A file of an earlier run that this one no longer makes; `pruned` says what
// --prune did with it, empty without --prune.
Json StaleEvent(const OutputRecord& file, const std::string& pruned);

}  // namespace tolv::cli
