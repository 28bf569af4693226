#pragma once

#include "extract/run_records.h"
#include "platform/image/color.h"

#include <string>

namespace tolv {

// Where the extraction run and the project check write their coloured lines.
// The desktop program appends them to a rich-text log and repaints it after
// every line; the command-line program prints them.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void logLine(const std::string& text, Color color) = 0;
    // Frames of the run finished so far out of the frames it will process.
    virtual void progress(int framesDone, int framesToDo) { (void)framesDone, (void)framesToDo; }

    // The same run as events, for programs that read it; each comes with its
    // log line. `position` counts the frame list from 1.
    virtual void frameStarted(const std::string& frame, int position) { (void)frame, (void)position; }
    virtual void wrote(const OutputRecord& output) { (void)output; }
    virtual void skipped(const OutputRecord& output) { (void)output; }
    virtual void refused(const Refusal& refusal) { (void)refusal; }
    // A frame or overlay the run met and could not use; its red log line
    // comes first. A refused row comes to Refused only.
    virtual void problem(const RunProblem& problem) { (void)problem; }
    virtual void found(const std::string& subject, const std::string& message) { (void)subject, (void)message; }
    // A remark of the check that is not a finding.
    virtual void noted(const std::string& subject, const std::string& message) { (void)subject, (void)message; }

    // Asked after every row; true ends the run there.
    virtual bool stopRequested() { return false; }
};

}  // namespace tolv
