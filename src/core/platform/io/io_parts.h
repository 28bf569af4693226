#pragma once

#include <sys/uio.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace tolv {

// Moves past the first `done` bytes of a list of parts after a vectored read
// or write moved that many, and past parts left empty, so that the next call
// goes on where this one stopped.
inline void SkipDone(iovec*& parts, std::size_t& count, std::size_t done)
{
    while (count > 0 && (done > 0 || parts->iov_len == 0)) {
        const std::size_t taken = std::min(done, parts->iov_len);
        parts->iov_base = static_cast<std::uint8_t*>(parts->iov_base) + taken;
        parts->iov_len -= taken;
        done -= taken;
        if (parts->iov_len == 0) {
            ++parts;
            --count;
        }
    }
}

}  // namespace tolv
