#include "platform/image/bmp_format.h"

#include "platform/errors.h"

#include <cstring>

namespace tolv::bmp {

namespace {

// Escapes let a few RLE bytes claim any image size. Encoders stay far below
// 128 decoded bytes per stream byte; a larger claim beyond a size every
// frame fits in is refused before the image is allocated.
constexpr std::uint64_t RleFreeBytes = std::uint64_t(16) << 20;
constexpr std::uint64_t RleBytesPerStreamByte = 1024;

// Little-endian fields at fixed offsets; reading past the end means the
// headers are cut short.
class FieldReader {
public:
    FieldReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint32_t u8(std::size_t at) const { return bytes(at, 1)[0]; }
    std::uint32_t u16(std::size_t at) const
    {
        const std::uint8_t* p = bytes(at, 2);
        return p[0] | std::uint32_t(p[1]) << 8;
    }
    std::uint32_t u32(std::size_t at) const
    {
        const std::uint8_t* p = bytes(at, 4);
        return p[0] | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }
    std::int32_t i32(std::size_t at) const { return std::int32_t(u32(at)); }

private:
    const std::uint8_t* bytes(std::size_t at, std::size_t count) const
    {
        if (at > size_ || size_ - at < count)
            throw InvalidBitmapError();
        return data_ + at;
    }

    const std::uint8_t* data_;
    std::size_t size_;
};

bool KnownHeaderSize(std::uint32_t size)
{
    return size == CoreHeaderSize || size == InfoHeaderSize || size == 52 || size == 56 || size == V4HeaderSize
           || size == V5HeaderSize;
}

bool DepthFitsCompression(int bitsPerPixel, std::uint32_t compression)
{
    switch (compression) {
    case Rgb:
        return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24
               || bitsPerPixel == 32;
    case Rle8:
        return bitsPerPixel == 8;
    case Rle4:
        return bitsPerPixel == 4;
    case BitFields:
        return bitsPerPixel == 16 || bitsPerPixel == 32;
    default:
        return false;
    }
}

int CheckedSide(std::int64_t side)
{
    if (side <= 0 || side > MaxBitmapSide)
        throw InvalidBitmapError();
    return int(side);
}

}  // namespace

Layout ParseHeaders(const std::uint8_t* head, std::size_t size, std::uint64_t fileSize)
{
    const FieldReader in(head, size);
    if (in.u8(0) != 'B' || in.u8(1) != 'M')
        throw InvalidBitmapError();
    Layout layout;
    layout.pixelOffset = in.u32(10);
    const std::uint32_t headerSize = in.u32(FileHeaderSize);
    if (!KnownHeaderSize(headerSize))
        throw InvalidBitmapError();

    const std::size_t info = FileHeaderSize;
    std::int64_t height = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t imageSize = 0;
    if (headerSize == CoreHeaderSize) {
        layout.width = CheckedSide(in.u16(info + 4));
        height = in.u16(info + 6);
        layout.bitsPerPixel = int(in.u16(info + 10));
    } else {
        layout.width = CheckedSide(in.i32(info + 4));
        height = in.i32(info + 8);
        layout.bitsPerPixel = int(in.u16(info + 14));
        layout.compression = in.u32(info + 16);
        imageSize = in.u32(info + 20);
        layout.resolution = {in.i32(info + 24), in.i32(info + 28)};
        colorsUsed = in.u32(info + 32);
    }
    layout.topDown = height < 0;
    layout.height = CheckedSide(height < 0 ? -height : height);
    if (!DepthFitsCompression(layout.bitsPerPixel, layout.compression) || (layout.topDown && layout.compressed()))
        throw InvalidBitmapError();

    std::size_t tableStart = info + headerSize;
    if (layout.compression == BitFields) {
        // A 40-byte header is followed by the three masks; larger ones hold them.
        const std::size_t at = headerSize == InfoHeaderSize ? tableStart : info + InfoHeaderSize;
        layout.masks = {in.u32(at), in.u32(at + 4), in.u32(at + 8), headerSize >= 56 ? in.u32(at + 12) : 0};
        if (layout.masks.red == 0 || layout.masks.green == 0 || layout.masks.blue == 0)
            throw InvalidBitmapError();
        if (headerSize == InfoHeaderSize)
            tableStart += 12;
    }
    if (layout.bitsPerPixel <= 8) {
        const std::uint32_t entries = colorsUsed != 0 ? colorsUsed : 1u << layout.bitsPerPixel;
        if (entries > 256 || entries > (1u << layout.bitsPerPixel))
            throw InvalidBitmapError();
        const std::size_t entrySize = headerSize == CoreHeaderSize ? 3 : 4;
        for (std::uint32_t i = 0; i < entries; ++i) {
            const std::size_t at = tableStart + i * entrySize;
            layout.palette.push_back(
                RGB(std::uint8_t(in.u8(at + 2)), std::uint8_t(in.u8(at + 1)), std::uint8_t(in.u8(at))));
        }
        tableStart += entries * entrySize;
    }
    if (layout.pixelOffset < tableStart || layout.pixelOffset > fileSize)
        throw InvalidBitmapError();

    const std::uint64_t decodedBytes =
        std::uint64_t(Bitmap::RowStride(layout.width, layout.bitsPerPixel)) * layout.height;
    if (decodedBytes > MaxBitmapBytes)
        throw InvalidBitmapError();
    const std::uint64_t available = fileSize - layout.pixelOffset;
    if (layout.compressed())
        layout.pixelBytes = imageSize != 0 ? imageSize : available;
    else
        layout.pixelBytes = decodedBytes;
    if (layout.pixelBytes == 0 || layout.pixelBytes > available)
        throw InvalidBitmapError();
    if (layout.compressed() && decodedBytes > RleFreeBytes + RleBytesPerStreamByte * layout.pixelBytes)
        throw InvalidBitmapError();
    return layout;
}

Bitmap MakeBitmap(const Layout& layout, Bitmap&& spent)
{
    Bitmap bitmap = Bitmap::ForOverwrite(layout.width, layout.height, layout.bitsPerPixel, layout.palette, layout.masks,
                                         std::move(spent));
    // A stream may leave pixels unset.
    for (int y = 0; layout.compressed() && y < bitmap.height(); ++y)
        std::memset(bitmap.row(y), 0, bitmap.stride());
    bitmap.setResolution(layout.resolution);
    return bitmap;
}

}  // namespace tolv::bmp
