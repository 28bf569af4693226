#pragma once

#include "extract/log_sink.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tolv::test {

struct LoggedLine {
    std::string text;
    Color color;
    bool operator==(const LoggedLine&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const LoggedLine& line)
{
    return out << '"' << line.text << "\" 0x" << std::hex << line.color << std::dec;
}

// Keeps every line, progress report and event of a run or a check; asks the
// run to stop after `stopAfterRows` rows when that is set.
class RecordingLog : public LogSink {
public:
    void LogLine(const std::string& text, Color color) override { lines.push_back({text, color}); }
    void Progress(int done, int toDo) override { progress.emplace_back(done, toDo); }
    void Wrote(const OutputRecord& output) override { wrote.push_back(output); }
    void Skipped(const OutputRecord& output) override { skipped.push_back(output); }
    void Refused(const Refusal& refusal) override { refused.push_back(refusal); }
    bool StopRequested() override { return ++rows == stopAfterRows; }

    // The lines from `first` on.
    std::vector<LoggedLine> from(std::size_t first) const
    {
        return {lines.begin() + std::ptrdiff_t(std::min(first, lines.size())), lines.end()};
    }

    std::vector<LoggedLine> lines;
    std::vector<std::pair<int, int>> progress;
    std::vector<OutputRecord> wrote;
    std::vector<OutputRecord> skipped;
    std::vector<Refusal> refused;
    int rows = 0;
    int stopAfterRows = -1;
};

}  // namespace tolv::test
