#pragma once

#include "platform/image/bitmap.h"
#include "platform/io/atomic_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace tolv {

// PNG codec. Every colour type is read into the bitmap format that holds it
// without loss: palette 1, 4 and 8 bits as they are and 2 bits as 4, with the
// palette and its alpha (tRNS); grey 1, 2, 4 and 8 bits the same way with a
// grey palette, a transparent grey level as palette alpha; grey with alpha,
// RGBA, and RGB with a transparent colour as 32 bits with alpha mask
// 0xFF000000; RGB as 24 bits. Sixteen bits per channel keep every bit: grey
// and RGB as 48 bits, grey with alpha, RGBA, and grey or RGB with a
// transparent value as 64 bits (grey as R == G == B). Readers raise
// InvalidBitmapError for anything malformed, truncated, with a bad checksum,
// or beyond the bitmap limits (checked from the header, before any pixel
// memory is taken).
constexpr std::size_t PngSignatureLength = 8;
bool IsPngSignature(const std::uint8_t* data, std::size_t size);
Bitmap DecodePng(const std::uint8_t* data, std::size_t size);
// Reads from `file`, whose signature the caller has read already, into the
// pixel memory of `spent`. Raises FileReadError with `path` when reading fails.
Bitmap ReadPng(std::FILE* file, const std::string& path, Bitmap&& spent);

// Writers keep the pixel format: palette bitmaps as palette PNG of their depth
// (with tRNS when the palette has alpha), 24 bits and 32 bits without alpha as
// RGB, 32 bits with alpha as RGBA, 16 bits as RGB of the colours they read as;
// 48 and 64 bits as 16-bit RGB and RGBA with the same samples, or as 16-bit
// grey and grey with alpha when every pixel has R == G == B.
// `level` trades time for size as zlib's levels do: 0 stores the rows
// unfiltered and uncompressed, 9 is the smallest and slowest; the default
// makes files as small as common encoders' defaults in a fraction of their
// time. Raises std::out_of_range for a level beyond 0..9.
constexpr int MinPngLevel = 0;
constexpr int MaxPngLevel = 9;
constexpr int DefaultPngLevel = 8;
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap, int level = DefaultPngLevel);
std::uint64_t EncodedPngSize(const Bitmap& bitmap, int level = DefaultPngLevel);
// Writes into the opened file, which the caller commits; returns the size of
// the file. Raises FileWriteError with the path.
std::uint64_t WritePng(const Bitmap& bitmap, AtomicFile& file, int level = DefaultPngLevel);

}  // namespace tolv
