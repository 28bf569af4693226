#pragma once

#include "platform/image/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The parts of the BMP file format shared by the reader and the writer.
namespace tolv::bmp {

enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t V4HeaderSize = 108;
constexpr std::uint32_t V5HeaderSize = 124;
// File header, the largest info header, masks behind a 40-byte header, a full palette.
constexpr std::size_t MaxHeadersSize = FileHeaderSize + V5HeaderSize + 12 + 256 * 4;

// What the headers say about the image and where its pixels are.
struct Layout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = Rgb;
    std::vector<Color> palette;
    BitMasks masks;
    Resolution resolution;
    std::uint64_t pixelOffset = 0;
    // The rows as stored for an uncompressed image; the stream for RLE.
    std::uint64_t pixelBytes = 0;

    bool compressed() const { return compression == Rle8 || compression == Rle4; }
};

// Reads and checks the headers from the first `size` bytes of a file of
// `fileSize` bytes; `size` is the whole file or at least MaxHeadersSize bytes.
// Guarantees that the pixel data lies within the file and that the image
// respects the bitmap limits. Raises InvalidBitmapError.
Layout ParseHeaders(const std::uint8_t* head, std::size_t size, std::uint64_t fileSize);

// A bitmap of the size and format the layout describes, in the pixel memory
// of `spent`, for its pixels to be read into: all 0 for an RLE image, which
// may leave pixels unset; bytes left as they were for rows that are read whole.
Bitmap MakeBitmap(const Layout& layout, Bitmap&& spent = Bitmap());

// The bitmap row (top-down) that holds the file's row `fileRow`.
inline int BitmapRow(const Layout& layout, int fileRow)
{
    return layout.topDown ? fileRow : layout.height - 1 - fileRow;
}

// Decodes an RLE8 or RLE4 stream into `bitmap` (made by MakeBitmap; pixels
// the stream does not reach stay 0). Raises InvalidBitmapError for a stream
// that is cut short or runs past the image.
void DecodeRle(const Layout& layout, const std::uint8_t* stream, std::size_t size, Bitmap& bitmap);

}  // namespace tolv::bmp
