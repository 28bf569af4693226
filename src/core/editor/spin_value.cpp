#include "editor/spin_value.h"

#include <algorithm>
#include <charconv>

namespace tolv {

int SpinValue(std::string_view text, int min, int max)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return min;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-')
            return min;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range && end == text.data() + text.size())
        return text.front() == '-' ? min : max;
    if (error != std::errc() || end != text.data() + text.size())
        return min;
    return int(std::clamp<long long>(value, min, max));
}

}  // namespace tolv
