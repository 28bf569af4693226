#include "platform/image/image_probe.h"

#include "platform/errors.h"
#include "platform/image/bmp_probe.h"
#include "platform/image/png_probe.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace tolv {

ImageSize ReadImageSize(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw FileReadError(path);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw FileReadError(path);
    std::array<std::uint8_t, PngHeadSize> head{};
    file.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    const std::span<const std::uint8_t> read(head.data(), std::size_t(file.gcount()));
    if (IsPngSignature(read.data(), read.size())) {
        const PngHeader header = ParsePngHeader(read);
        return {header.width, header.height};
    }
    const BmpSize size = ReadBmpSize(path);
    return {size.width, size.height};
}

}  // namespace tolv
