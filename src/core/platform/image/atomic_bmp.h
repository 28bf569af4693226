#pragma once

#include "platform/image/bitmap.h"
#include "platform/io/atomic_file.h"

namespace tolv {

// Writes the BMP file of the bitmap into a file that the caller has opened,
// for instance inside a folder it holds open, and commits later; raises
// FileWriteError with the path. Returns the size of the file written.
std::uint64_t WriteBmp(const Bitmap& bitmap, AtomicFile& file);

}  // namespace tolv
