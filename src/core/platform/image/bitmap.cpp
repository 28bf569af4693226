#include "platform/image/bitmap.h"

#include "platform/errors.h"
#include "platform/image/pixel_access.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <utility>

namespace tolv {

namespace {

bool SupportedDepth(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
    case 48:
    case 64:
        return true;
    default:
        return false;
    }
}

bool ContiguousWithin(std::uint32_t mask, int bitsPerPixel)
{
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0 && (mask & ~pixel::AllOnes(bitsPerPixel)) == 0;
}

void CheckMasks(const BitMasks& masks, int bitsPerPixel)
{
    if (masks.red == 0 || masks.green == 0 || masks.blue == 0)
        throw InvalidBitmapError();
    std::uint32_t seen = 0;
    for (const std::uint32_t mask : {masks.red, masks.green, masks.blue, masks.alpha}) {
        if (mask != 0 && (!ContiguousWithin(mask, bitsPerPixel) || (seen & mask) != 0))
            throw InvalidBitmapError();
        seen |= mask;
    }
}

// A channel scaled from its mask's width to 8 bits, rounded.
std::uint8_t ChannelOf(std::uint64_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t top = mask >> shift;
    const std::uint64_t level = (value & mask) >> shift;
    return std::uint8_t((level * 255 + top / 2) / top);
}

std::uint32_t ChannelValue(std::uint8_t channel, std::uint32_t mask)
{
    const int shift = std::countr_zero(mask);
    const std::uint64_t top = mask >> shift;
    return std::uint32_t((channel * top + 127) / 255) << shift;
}

// The 16-bit sample of a wide value that starts at bit `shift`.
std::uint8_t WideSampleOf(std::uint64_t value, int shift)
{
    return pixel::EightBitSample(value >> shift);
}

std::uint32_t NearestEntry(const std::vector<Color>& palette, const std::vector<std::uint8_t>& alpha, Color color)
{
    const std::uint8_t opaque = alpha.empty() ? 0 : *std::max_element(alpha.begin(), alpha.end());
    std::uint32_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size() && bestDistance > 0; ++i) {
        if (!alpha.empty() && alpha[i] != opaque)
            continue;
        const int dr = RedOf(palette[i]) - RedOf(color);
        const int dg = GreenOf(palette[i]) - GreenOf(color);
        const int db = BlueOf(palette[i]) - BlueOf(color);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = std::uint32_t(i);
        }
    }
    return best;
}

// 24-bit values hold B, G, R from the low byte up; colours hold R, G, B.
constexpr std::uint32_t SwapRedBlue(std::uint32_t v)
{
    return (v >> 16 & 0xFF) | (v & 0xFF00) | (v & 0xFF) << 16;
}

}  // namespace

Bitmap::Bitmap(int width, int height, int bitsPerPixel, std::vector<Color> palette, BitMasks masks)
    : Bitmap(width, height, bitsPerPixel, std::move(palette), masks, PixelMemory())
{}

Bitmap Bitmap::ForOverwrite(int width, int height, int bitsPerPixel, std::vector<Color> palette, BitMasks masks,
                            Bitmap&& spent)
{
    return Bitmap(width, height, bitsPerPixel, std::move(palette), masks, std::exchange(spent, Bitmap()).pixels_);
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel, std::vector<Color> palette, BitMasks masks,
               PixelMemory storage)
{
    if (!SupportedDepth(bitsPerPixel) || width < 0 || height < 0 || width > MaxBitmapSide || height > MaxBitmapSide)
        throw InvalidBitmapError();
    const std::size_t stride = RowStride(width, bitsPerPixel);
    if (stride * std::size_t(height) > MaxBitmapBytes)
        throw InvalidBitmapError();
    if (bitsPerPixel <= 8) {
        if (palette.empty() || palette.size() > (std::size_t(1) << bitsPerPixel))
            throw InvalidBitmapError();
    } else {
        palette.clear();
    }
    if (bitsPerPixel == 16 || bitsPerPixel == 32) {
        if (masks == BitMasks{})
            masks = DefaultMasks(bitsPerPixel);
        CheckMasks(masks, bitsPerPixel);
    } else {
        masks = {};
    }
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = stride;
    palette_ = std::move(palette);
    masks_ = masks;
    pixels_ = std::move(storage);
    pixels_.resize(stride * std::size_t(height));
}

Bitmap Bitmap::SameFormat(const Bitmap& format, int width, int height)
{
    Bitmap bitmap(width, height, format.bitsPerPixel_, format.palette_, format.masks_);
    bitmap.paletteAlpha_ = format.paletteAlpha_;
    bitmap.resolution_ = format.resolution_;
    bitmap.colourChunks_ = format.colourChunks_;
    return bitmap;
}

const std::vector<ColourChunk>& Bitmap::colourChunks() const
{
    static const std::vector<ColourChunk> none;
    return colourChunks_ ? *colourChunks_ : none;
}

void Bitmap::setColourChunks(std::vector<ColourChunk> chunks)
{
    colourChunks_ = chunks.empty() ? nullptr : std::make_shared<const std::vector<ColourChunk>>(std::move(chunks));
}

void Bitmap::setPaletteAlpha(std::vector<std::uint8_t> alpha)
{
    if (!alpha.empty() && alpha.size() != palette_.size())
        throw InvalidBitmapError();
    paletteAlpha_ = std::move(alpha);
}

BitMasks Bitmap::DefaultMasks(int bitsPerPixel)
{
    if (bitsPerPixel == 16)
        return {0x7C00, 0x03E0, 0x001F, 0};
    if (bitsPerPixel == 32)
        return {0xFF0000, 0x00FF00, 0x0000FF, 0};
    return {};
}

std::size_t Bitmap::RowStride(int width, int bitsPerPixel)
{
    return (std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32 * 4;
}

bool Bitmap::sameFormat(const Bitmap& other) const
{
    return bitsPerPixel_ == other.bitsPerPixel_ && palette_ == other.palette_ && paletteAlpha_ == other.paletteAlpha_
           && masks_ == other.masks_;
}

std::uint64_t Bitmap::value(int x, int y) const
{
    return pixel::Load(row(y), x, bitsPerPixel_);
}

void Bitmap::setValue(int x, int y, std::uint64_t value)
{
    pixel::Store(row(y), x, bitsPerPixel_, value);
}

Color Bitmap::colorOf(std::uint64_t value) const
{
    switch (bitsPerPixel_) {
    case 1:
    case 4:
    case 8:
        return value < palette_.size() ? palette_[value] : colors::Black;
    case 24:
        return SwapRedBlue(std::uint32_t(value) & 0xFFFFFF);
    case 48:
    case 64:
        return RGB(WideSampleOf(value, 32), WideSampleOf(value, 16), WideSampleOf(value, 0));
    default:
        return RGB(ChannelOf(value, masks_.red), ChannelOf(value, masks_.green), ChannelOf(value, masks_.blue));
    }
}

std::uint8_t Bitmap::alphaOf(std::uint64_t value) const
{
    if (bitsPerPixel_ == 64)
        return WideSampleOf(value, 48);
    return masks_.alpha == 0 ? 255 : ChannelOf(value, masks_.alpha);
}

std::uint64_t Bitmap::valueOf(Color color) const
{
    switch (bitsPerPixel_) {
    case 1:
    case 4:
    case 8:
        return NearestEntry(palette_, paletteAlpha_, color);
    case 24:
        return SwapRedBlue(color & 0xFFFFFF);
    case 48:
    case 64: {
        const std::uint64_t opaque = bitsPerPixel_ == 64 ? std::uint64_t(0xFFFF) << 48 : 0;
        return pixel::SixteenBitSample(RedOf(color)) << 32 | pixel::SixteenBitSample(GreenOf(color)) << 16
               | pixel::SixteenBitSample(BlueOf(color)) | opaque;
    }
    default:
        return ChannelValue(RedOf(color), masks_.red) | ChannelValue(GreenOf(color), masks_.green)
               | ChannelValue(BlueOf(color), masks_.blue) | masks_.alpha;
    }
}

bool Bitmap::operator==(const Bitmap& other) const
{
    if (width_ != other.width_ || height_ != other.height_ || !sameFormat(other))
        return false;
    const std::size_t bits = std::size_t(width_) * std::size_t(bitsPerPixel_);
    const std::size_t wholeBytes = bits / 8;
    const std::uint8_t lastMask = std::uint8_t(0xFF00 >> (bits % 8));
    for (int y = 0; y < height_; ++y) {
        if (std::memcmp(row(y), other.row(y), wholeBytes) != 0)
            return false;
        if (lastMask != 0 && ((row(y)[wholeBytes] ^ other.row(y)[wholeBytes]) & lastMask) != 0)
            return false;
    }
    return true;
}

namespace {

std::uint64_t HighestValue(const Bitmap& bitmap)
{
    std::uint64_t highest = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        if (bitmap.bitsPerPixel() == 8) {
            const std::uint8_t* row = bitmap.row(y);
            highest = std::max<std::uint64_t>(highest, *std::max_element(row, row + bitmap.width()));
        } else {
            for (int x = 0; x < bitmap.width(); ++x)
                highest = std::max(highest, bitmap.value(x, y));
        }
    }
    return highest;
}

}  // namespace

// Readers of other programs refuse a pixel value without a palette entry;
// such values read as black here, so black entries fill the gap.
std::vector<Color> WrittenPalette(const Bitmap& bitmap)
{
    std::vector<Color> palette = bitmap.palette();
    if (bitmap.bitsPerPixel() <= 8 && palette.size() < (std::size_t(1) << bitmap.bitsPerPixel()))
        palette.resize(std::max(palette.size(), std::size_t(HighestValue(bitmap)) + 1), colors::Black);
    return palette;
}

}  // namespace tolv
