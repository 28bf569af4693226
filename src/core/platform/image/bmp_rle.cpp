#include "platform/image/bmp_format.h"

#include "platform/errors.h"
#include "platform/image/pixel_access.h"

namespace tolv::bmp {

namespace {

// Walks an RLE stream. Rows run bottom-up in the file; the bitmap is top-down.
class RleDecoder {
public:
    RleDecoder(const std::uint8_t* stream, std::size_t size, Bitmap& bitmap, bool nibbles)
        : stream_(stream), size_(size), bitmap_(bitmap), nibbles_(nibbles)
    {}

    void run()
    {
        while (at_ < size_) {
            const std::uint32_t count = next();
            const std::uint32_t value = next();
            if (count > 0)
                encodedRun(count, value);
            else if (value == 0)
                moveTo(0, y_ + 1);
            else if (value == 1)
                return;
            else if (value == 2)
                delta();
            else
                absoluteRun(value);
        }
    }

private:
    std::uint32_t next()
    {
        if (at_ >= size_)
            throw InvalidBitmapError();
        return stream_[at_++];
    }

    // A run of one byte, or in RLE4 of two alternating nibbles.
    void encodedRun(std::uint32_t count, std::uint32_t value)
    {
        for (std::uint32_t i = 0; i < count; ++i)
            put(nibbles_ ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value);
    }

    // Literal pixels, padded to a whole 16-bit word in the stream.
    void absoluteRun(std::uint32_t count)
    {
        const std::uint32_t bytes = nibbles_ ? (count + 1) / 2 : count;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!nibbles_) {
                put(next());
            } else if (i % 2 == 0) {
                nibble_ = next();
                put(nibble_ >> 4);
            } else {
                put(nibble_ & 0xF);
            }
        }
        if (bytes % 2 != 0)
            next();
    }

    void delta()
    {
        const std::uint32_t dx = next();
        const std::uint32_t dy = next();
        moveTo(x_ + int(dx), y_ + int(dy));
    }

    // The position may rest just past the last column or row, but no further.
    void moveTo(int x, int y)
    {
        if (x > bitmap_.width() || y > bitmap_.height())
            throw InvalidBitmapError();
        x_ = x;
        y_ = y;
    }

    void put(std::uint32_t value)
    {
        if (x_ >= bitmap_.width() || y_ >= bitmap_.height())
            throw InvalidBitmapError();
        pixel::Store(bitmap_.row(bitmap_.height() - 1 - y_), x_, bitmap_.bitsPerPixel(), value);
        ++x_;
    }

    const std::uint8_t* stream_;
    std::size_t size_;
    Bitmap& bitmap_;
    bool nibbles_;
    std::size_t at_ = 0;
    int x_ = 0;
    int y_ = 0;
    std::uint32_t nibble_ = 0;
};

}  // namespace

void DecodeRle(const Layout& layout, const std::uint8_t* stream, std::size_t size, Bitmap& bitmap)
{
    RleDecoder(stream, size, bitmap, layout.compression == Rle4).run();
}

}  // namespace tolv::bmp
