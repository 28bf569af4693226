#pragma once

#include "platform/image/bitmap.h"
#include "platform/image/raster.h"
#include "platform/io/atomic_file.h"

#include <cstdint>
#include <optional>

namespace tolv {

// Writes the BMP file of the bitmap into a file that the caller has opened,
// for instance inside a folder it holds open, and commits later; raises
// FileWriteError with the path. Returns the size of the file written.
std::uint64_t WriteBmp(const Bitmap& bitmap, AtomicFile& file);

// Writes the file that WriteBmp writes of a bitmap holding the `area` of
// `frame` in the frame's format, straight from the frame's rows, with no copy
// of the pixels: a run writes most clips this way. Returns nothing, and writes nothing, where
// the clip needs a copy of its own (an area not wholly on the frame, pixels
// smaller than a byte or of 16-bit samples, a palette with fewer entries than
// values); otherwise the size of the file.
std::optional<std::uint64_t> WriteBmpOfArea(const Bitmap& frame, const Rect& area, AtomicFile& file);

}  // namespace tolv
