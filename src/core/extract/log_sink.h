#pragma once

#include "platform/color.h"

#include <string>

namespace tolv {

// Where the extraction run and the project check write their coloured lines.
// The desktop program appends them to a rich-text log and repaints it after
// every line; the command-line program prints them.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void LogLine(const std::string& text, Color color) = 0;
    // Frames of the run finished so far out of the frames it will process.
    virtual void Progress(int framesDone, int framesToDo) { (void)framesDone, (void)framesToDo; }
};

}  // namespace tolv
