#include "platform/errors.h"
#include "platform/image/atomic_bmp.h"
#include "platform/image/bitmap.h"
#include "platform/image/bmp_format.h"
#include "platform/image/pixel_access.h"

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

// The pixel format of the file. A BMP holds no 16-bit samples: 48 and 64
// bits are written with each sample rounded to 8 bits, as 24 bits and as 32
// bits with alpha, the same B, G, R (, A) order at half the width.
struct FileLayout {
    int depth;
    BitMasks masks;
    std::size_t stride;
};

FileLayout FileLayoutOf(const Bitmap& bitmap)
{
    if (!Bitmap::HasWideSamples(bitmap.bitsPerPixel()))
        return {bitmap.bitsPerPixel(), bitmap.masks(), bitmap.stride()};
    const int depth = bitmap.bitsPerPixel() / 2;
    const BitMasks masks = bitmap.hasAlpha() ? BitMasks{0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000} : BitMasks{};
    return {depth, masks, Bitmap::RowStride(bitmap.width(), depth)};
}

// What the headers tell besides the pixel format.
struct Picture {
    int width;
    int height;
    std::vector<Color> palette;
    Resolution resolution;
};

// Masks that differ from the depth's defaults are written as bit fields; an
// alpha mask only fits a V4 header, which is then used (the reader takes it
// back), so no mask is ever dropped.
std::vector<std::uint8_t> FileHeaders(const Picture& picture, const FileLayout& layout)
{
    const BitMasks& masks = layout.masks;
    const std::vector<Color>& palette = picture.palette;
    const bool bitFields = masks != Bitmap::DefaultMasks(layout.depth);
    const std::uint32_t infoSize = masks.alpha != 0 ? bmp::V4HeaderSize : bmp::InfoHeaderSize;
    const std::uint32_t tables = std::uint32_t(palette.size() * 4) + (bitFields && masks.alpha == 0 ? 12 : 0);
    const std::uint32_t offset = std::uint32_t(bmp::FileHeaderSize) + infoSize + tables;
    const std::uint32_t imageSize = std::uint32_t(layout.stride * std::size_t(picture.height));

    HeaderBuilder out;
    out.reserve(offset);
    out.u16('B' | 'M' << 8);
    out.u32(offset + imageSize);
    out.u32(0);
    out.u32(offset);

    out.u32(infoSize);
    out.u32(std::uint32_t(picture.width));
    out.u32(std::uint32_t(picture.height));
    out.u16(1);
    out.u16(std::uint32_t(layout.depth));
    out.u32(bitFields ? bmp::BitFields : bmp::Rgb);
    out.u32(imageSize);
    out.u32(std::uint32_t(picture.resolution.x));
    out.u32(std::uint32_t(picture.resolution.y));
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

std::vector<std::uint8_t> FileHeaders(const Bitmap& bitmap, const FileLayout& layout)
{
    if (bitmap.empty())
        throw InvalidBitmapError();
    return FileHeaders(Picture{bitmap.width(), bitmap.height(), WrittenPalette(bitmap), bitmap.resolution()}, layout);
}

// The rows as the file holds them: the bitmap's own, or, for 16-bit samples,
// a copy rounded to 8 bits made once.
class FileRows {
public:
    FileRows(const Bitmap& bitmap, const FileLayout& layout) : bitmap_(bitmap), stride_(layout.stride)
    {
        if (Bitmap::HasWideSamples(bitmap.bitsPerPixel()))
            narrow();
    }

    std::size_t stride() const { return stride_; }
    const std::uint8_t* row(int y) const
    {
        return narrowed_.empty() ? bitmap_.row(y) : narrowed_.data() + std::size_t(y) * stride_;
    }

private:
    void narrow()
    {
        narrowed_.resize(stride_ * std::size_t(bitmap_.height()));
        const std::size_t samples = std::size_t(bitmap_.width()) * std::size_t(bitmap_.bitsPerPixel() / 16);
        for (int y = 0; y < bitmap_.height(); ++y) {
            const std::uint8_t* from = bitmap_.row(y);
            std::uint8_t* to = narrowed_.data() + std::size_t(y) * stride_;
            for (std::size_t i = 0; i < samples; ++i, from += 2)
                to[i] = pixel::EightBitSample(pixel::LoadBytes<2>(from));
        }
    }

    const Bitmap& bitmap_;
    std::size_t stride_;
    std::vector<std::uint8_t> narrowed_;
};

// Rows go to the file bottom-up.
template <typename Sink>
void WriteRows(const Bitmap& bitmap, const FileRows& rows, Sink&& sink)
{
    for (int y = bitmap.height() - 1; y >= 0; --y)
        sink(rows.row(y), rows.stride());
}

// The rows as the file holds them, after the headers.
std::uint64_t PixelBytes(const Bitmap& bitmap, const FileLayout& layout)
{
    return std::uint64_t(layout.stride) * std::uint64_t(bitmap.height());
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap)
{
    const FileLayout layout = FileLayoutOf(bitmap);
    std::vector<std::uint8_t> file = FileHeaders(bitmap, layout);
    const FileRows rows(bitmap, layout);
    file.reserve(file.size() + PixelBytes(bitmap, layout));
    WriteRows(bitmap, rows,
              [&](const std::uint8_t* row, std::size_t size) { file.insert(file.end(), row, row + size); });
    return file;
}

int BmpFileDepth(const Bitmap& bitmap)
{
    return FileLayoutOf(bitmap).depth;
}

std::uint64_t EncodedBmpSize(const Bitmap& bitmap)
{
    const FileLayout layout = FileLayoutOf(bitmap);
    return FileHeaders(bitmap, layout).size() + PixelBytes(bitmap, layout);
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
    const FileLayout layout = FileLayoutOf(bitmap);
    std::vector<std::uint8_t> headers = FileHeaders(bitmap, layout);
    const FileRows rows(bitmap, layout);
    std::vector<iovec> parts{{headers.data(), headers.size()}};
    parts.reserve(std::size_t(bitmap.height()) + 1);
    WriteRows(bitmap, rows, [&](const std::uint8_t* row, std::size_t size) {
        parts.push_back({const_cast<std::uint8_t*>(row), size});
    });
    file.write(parts.data(), parts.size());
    return headers.size() + PixelBytes(bitmap, layout);
}

// A clip's rows lie in the frame as the file holds them but for the padding
// at their ends, which comes from zeros of its own. Only the palette of a
// palette frame with fewer entries than values depends on the pixels cut.
std::optional<std::uint64_t> WriteBmpOfArea(const Bitmap& frame, const Rect& area, AtomicFile& file)
{
    const int depth = frame.bitsPerPixel();
    const bool onFrame = !area.empty() && area.left >= 0 && area.top >= 0 && area.right <= frame.width()
                         && area.bottom <= frame.height();
    const bool fullPalette = depth > 8 || frame.palette().size() >= (std::size_t(1) << depth);
    if (!onFrame || depth < 8 || Bitmap::HasWideSamples(depth) || !fullPalette)
        return std::nullopt;
    const FileLayout layout{depth, frame.masks(), Bitmap::RowStride(area.width(), depth)};
    std::vector<std::uint8_t> headers =
        FileHeaders(Picture{area.width(), area.height(), frame.palette(), frame.resolution()}, layout);
    const std::size_t bytesPerPixel = std::size_t(depth / 8);
    const std::size_t used = std::size_t(area.width()) * bytesPerPixel;
    static const std::uint8_t padding[4] = {};
    std::vector<iovec> parts{{headers.data(), headers.size()}};
    parts.reserve(2 * std::size_t(area.height()) + 1);
    for (int y = area.bottom - 1; y >= area.top; --y) {
        parts.push_back({const_cast<std::uint8_t*>(frame.row(y)) + std::size_t(area.left) * bytesPerPixel, used});
        if (layout.stride > used)
            parts.push_back({const_cast<std::uint8_t*>(padding), layout.stride - used});
    }
    file.write(parts.data(), parts.size());
    return headers.size() + layout.stride * std::size_t(area.height());
}

}  // namespace tolv
