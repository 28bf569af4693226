#include "cli/console_log.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
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

std::string Escaped(char c)
{
    switch (c) {
    case '\t':
        return "\\t";
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    default:
        break;
    }
    const char* const digits = "0123456789abcdef";
    const auto byte = static_cast<unsigned char>(c);
    return {'\\', 'x', digits[byte >> 4], digits[byte & 0xF]};
}

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The stream keeps no reason and errno has moved on since the write that
// failed, so one more byte asks the file itself; the output is broken anyway.
std::string OutputFailure()
{
    if (write(STDOUT_FILENO, "\n", 1) < 0) {
        return std::strerror(errno);
    }
    return "write error";
}

}  // namespace

std::string EscapeControls(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (IsControl(c)) {
            escaped += Escaped(c);
        } else {
            escaped += c;
        }
    }
    return escaped;
}

void PrintError(std::string_view message)
{
    std::cerr << "tolvane-cli: " << EscapeControls(message) << '\n';
}

bool StandardOutputWritten()
{
    if (std::cout.flush()) {
        return true;
    }
    PrintError("cannot write the output: " + OutputFailure());
    return false;
}

void ConsoleLog::logLine(const std::string& text, Color color)
{
    const char* code = colored_ ? AnsiCode(color) : nullptr;
    if (code) {
        out_ << code << EscapeControls(text) << "\x1b[0m\n";
    } else {
        out_ << EscapeControls(text) << '\n';
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
