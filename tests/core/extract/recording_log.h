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
    void logLine(const std::string& text, Color color) override { lines.push_back({text, color}); }
    void progress(int done, int toDo) override { reports.emplace_back(done, toDo); }
    void wrote(const OutputRecord& output) override { writes.push_back(output); }
    void skipped(const OutputRecord& output) override { skips.push_back(output); }
    void refused(const Refusal& refusal) override { refusals.push_back(refusal); }
    bool stopRequested() override { return ++rows == stopAfterRows; }

    // The lines from `first` on.
    std::vector<LoggedLine> from(std::size_t first) const
    {
        return {lines.begin() + std::ptrdiff_t(std::min(first, lines.size())), lines.end()};
    }

    std::vector<LoggedLine> lines;
    std::vector<std::pair<int, int>> reports;
    std::vector<OutputRecord> writes;
    std::vector<OutputRecord> skips;
    std::vector<Refusal> refusals;
    int rows = 0;
    int stopAfterRows = -1;
};

}  // namespace tolv::test
