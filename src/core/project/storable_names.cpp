#include "project/storable_names.h"

#include "platform/io/ini_syntax.h"

#include <algorithm>

namespace tolv {

namespace {

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

std::size_t CharacterCount(std::string_view text)
{
    return std::size_t(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string TooLong(std::string_view what)
{
    return std::string(what) + " is longer than the " + std::to_string(ini::kMaxValueChars)
           + " characters that a value of the project file holds.";
}

std::string Quoted(std::string_view what, std::string_view name)
{
    return std::string(what) + " \"" + std::string(name) + "\"";
}

}  // namespace

std::optional<std::string> UnstorableNameReason(std::string_view what, std::string_view name)
{
    // The name is shown only where it cannot break the line it is shown on.
    if (std::any_of(name.begin(), name.end(), IsControl))
        return std::string(what) + " holds a control character or a line break, which the project file cannot hold.";
    if (CharacterCount(name) > ini::kMaxValueChars)
        return TooLong(what);
    if (name.find(',') != std::string_view::npos)
        return Quoted(what, name) + " holds a comma, which the project file puts between the names of a worksheet row.";
    if (!name.empty() && (name.front() == ' ' || name.back() == ' '))
        return Quoted(what, name) + " starts or ends with a blank, which the project file does not keep.";
    if (name.size() >= 2 && IsQuote(name.front()) && name.back() == name.front())
        return Quoted(what, name) + " is enclosed in quotes, which the project file does not keep.";
    return std::nullopt;
}

std::optional<std::string> UnstorableRowReason(std::string_view input, std::string_view output)
{
    if (auto reason = UnstorableNameReason("Input frame", input))
        return reason;
    if (auto reason = UnstorableNameReason("Output file", output))
        return reason;
    if (CharacterCount(input) + 2 + CharacterCount(output) > ini::kMaxValueChars)
        return TooLong("The row");
    // The row's own value is enclosed when its first and last names together are.
    if (!input.empty() && !output.empty() && IsQuote(input.front()) && output.back() == input.front())
        return "Input frame \"" + std::string(input) + "\" starts and output file \"" + std::string(output)
               + "\" ends with the same quote, which the project file does not keep.";
    return std::nullopt;
}

std::optional<std::string> UnstorableWorksheetReason(std::span<const std::string> inputs,
                                                     std::span<const std::string> outputs)
{
    for (std::size_t row = 0; row < std::min(inputs.size(), outputs.size()); ++row) {
        if (auto reason = UnstorableRowReason(inputs[row], outputs[row]))
            return "Row " + std::to_string(row + 1) + ": " + *reason;
    }
    return std::nullopt;
}

}  // namespace tolv
