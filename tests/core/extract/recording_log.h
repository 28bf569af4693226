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

// Keeps every line and progress report of a run or a check.
class RecordingLog : public LogSink {
public:
    void LogLine(const std::string& text, Color color) override { lines.push_back({text, color}); }
    void Progress(int done, int toDo) override { progress.emplace_back(done, toDo); }

    // The lines from `first` on.
    std::vector<LoggedLine> from(std::size_t first) const
    {
        return {lines.begin() + std::ptrdiff_t(std::min(first, lines.size())), lines.end()};
    }

    std::vector<LoggedLine> lines;
    std::vector<std::pair<int, int>> progress;
};

}  // namespace tolv::test
