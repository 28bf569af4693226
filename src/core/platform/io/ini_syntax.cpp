#include "platform/io/ini_syntax.h"

namespace tolv::ini {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Cuts after `limit` characters without splitting a UTF-8 sequence.
std::string_view CutAtChars(std::string_view text, std::size_t limit)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsUtf8Continuation(text[i]) && chars++ == limit)
            return text.substr(0, i);
    }
    return text;
}

}  // namespace

std::string FoldCase(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

Line ParseLine(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';')
        return {};
    if (line.front() == '[') {
        const std::string_view inner = line.substr(1);
        return {Line::Kind::Section, TrimBlanks(inner.substr(0, inner.find(']'))), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {Line::Kind::Entry, TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
}

std::string ValueAsRead(std::string_view trimmedValue)
{
    return std::string(CutAtChars(Unquote(trimmedValue), kMaxValueChars));
}

std::string EntryLine(std::string_view key, std::string_view value)
{
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key);
    line += '=';
    for (const char c : value)
        line += (c == '\r' || c == '\n') ? ' ' : c;
    return line;
}

}  // namespace tolv::ini
