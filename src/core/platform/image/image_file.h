#pragma once

#include "platform/image/bitmap.h"
#include "platform/io/atomic_file.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tolv {

// The picture files a project uses: frames, overlays and outputs, each a BMP
// or a PNG file, read and written with the exact pixel format of the bitmap.
enum class ImageFormat : std::uint8_t { Bmp, Png };

// What a file holds, told by its first bytes, never by its name.
// Raises FileReadError and InvalidBitmapError as LoadBmp does.
Bitmap LoadImageFile(const std::string& path);
// The same in the pixel memory of `spent` (see Bitmap::ForOverwrite).
Bitmap LoadImageFile(const std::string& path, Bitmap&& spent);
// The same from the bytes of a file already read.
Bitmap DecodeImageFile(std::string_view bytes);

// The format an output is written in follows its name: ".png" (in any letter
// case) writes PNG, any other name BMP.
ImageFormat OutputFormatOf(std::string_view outputName);

// Writes the bitmap into the opened file and commits it; returns the size of
// the file. Raises FileWriteError with the path.
// `pngLevel` (0..9) is the compression of a PNG file (see EncodePng).
std::uint64_t SaveImageFile(const Bitmap& bitmap, AtomicFile& file, ImageFormat format, int pngLevel);
// The same without the commit, for a caller that puts the file in place later.
std::uint64_t WriteImageFile(const Bitmap& bitmap, AtomicFile& file, ImageFormat format, int pngLevel);
// The bits per pixel that the run reports for the file: a BMP's own depth,
// and for a PNG the bitmap's.
int ReportedBitsPerPixel(const Bitmap& bitmap, ImageFormat format);
// The size SaveImageFile would give the file, for a run that writes nothing.
std::uint64_t EncodedImageSize(const Bitmap& bitmap, ImageFormat format, int pngLevel);

}  // namespace tolv
