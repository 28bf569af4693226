#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The line grammar shared by the INI reader, writer and in-place updater, so
// that all three agree on what a section, an entry and a comment are.
namespace tolv::ini {

// Far above any real project or settings file; guards against reading a huge file by mistake.
constexpr std::size_t kMaxFileBytes = 64 * 1024 * 1024;

// Longest value a read returns, in characters (the private-profile buffer of 2048 less its terminator).
constexpr std::size_t kMaxValueChars = 2047;

struct Line {
    enum class Kind { Other, Section, Entry };
    Kind kind = Kind::Other;
    std::string_view name;  // section name or key, trimmed
    std::string_view value;  // entries only, trimmed but still quoted
};

// Names match without regard to ASCII case; other letters must match exactly.
std::string FoldCase(std::string_view name);

std::string_view TrimBlanks(std::string_view text);

// "[name]" (the "]" may be missing) is a section; "key=value" is an entry;
// blank lines, lines starting with ";" and lines without "=" are Other.
Line ParseLine(std::string_view line);

// A value as reads return it: without one pair of enclosing quotes, cut at
// kMaxValueChars characters.
std::string ValueAsRead(std::string_view trimmedValue);

// The text of an entry line. Line breaks in a value become blanks, since
// they would otherwise end the line and turn the rest into entries of its own.
std::string EntryLine(std::string_view key, std::string_view value);

// Calls onLine for every line of text; CR LF, LF and a lone CR all end a line,
// and a last line without an ending still counts.
template <typename F>
void ForEachLine(std::string_view text, F&& onLine)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            onLine(text.substr(start));
            return;
        }
        onLine(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

}  // namespace tolv::ini
