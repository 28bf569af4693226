#pragma once

#include <string>
#include <vector>

namespace tolv::test {

// A name that a project file cannot hold as it is, with the reason the
// program gives when it stands as an output file name.
struct UnstorableName {
    const char* label;
    std::string name;
    std::string reason;
};

// One of every kind, for each place where names enter.
inline std::vector<UnstorableName> UnstorableOutputNames()
{
    const std::string control =
        "Output file holds a control character or a line break, which the project file cannot hold.";
    const auto blank = [](const std::string& name) {
        return "Output file \"" + name + "\" starts or ends with a blank, which the project file does not keep.";
    };
    const auto quoted = [](const std::string& name) {
        return "Output file \"" + name + "\" is enclosed in quotes, which the project file does not keep.";
    };
    return {
        {"Comma", "x,1.bmp",
         "Output file \"x,1.bmp\" holds a comma, which the project file puts between the names of a worksheet row."},
        {"Tab", "a\tb.bmp", control},
        {"LineFeed", "a\nb.bmp", control},
        {"CarriageReturn", "a\rb.bmp", control},
        {"LowByte", "a\x01.bmp", control},
        {"LeadingBlank", " a.bmp", blank(" a.bmp")},
        {"TrailingBlank", "a.bmp ", blank("a.bmp ")},
        {"DoubleQuotes", "\"a.bmp\"", quoted("\"a.bmp\"")},
        {"SingleQuotes", "'a.bmp'", quoted("'a.bmp'")},
        {"TooLong", std::string(2044, 'n') + ".bmp",
         "Output file is longer than the 2047 characters that a value of the project file holds."},
    };
}

}  // namespace tolv::test
