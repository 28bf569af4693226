#include "platform/image/image_probe.h"

#include "platform/errors.h"
#include "platform/image/bmp_format.h"
#include "platform/image/bmp_probe.h"
#include "platform/image/png_codec.h"
#include "platform/image/png_probe.h"
#include "platform/io/files.h"

#include <algorithm>

namespace tolv {

// One open file tells the format and holds the headers of either.
ImageSize ReadImageSize(const std::string& path)
{
    const FileHead head = ReadFileHead(path, std::max(PngHeadSize, bmp::MaxHeadersSize));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(head.bytes.data());
    if (IsPngSignature(bytes, head.bytes.size())) {
        const PngHeader header = ParsePngHeader({bytes, std::min(head.bytes.size(), PngHeadSize)});
        return {header.width, header.height};
    }
    const BmpSize size = BmpSizeOf(head, path);
    return {size.width, size.height};
}

}  // namespace tolv
