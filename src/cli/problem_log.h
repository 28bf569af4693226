#pragma once

#include "extract/log_sink.h"

namespace tolv::cli {

// Passes the run on to the next log and names every problem, a refused row
// among them: one line on stderr each, and the "problem" event to `events`
// when the run prints events.
class ProblemLog : public LogSink {
public:
    ProblemLog(LogSink& next, LogSink* events) : next_(next), events_(events) {}

    int problems() const { return problems_; }

    void logLine(const std::string& text, Color color) override { next_.logLine(text, color); }
    void progress(int framesDone, int framesToDo) override { next_.progress(framesDone, framesToDo); }
    void frameStarted(const std::string& frame, int position) override { next_.frameStarted(frame, position); }
    void wrote(const OutputRecord& output) override { next_.wrote(output); }
    void skipped(const OutputRecord& output) override { next_.skipped(output); }
    void refused(const Refusal& refusal) override;
    void found(const std::string& subject, const std::string& message) override { next_.found(subject, message); }
    void problem(const RunProblem& problem) override;
    bool stopRequested() override { return next_.stopRequested(); }

private:
    LogSink& next_;
    LogSink* events_;
    int problems_ = 0;
};

}  // namespace tolv::cli
