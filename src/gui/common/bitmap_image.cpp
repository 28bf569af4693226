#include "gui/common/bitmap_image.h"

#include "platform/image/pixel_access.h"

#include <vector>

namespace tolv::gui {

namespace {

QRgb ToRgb(Color color)
{
    return qRgb(RedOf(color), GreenOf(color), BlueOf(color));
}

// 24 and 32 bits with 8-bit channels stored B, G, R (and a fourth byte).
template <int BytesPerPixel>
void ConvertPacked(const Bitmap& bitmap, QImage& image)
{
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* in = bitmap.row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x, in += BytesPerPixel)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
}

// 48 and 64 bits: 16-bit samples B, G, R (and alpha), rounded to 8 bits as
// the bitmap's colours read.
template <int BytesPerPixel>
void ConvertWide(const Bitmap& bitmap, QImage& image)
{
    const auto sample = [](const std::uint8_t* at) { return pixel::EightBitSample(pixel::LoadBytes<2>(at)); };
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* in = bitmap.row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x, in += BytesPerPixel)
            out[x] = qRgb(sample(in + 4), sample(in + 2), sample(in));
    }
}

// Palette and 16-bit values: every possible value is converted once.
void ConvertByTable(const Bitmap& bitmap, QImage& image)
{
    std::vector<QRgb> table(std::size_t(1) << bitmap.bitsPerPixel());
    for (std::size_t value = 0; value < table.size(); ++value)
        table[value] = ToRgb(bitmap.colorOf(std::uint32_t(value)));
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (bitmap.bitsPerPixel() == 8) {
            const std::uint8_t* in = bitmap.row(y);
            for (int x = 0; x < bitmap.width(); ++x)
                out[x] = table[in[x]];
            continue;
        }
        for (int x = 0; x < bitmap.width(); ++x)
            out[x] = table[bitmap.value(x, y)];
    }
}

void ConvertByColor(const Bitmap& bitmap, QImage& image)
{
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x)
            out[x] = ToRgb(bitmap.pixel(x, y));
    }
}

bool IsPlain32(const Bitmap& bitmap)
{
    const BitMasks& m = bitmap.masks();
    return m.red == 0xFF0000 && m.green == 0xFF00 && m.blue == 0xFF;
}

}  // namespace

QImage ToQImage(const Bitmap& bitmap)
{
    if (bitmap.empty())
        return {};
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    switch (bitmap.bitsPerPixel()) {
    case 24:
        ConvertPacked<3>(bitmap, image);
        break;
    case 32:
        IsPlain32(bitmap) ? ConvertPacked<4>(bitmap, image) : ConvertByColor(bitmap, image);
        break;
    case 48:
        ConvertWide<6>(bitmap, image);
        break;
    case 64:
        ConvertWide<8>(bitmap, image);
        break;
    case 1:
    case 4:
    case 8:
    case 16:
        ConvertByTable(bitmap, image);
        break;
    default:
        ConvertByColor(bitmap, image);
    }
    return image;
}

}  // namespace tolv::gui
