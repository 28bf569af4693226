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

    void LogLine(const std::string& text, Color color) override { next_.LogLine(text, color); }
    void Progress(int framesDone, int framesToDo) override { next_.Progress(framesDone, framesToDo); }
    void FrameStarted(const std::string& frame, int position) override { next_.FrameStarted(frame, position); }
    void Wrote(const OutputRecord& output) override { next_.Wrote(output); }
    void Skipped(const OutputRecord& output) override { next_.Skipped(output); }
    void Refused(const Refusal& refusal) override;
    void Found(const std::string& subject, const std::string& message) override { next_.Found(subject, message); }
    void Problem(const RunProblem& problem) override;
    bool StopRequested() override { return next_.StopRequested(); }

private:
    LogSink& next_;
    LogSink* events_;
    int problems_ = 0;
};

}  // namespace tolv::cli
