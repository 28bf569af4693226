#include "core/platform/bmp_file_builder.h"

namespace tolv::test {

namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> BuildBmpFile(const BmpFileLayout& layout)
{
    const bool core = layout.headerSize == 12;
    std::vector<std::uint8_t> info;
    Put(info, layout.headerSize, 4);
    if (core) {
        Put(info, std::uint32_t(layout.width), 2);
        Put(info, std::uint32_t(layout.height), 2);
        Put(info, 1, 2);
        Put(info, layout.bitsPerPixel, 2);
    } else {
        Put(info, std::uint32_t(layout.width), 4);
        Put(info, std::uint32_t(layout.height), 4);
        Put(info, 1, 2);
        Put(info, layout.bitsPerPixel, 2);
        Put(info, layout.compression, 4);
        Put(info, layout.imageSize != 0 ? layout.imageSize : std::uint32_t(layout.pixels.size()), 4);
        Put(info, 0, 4);
        Put(info, 0, 4);
        Put(info, layout.colorsUsed != 0 ? layout.colorsUsed : std::uint32_t(layout.palette.size()), 4);
        Put(info, 0, 4);
        const bool masks = layout.masks != std::array<std::uint32_t, 4>{};
        const int inside = layout.headerSize >= 56 ? 4 : layout.headerSize >= 52 ? 3 : masks ? 3 : 0;
        for (int i = 0; i < inside; ++i)
            Put(info, layout.masks[std::size_t(i)], 4);
        info.resize(layout.headerSize + (layout.headerSize == 40 ? 4u * inside : 0u), 0);
    }
    for (const Color entry : layout.palette) {
        Put(info, BlueOf(entry) | GreenOf(entry) << 8 | RedOf(entry) << 16, core ? 3 : 4);
    }
    const std::uint32_t offset = layout.pixelOffset != 0 ? layout.pixelOffset : std::uint32_t(14 + info.size());
    std::vector<std::uint8_t> file{'B', 'M'};
    Put(file, offset + std::uint32_t(layout.pixels.size()), 4);
    Put(file, 0, 4);
    Put(file, offset, 4);
    file.insert(file.end(), info.begin(), info.end());
    file.resize(std::max<std::size_t>(file.size(), offset), 0);
    file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
    return file;
}

}  // namespace tolv::test
