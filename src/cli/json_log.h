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

    void LogLine(const std::string& text, Color color) override;
    void FrameStarted(const std::string& frame, int position) override;
    void Wrote(const OutputRecord& output) override;
    void Skipped(const OutputRecord& output) override;
    void Refused(const Refusal& refusal) override;
    void Found(const std::string& subject, const std::string& message) override;
    void Noted(const std::string& subject, const std::string& message) override;
    void Problem(const RunProblem& problem) override;

    void Print(const Json& event);

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
