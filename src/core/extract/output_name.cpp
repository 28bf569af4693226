#include "extract/output_name.h"

namespace tolv {

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool HasDrive(std::string_view name)
{
    const bool letter = name.size() >= 2 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    return letter && name[1] == ':';
}

bool HasParentComponent(std::string_view name)
{
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) {
            ++end;
        }
        if (name.substr(start, end - start) == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

bool IsUnsafeOutputName(std::string_view name)
{
    return (!name.empty() && IsSeparator(name.front())) || HasDrive(name) || HasParentComponent(name);
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
    }
    return lower;
}

}  // namespace tolv
