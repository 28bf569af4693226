// Feeds arbitrary bytes to the BMP reader. Whatever decodes must encode and
// decode back to the same bitmap, and (when small enough to stay fast)
// survive the overlay operations.
#include "platform/bitmap.h"
#include "platform/errors.h"
#include "platform/raster.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tolv::Bitmap bitmap;
    try {
        bitmap = tolv::DecodeBmp(data, size);
    } catch (const tolv::TolvError&) {
        return 0;
    }
    const std::vector<std::uint8_t> encoded = tolv::EncodeBmp(bitmap);
    if (!(tolv::DecodeBmp(encoded.data(), encoded.size()) == bitmap))
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
