#pragma once

#include "platform/image/bitmap.h"
#include "platform/io/atomic_file.h"

namespace tolv {

// SaveBmp into a file that the caller has opened, for instance inside a
// folder it holds open, and commits it; raises FileWriteError with the path.
// Returns the size of the file written.
std::uint64_t SaveBmp(const Bitmap& bitmap, AtomicFile& file);

}  // namespace tolv
