// Feeds arbitrary bytes to the BMP reader. Whatever decodes must encode and
// decode back to the same bitmap, and (when small enough to stay fast)
// survive the overlay operations.
#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/raster.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// The writer gives pixel values beyond a short palette black entries of
// their own; everything else comes back as it was.
bool KeptByRewrite(const tolv::Bitmap& before, const tolv::Bitmap& after)
{
    if (before.width() != after.width() || before.height() != after.height()
        || before.bitsPerPixel() != after.bitsPerPixel() || !(before.masks() == after.masks())
        || !(before.resolution() == after.resolution()))
        return false;
    const std::vector<tolv::Color>& kept = before.palette();
    const std::vector<tolv::Color>& written = after.palette();
    if (written.size() < kept.size() || !std::equal(kept.begin(), kept.end(), written.begin())
        || !std::all_of(written.begin() + std::ptrdiff_t(kept.size()), written.end(),
                        [](tolv::Color c) { return c == tolv::colors::Black; }))
        return false;
    const std::size_t rowBytes = (std::size_t(before.width()) * std::size_t(before.bitsPerPixel()) + 7) / 8;
    for (int y = 0; y < before.height(); ++y) {
        if (std::memcmp(before.row(y), after.row(y), rowBytes) != 0)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tolv::Bitmap bitmap;
    try {
        bitmap = tolv::DecodeBmp(data, size);
    } catch (const tolv::TolvError&) {
        return 0;
    }
    const std::vector<std::uint8_t> encoded = tolv::EncodeBmp(bitmap);
    if (!KeptByRewrite(bitmap, tolv::DecodeBmp(encoded.data(), encoded.size())))
        __builtin_trap();

    if (std::size_t(bitmap.width()) * std::size_t(bitmap.height()) > (std::size_t(1) << 20))
        return 0;
    const tolv::Bitmap mask = tolv::MakeMask(bitmap, bitmap.pixel(0, 0));
    tolv::Bitmap frame(24, 16, 24);
    tolv::Canvas canvas(frame);
    const tolv::Rect all{0, 0, bitmap.width(), bitmap.height()};
    canvas.copyRect({-3, -2, 21, 14}, mask, all, tolv::RasterOp::SrcAnd);
    canvas.copyRect({-3, -2, 21, 14}, bitmap, all, tolv::RasterOp::SrcPaint);
    return 0;
}
