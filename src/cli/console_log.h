#pragma once

#include "extract/log_sink.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>
#include <string_view>

namespace tolv::cli {

// Prints the coloured log of a run or a check, one line per log line. With
// colour on, each line is wrapped in the ANSI code of its colour; black lines
// keep the terminal's own colour so they stay readable on a dark background.
class ConsoleLog : public LogSink {
public:
    ConsoleLog(std::ostream& out, bool colored) : out_(out), colored_(colored) {}

    void logLine(const std::string& text, Color color) override;

private:
    std::ostream& out_;
    bool colored_;
};

// The text with each control character written out, so a name cannot move
// the cursor or recolour the terminal: tab, line feed and carriage return as
// \t, \n and \r, the other bytes below 0x20 and 0x7F as \xNN.
std::string EscapeControls(std::string_view text);

// Prints "tolvane-cli: " and the message, its control characters escaped,
// as one line on stderr.
void PrintError(std::string_view message);

// Flushes standard output; when it could not be written, says so on stderr
// and returns false.
bool StandardOutputWritten();

// Adds --color=auto|always|never to a command, stored into `mode`.
void AddColorOption(CLI::App& command, std::string& mode);

// Whether standard output gets colours: "always", or "auto" on a terminal
// when NO_COLOR is not set.
bool UseColor(const std::string& mode);

}  // namespace tolv::cli
