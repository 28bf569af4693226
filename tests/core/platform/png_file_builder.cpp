#include "core/platform/png_file_builder.h"

#include "support/png_file.h"

#include <png.h>

#include <stdexcept>

namespace tolv::test {

namespace {

int Channels(int colorType)
{
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

// Samples packed as PNG stores them: big-endian, small depths from the top bit.
std::vector<std::uint8_t> PackedRow(const PngFileLayout& layout, int y)
{
    const std::size_t count = std::size_t(layout.width) * std::size_t(Channels(layout.colorType));
    const std::uint16_t* samples = layout.samples.data() + std::size_t(y) * count;
    std::vector<std::uint8_t> row((count * std::size_t(layout.bitDepth) + 7) / 8);
    for (std::size_t i = 0; i < count; ++i) {
        if (layout.bitDepth == 16) {
            row[2 * i] = std::uint8_t(samples[i] >> 8);
            row[2 * i + 1] = std::uint8_t(samples[i]);
        } else {
            const std::size_t bit = i * std::size_t(layout.bitDepth);
            row[bit / 8] |= std::uint8_t(samples[i] << (8 - layout.bitDepth - int(bit % 8)));
        }
    }
    return row;
}

void Append(png_structp png, png_bytep data, std::size_t size)
{
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + size);
}

std::uint32_t Big32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

}  // namespace

std::vector<std::uint8_t> BuildPngFile(const PngFileLayout& layout)
{
    std::vector<std::uint8_t> bytes;
    std::vector<std::vector<std::uint8_t>> rows;
    for (int y = 0; y < layout.height; ++y)
        rows.push_back(PackedRow(layout, y));
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    std::vector<png_color> palette;
    for (std::size_t i = 0; i + 2 < layout.palette.size(); i += 3)
        palette.push_back({layout.palette[i], layout.palette[i + 1], layout.palette[i + 2]});
    std::vector<png_byte> alphas(layout.transparent.begin(), layout.transparent.end());
    png_color_16 colour{};
    if (layout.colorType != PNG_COLOR_TYPE_PALETTE && !layout.transparent.empty()) {
        colour.gray = layout.transparent[0];
        if (layout.transparent.size() == 3) {
            colour.red = layout.transparent[0];
            colour.green = layout.transparent[1];
            colour.blue = layout.transparent[2];
        }
    }

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)))
        throw std::runtime_error("test PNG not written");
    png_set_write_fn(png, &bytes, Append, nullptr);
    png_set_IHDR(png, info, png_uint_32(layout.width), png_uint_32(layout.height), layout.bitDepth, layout.colorType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!layout.transparent.empty())
        png_set_tRNS(png, info, alphas.data(), int(alphas.size()), &colour);
    png_write_info(png, info);
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

std::vector<PngFileChunk> SplitPngChunks(const std::vector<std::uint8_t>& file)
{
    std::vector<PngFileChunk> chunks;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = Big32(&file[at]);
        const auto data = file.begin() + std::ptrdiff_t(at + 8);
        chunks.push_back({std::string(file.begin() + std::ptrdiff_t(at + 4), data), {data, data + length}});
        at += 12 + length;
    }
    return chunks;
}

std::vector<std::uint8_t> JoinPngChunks(const std::vector<PngFileChunk>& chunks)
{
    std::vector<std::uint8_t> out{137, 80, 78, 71, 13, 10, 26, 10};
    for (const PngFileChunk& chunk : chunks) {
        const std::string framed = PngChunk(chunk.type, std::string(chunk.data.begin(), chunk.data.end()));
        out.insert(out.end(), framed.begin(), framed.end());
    }
    return out;
}

}  // namespace tolv::test
