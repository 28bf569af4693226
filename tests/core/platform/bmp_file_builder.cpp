#include "core/platform/bmp_file_builder.h"

namespace tolv::test {

namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> BuildBmpFile(const BmpFileSpec& spec)
{
    const bool core = spec.headerSize == 12;
    std::vector<std::uint8_t> info;
    Put(info, spec.headerSize, 4);
    if (core) {
        Put(info, std::uint32_t(spec.width), 2);
        Put(info, std::uint32_t(spec.height), 2);
        Put(info, 1, 2);
        Put(info, spec.bitsPerPixel, 2);
    } else {
        Put(info, std::uint32_t(spec.width), 4);
        Put(info, std::uint32_t(spec.height), 4);
        Put(info, 1, 2);
        Put(info, spec.bitsPerPixel, 2);
        Put(info, spec.compression, 4);
        Put(info, spec.imageSize != 0 ? spec.imageSize : std::uint32_t(spec.pixels.size()), 4);
        Put(info, 0, 4);
        Put(info, 0, 4);
        Put(info, spec.colorsUsed != 0 ? spec.colorsUsed : std::uint32_t(spec.palette.size()), 4);
        Put(info, 0, 4);
        const bool masks = spec.masks != std::array<std::uint32_t, 4>{};
        const int inside = spec.headerSize >= 56 ? 4 : spec.headerSize >= 52 ? 3 : masks ? 3 : 0;
        for (int i = 0; i < inside; ++i)
            Put(info, spec.masks[std::size_t(i)], 4);
        info.resize(spec.headerSize + (spec.headerSize == 40 ? 4u * inside : 0u), 0);
    }
    for (const Color entry : spec.palette) {
        Put(info, BlueOf(entry) | GreenOf(entry) << 8 | RedOf(entry) << 16, core ? 3 : 4);
    }
    const std::uint32_t offset = spec.pixelOffset != 0 ? spec.pixelOffset : std::uint32_t(14 + info.size());
    std::vector<std::uint8_t> file{'B', 'M'};
    Put(file, offset + std::uint32_t(spec.pixels.size()), 4);
    Put(file, 0, 4);
    Put(file, offset, 4);
    file.insert(file.end(), info.begin(), info.end());
    file.resize(std::max<std::size_t>(file.size(), offset), 0);
    file.insert(file.end(), spec.pixels.begin(), spec.pixels.end());
    return file;
}

}  // namespace tolv::test
