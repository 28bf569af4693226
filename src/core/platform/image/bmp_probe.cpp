#include "platform/image/bmp_probe.h"

#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/bmp_format.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace tolv {

BmpSize ReadBmpSize(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw FileReadError(path);
    const std::uint64_t fileSize = std::filesystem::file_size(path, error);
    std::ifstream file(path, std::ios::binary);
    if (error || !file)
        throw FileReadError(path);

    std::vector<std::uint8_t> head(std::min<std::uint64_t>(fileSize, bmp::MaxHeadersSize));
    if (!file.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size())))
        throw InvalidBitmapError();  // cut short while we read it
    const bmp::Layout layout = bmp::ParseHeaders(head.data(), head.size(), fileSize);
    if (layout.compressed()) {
        const Bitmap bitmap = LoadBmp(path);
        return {bitmap.width(), bitmap.height()};
    }
    return {layout.width, layout.height};
}

}  // namespace tolv
