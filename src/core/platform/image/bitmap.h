#pragma once

#include "platform/image/color.h"
#include "platform/image/pixel_memory.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tolv {

// Channel masks of a 16- or 32-bit bitmap. All zero for other depths.
struct BitMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 0;
    bool operator==(const BitMasks&) const = default;
};

// Pixels per metre across and down, as a file states them; zero when unknown.
// Only carried along: drawing and copying ignore it.
struct Resolution {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Resolution&) const = default;
};

// A PNG chunk of colour information (gAMA, cHRM, sRGB, iCCP) as its file
// holds it. Only carried along, from a frame to the PNG outputs cut from it,
// so that a colour-managed viewer shows both alike; drawing, copying and BMP
// files ignore it.
struct ColourChunk {
    std::string type;
    std::vector<std::uint8_t> data;
    bool operator==(const ColourChunk&) const = default;
};

// Limits of what a bitmap may hold; larger images are refused as not valid.
constexpr int MaxBitmapSide = 32768;
constexpr std::size_t MaxBitmapBytes = std::size_t(512) << 20;

// An in-memory bitmap that keeps the pixel format of its file: 1, 4 or 8 bits
// with a palette; 16 bits (5-5-5 or any bit-field masks); 24; 32 bits; and,
// for PNG files of 16 bits per channel, 48 bits (B, G, R) and 64 bits (B, G,
// R, A) of 16-bit samples.
// Rows are stored top-down, each padded to a 4-byte boundary, in the BMP
// layout of their depth (24 bits: B, G, R), so a row copy is one memcpy.
// The 48- and 64-bit layouts are those of 24 and 32 bits with every sample
// widened: each sample little-endian, so a pixel value is B | G << 16 |
// R << 32 (| A << 48). They have no masks; 64 bits always has alpha. Grey
// lives there too, as R == G == B.
// A default-constructed bitmap is empty (no image).
class Bitmap {
public:
    Bitmap() = default;
    // Palette entries are 0x00BBGGRR; depths 1, 4 and 8 need at least one
    // entry and at most 2^depth. Masks of 16 and 32 bits default to 5-5-5 and
    // 8-8-8; given masks must be non-zero (alpha may be zero), contiguous,
    // disjoint and within the depth. A palette or masks that the depth does
    // not use are dropped. Raises InvalidBitmapError for an unsupported depth,
    // a bad palette or masks, or a size beyond the limits above.
    Bitmap(int width, int height, int bitsPerPixel, std::vector<Color> palette = {}, BitMasks masks = {});
    // The same in the pixel memory of `spent`, which is left empty, for a
    // caller that sets every pixel row: the bytes are left as they were. A
    // run of frames of one size then neither clears each frame nor waits for
    // new memory, which the system hands out page by page.
    static Bitmap ForOverwrite(int width, int height, int bitsPerPixel, std::vector<Color> palette, BitMasks masks,
                               Bitmap&& spent);

    // An empty bitmap of the same depth, palette, palette alpha, masks,
    // resolution and colour chunks as `format`.
    static Bitmap SameFormat(const Bitmap& format, int width, int height);
    // 48 and 64: samples of 16 bits.
    static constexpr bool HasWideSamples(int bitsPerPixel) { return bitsPerPixel == 48 || bitsPerPixel == 64; }
    // 5-5-5 for 16 bits, 8-8-8 for 32 bits, none for other depths.
    static BitMasks DefaultMasks(int bitsPerPixel);
    // Bytes per row: width * depth bits rounded up to whole 32-bit words.
    static std::size_t RowStride(int width, int bitsPerPixel);

    bool empty() const { return width_ == 0 || height_ == 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    std::size_t stride() const { return stride_; }
    const std::vector<Color>& palette() const { return palette_; }
    // The opacity of each palette entry (255 opaque, 0 transparent), as a PNG
    // states it; empty when the file says nothing, as a BMP never does. Only
    // carried along and written back; colours ignore it.
    const std::vector<std::uint8_t>& paletteAlpha() const { return paletteAlpha_; }
    // Empty, or one value per palette entry; raises InvalidBitmapError otherwise.
    void setPaletteAlpha(std::vector<std::uint8_t> alpha);
    const BitMasks& masks() const { return masks_; }
    // An alpha mask, or 64 bits.
    bool hasAlpha() const { return masks_.alpha != 0 || bitsPerPixel_ == 64; }
    bool sameFormat(const Bitmap& other) const;
    const Resolution& resolution() const { return resolution_; }
    void setResolution(Resolution resolution) { resolution_ = resolution; }
    const std::vector<ColourChunk>& colourChunks() const;
    void setColourChunks(std::vector<ColourChunk> chunks);
    // Clips share their frame's chunks: a profile can be large.
    void shareColourChunks(const Bitmap& from) { colourChunks_ = from.colourChunks_; }

    std::uint8_t* row(int y) { return pixels_.data() + std::size_t(y) * stride_; }
    const std::uint8_t* row(int y) const { return pixels_.data() + std::size_t(y) * stride_; }
    const PixelMemory& pixels() const { return pixels_; }

    // Raw pixel values: a palette index, or the packed 16/24/32/48/64-bit value.
    // ASSUMPTION: 0 <= x < width, 0 <= y < height.
    std::uint64_t value(int x, int y) const;
    void setValue(int x, int y, std::uint64_t value);

    // Colours: a palette bitmap takes the nearest palette entry (least squared
    // RGB distance, the first of equals) among its most opaque entries, so
    // that what is drawn on a palette with alpha is never made transparent by
    // a see-through entry of a like colour; an index beyond the palette reads as
    // black. Channels of 16 and 32 bits scale to and from 8 bits with rounding;
    // 16-bit samples of 48 and 64 bits read as (v * 255 + 32895) >> 16, as PNG
    // readers round them, and an 8-bit level c is written as c * 257, which
    // reads back as c. An alpha channel is written opaque.
    Color pixel(int x, int y) const { return colorOf(value(x, y)); }
    void setPixel(int x, int y, Color color) { setValue(x, y, valueOf(color)); }
    Color colorOf(std::uint64_t value) const;
    // The alpha channel of a 16-, 32- or 64-bit value scaled to 8 bits; 255
    // (opaque) without an alpha channel.
    std::uint8_t alphaOf(std::uint64_t value) const;
    std::uint64_t valueOf(Color color) const;

    // Same format, size and pixel values; row padding does not count.
    bool operator==(const Bitmap& other) const;

private:
    // Pixel bytes beyond those of `storage` are 0.
    Bitmap(int width, int height, int bitsPerPixel, std::vector<Color> palette, BitMasks masks,
           PixelMemory storage);

    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 24;
    std::size_t stride_ = 0;
    std::vector<Color> palette_;
    std::vector<std::uint8_t> paletteAlpha_;
    BitMasks masks_;
    Resolution resolution_;
    std::shared_ptr<const std::vector<ColourChunk>> colourChunks_;
    PixelMemory pixels_;
};

// BMP codec. Readers raise InvalidBitmapError for anything malformed, truncated
// or too large (a side above 32768, pixel data above 512 MiB), FileReadError
// for a file that cannot be opened. RLE4/RLE8 decode to 4/8 bits; an RLE
// image may claim at most 16 MiB plus 1024 bytes per byte of its stream.
Bitmap DecodeBmp(const std::uint8_t* data, std::size_t size);
Bitmap LoadBmp(const std::string& path);
// Reads into the pixel memory of `spent`, which is left empty.
Bitmap LoadBmp(const std::string& path, Bitmap&& spent);

// The palette a writer gives the file: the bitmap's, extended with black
// entries up to the highest pixel value in use.
std::vector<Color> WrittenPalette(const Bitmap& bitmap);

// Writers keep the bitmap's depth, palette, masks and resolution, bottom-up
// rows. A palette shorter than the pixel values in use is written extended
// with black entries (the colour such values read as), so that every value
// has an entry. A BMP holds no 16-bit samples: 48 and 64 bits are written as
// 24 bits and as 32 bits with alpha, each sample rounded to 8 bits as the
// colours read, (v * 255 + 32895) >> 16.
// SaveBmp replaces the file atomically; raises FileWriteError with the path.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);
// The size of the file EncodeBmp and SaveBmp make of the bitmap.
std::uint64_t EncodedBmpSize(const Bitmap& bitmap);
// The depth of that file: the bitmap's, but half of it for 16-bit samples.
int BmpFileDepth(const Bitmap& bitmap);
void SaveBmp(const Bitmap& bitmap, const std::string& path);

}  // namespace tolv
