#pragma once

#include "extract/log_sink.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>

namespace tolv::cli {

// Prints the coloured log of a run or a check, one line per log line. With
// colour on, each line is wrapped in the ANSI code of its colour; black lines
// keep the terminal's own colour so they stay readable on a dark background.
class ConsoleLog : public LogSink {
public:
    ConsoleLog(std::ostream& out, bool colored) : out_(out), colored_(colored) {}

    void LogLine(const std::string& text, Color color) override;

private:
    std::ostream& out_;
    bool colored_;
};

// Adds --color=auto|always|never to a command, stored into `mode`.
void AddColorOption(CLI::App& command, std::string& mode);

// Whether standard output gets colours: "always", or "auto" on a terminal
// when NO_COLOR is not set.
bool UseColor(const std::string& mode);

}  // namespace tolv::cli
