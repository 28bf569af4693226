#include "cli/console_log.h"

#include <cstdlib>
#include <unistd.h>

namespace tolv::cli {

namespace {

const char* AnsiCode(Color color)
{
    switch (color) {
    case colors::Blue:
        return "\x1b[34m";
    case colors::Green:
        return "\x1b[32m";
    case colors::Red:
        return "\x1b[31m";
    default:
        return nullptr;
    }
}

}  // namespace

void ConsoleLog::LogLine(const std::string& text, Color color)
{
    const char* code = colored_ ? AnsiCode(color) : nullptr;
    if (code) {
        out_ << code << text << "\x1b[0m\n";
    } else {
        out_ << text << '\n';
    }
    // Each line shows as soon as it happens, as the desktop log repaints.
    out_.flush();
}

void AddColorOption(CLI::App& command, std::string& mode)
{
    command.add_option("--color", mode, "Colour the log lines: auto (on a terminal), always or never")
        ->check(CLI::IsMember({"auto", "always", "never"}))
        ->default_val("auto");
}

bool UseColor(const std::string& mode)
{
    if (mode == "always") {
        return true;
    }
    const char* noColor = std::getenv("NO_COLOR");
    return mode == "auto" && isatty(STDOUT_FILENO) && (noColor == nullptr || *noColor == '\0');
}

}  // namespace tolv::cli
