#pragma once

#include <cstdint>
#include <limits>

namespace tolv {

// a + b, held at the ends of the int range instead of overflowing: geometry
// read from a file or moved by the user may lie anywhere in that range.
inline int SaturatingAdd(int a, int b)
{
    const std::int64_t sum = std::int64_t(a) + b;
    if (sum > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (sum < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(sum);
}

}  // namespace tolv
