#include "platform/image/bmp_probe.h"

#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/bmp_format.h"

#include <algorithm>

namespace tolv {

BmpSize ReadBmpSize(const std::string& path)
{
    return BmpSizeOf(ReadFileHead(path, bmp::MaxHeadersSize), path);
}

BmpSize BmpSizeOf(const FileHead& head, const std::string& path)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(head.bytes.data());
    const std::size_t size = std::min<std::uint64_t>(head.size, bmp::MaxHeadersSize);
    if (head.bytes.size() < size)
        throw InvalidBitmapError();  // cut short while we read it
    const bmp::Layout layout = bmp::ParseHeaders(bytes, size, head.size);
    if (layout.compressed()) {
        const Bitmap bitmap = LoadBmp(path);
        return {bitmap.width(), bitmap.height()};
    }
    return {layout.width, layout.height};
}

}  // namespace tolv
