#pragma once

#include <initializer_list>
#include <string>

namespace tolv::test {

// A project file's text: the lines joined with CR LF, as the writer ends them.
inline std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace tolv::test
