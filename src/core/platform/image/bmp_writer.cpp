#include "platform/errors.h"
#include "platform/image/atomic_bmp.h"
#include "platform/image/bitmap.h"
#include "platform/image/bmp_format.h"

#include <sys/uio.h>

#include <algorithm>

namespace tolv {

namespace {

class HeaderBuilder {
public:
    void u16(std::uint32_t v)
    {
        bytes_.push_back(std::uint8_t(v));
        bytes_.push_back(std::uint8_t(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    // Palette entries as B, G, R, 0, filled in place: a full palette is a
    // quarter of an 8-bit clip's headers and written with every file.
    void entries(const std::vector<Color>& palette)
    {
        const std::size_t start = bytes_.size();
        bytes_.resize(start + 4 * palette.size());
        std::uint8_t* at = bytes_.data() + start;
        for (const Color entry : palette) {
            *at++ = BlueOf(entry);
            *at++ = GreenOf(entry);
            *at++ = RedOf(entry);
            *at++ = 0;
        }
    }
    void reserve(std::size_t count) { bytes_.reserve(count); }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Masks that differ from the depth's defaults are written as bit fields; an
// alpha mask only fits a V4 header, which is then used (the reader takes it
// back), so no mask is ever dropped.
std::vector<std::uint8_t> FileHeaders(const Bitmap& bitmap)
{
    if (bitmap.empty())
        throw InvalidBitmapError();
    const BitMasks& masks = bitmap.masks();
    const std::vector<Color> palette = WrittenPalette(bitmap);
    const bool bitFields = masks != Bitmap::DefaultMasks(bitmap.bitsPerPixel());
    const std::uint32_t infoSize = masks.alpha != 0 ? bmp::V4HeaderSize : bmp::InfoHeaderSize;
    const std::uint32_t tables = std::uint32_t(palette.size() * 4) + (bitFields && masks.alpha == 0 ? 12 : 0);
    const std::uint32_t offset = std::uint32_t(bmp::FileHeaderSize) + infoSize + tables;
    const std::uint32_t imageSize = std::uint32_t(bitmap.stride() * std::size_t(bitmap.height()));

    HeaderBuilder out;
    out.reserve(offset);
    out.u16('B' | 'M' << 8);
    out.u32(offset + imageSize);
    out.u32(0);
    out.u32(offset);

    out.u32(infoSize);
    out.u32(std::uint32_t(bitmap.width()));
    out.u32(std::uint32_t(bitmap.height()));
    out.u16(1);
    out.u16(std::uint32_t(bitmap.bitsPerPixel()));
    out.u32(bitFields ? bmp::BitFields : bmp::Rgb);
    out.u32(imageSize);
    out.u32(std::uint32_t(bitmap.resolution().x));
    out.u32(std::uint32_t(bitmap.resolution().y));
    out.u32(std::uint32_t(palette.size()));
    out.u32(0);
    if (bitFields) {
        out.u32(masks.red);
        out.u32(masks.green);
        out.u32(masks.blue);
    }
    if (infoSize == bmp::V4HeaderSize) {
        out.u32(masks.alpha);
        out.u32(0x73524742);  // 'sRGB' colour space; its end points and gammas are unused.
        out.zeros(48);
    }
    out.entries(palette);
    return std::move(out.bytes());
}

// Rows go to the file bottom-up.
template <typename Sink>
void WriteRows(const Bitmap& bitmap, Sink&& sink)
{
    for (int y = bitmap.height() - 1; y >= 0; --y)
        sink(bitmap.row(y), bitmap.stride());
}

// The rows as the file holds them, after the headers.
std::uint64_t PixelBytes(const Bitmap& bitmap)
{
    return std::uint64_t(bitmap.stride()) * std::uint64_t(bitmap.height());
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap)
{
    std::vector<std::uint8_t> file = FileHeaders(bitmap);
    file.reserve(file.size() + bitmap.stride() * std::size_t(bitmap.height()));
    WriteRows(bitmap, [&](const std::uint8_t* row, std::size_t size) { file.insert(file.end(), row, row + size); });
    return file;
}

std::uint64_t EncodedBmpSize(const Bitmap& bitmap)
{
    return FileHeaders(bitmap).size() + PixelBytes(bitmap);
}

void SaveBmp(const Bitmap& bitmap, const std::string& path)
{
    AtomicFile file(path);
    WriteBmp(bitmap, file);
    file.commit(false);
}

// The headers and the rows go to the file from where they lie, in few calls.
std::uint64_t WriteBmp(const Bitmap& bitmap, AtomicFile& file)
{
    std::vector<std::uint8_t> headers = FileHeaders(bitmap);
    std::vector<iovec> parts{{headers.data(), headers.size()}};
    parts.reserve(std::size_t(bitmap.height()) + 1);
    WriteRows(bitmap, [&](const std::uint8_t* row, std::size_t size) {
        parts.push_back({const_cast<std::uint8_t*>(row), size});
    });
    file.write(parts.data(), parts.size());
    return headers.size() + PixelBytes(bitmap);
}

}  // namespace tolv
