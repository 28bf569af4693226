// Feeds arbitrary bytes to the PNG reader, as they come and with their chunk
// checksums made right (a mutation would otherwise hardly ever get past
// them). Whatever decodes must encode and decode back to the same bitmap,
// and (when small enough to stay fast) survive the overlay operations.
#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/png_codec.h"
#include "platform/image/raster.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <zlib.h>

namespace {

// `written` is `kept` followed by nothing but `filler`.
template <typename T>
bool ExtendedWith(const std::vector<T>& kept, const std::vector<T>& written, T filler)
{
    return written.size() >= kept.size() && std::equal(kept.begin(), kept.end(), written.begin())
           && std::all_of(written.begin() + std::ptrdiff_t(kept.size()), written.end(),
                          [&](T entry) { return entry == filler; });
}

// The writer gives pixel values beyond a short palette black, opaque entries
// of their own; everything else comes back as it was.
bool KeptByRewrite(const tolv::Bitmap& before, const tolv::Bitmap& after)
{
    if (before.width() != after.width() || before.height() != after.height()
        || before.bitsPerPixel() != after.bitsPerPixel() || !(before.masks() == after.masks())
        || !(before.resolution() == after.resolution()))
        return false;
    if (!ExtendedWith(before.palette(), after.palette(), tolv::colors::Black)
        || before.paletteAlpha().empty() != after.paletteAlpha().empty()
        || !ExtendedWith(before.paletteAlpha(), after.paletteAlpha(), std::uint8_t(255)))
        return false;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.value(x, y) != after.value(x, y))
                return false;
        }
    }
    return true;
}

std::uint32_t Big32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::vector<std::uint8_t> WithRightChecksums(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> file(data, data + size);
    for (std::size_t at = tolv::PngSignatureLength; at + 12 <= file.size();) {
        const std::uint32_t length = Big32(&file[at]);
        if (length > file.size() - at - 12)
            break;
        const std::uint32_t crc = std::uint32_t(crc32(0, &file[at + 4], uInt(length + 4)));
        for (int i = 0; i < 4; ++i)
            file[at + 8 + length + std::size_t(i)] = std::uint8_t(crc >> (24 - 8 * i));
        at += 12 + length;
    }
    return file;
}

void Exercise(const std::uint8_t* data, std::size_t size)
{
    tolv::Bitmap bitmap;
    try {
        bitmap = tolv::DecodePng(data, size);
    } catch (const tolv::TolvError&) {
        return;
    }
    if (std::size_t(bitmap.width()) * std::size_t(bitmap.height()) > (std::size_t(1) << 20))
        return;
    const std::vector<std::uint8_t> encoded = tolv::EncodePng(bitmap);
    if (!KeptByRewrite(bitmap, tolv::DecodePng(encoded.data(), encoded.size())))
        __builtin_trap();

    const tolv::Bitmap mask = tolv::MakeMask(bitmap, bitmap.pixel(0, 0));
    tolv::Bitmap frame = tolv::Bitmap::SameFormat(bitmap, 24, 16);
    tolv::Canvas canvas(frame);
    const tolv::Rect all{0, 0, bitmap.width(), bitmap.height()};
    canvas.copyRect({-3, -2, 21, 14}, mask, all, tolv::RasterOp::SrcAnd);
    canvas.copyRect({-3, -2, 21, 14}, bitmap, all, tolv::RasterOp::SrcPaint);
    canvas.fillRect({2, 2, 9, 9});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Exercise(data, size);
    const std::vector<std::uint8_t> repaired = WithRightChecksums(data, size);
    Exercise(repaired.data(), repaired.size());
    return 0;
}
