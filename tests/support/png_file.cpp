#include "support/png_file.h"

#include "support/test_files.h"

#include <algorithm>

namespace tolv::test {

namespace {

std::string BigEndian32(std::uint32_t value)
{
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::uint32_t Crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A zlib stream of stored blocks: no compression, so no library is needed.
std::string StoredZlib(const std::string& raw)
{
    std::string stream = "\x78\x01";
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - at, 0xFFFF);
        const bool last = at + length == raw.size();
        stream += char(last ? 1 : 0);
        stream += {char(length), char(length >> 8), char(~length), char(~length >> 8)};
        stream += raw.substr(at, length);
        at += length;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return stream + BigEndian32(b << 16 | a);
}

int Channels(std::uint8_t colourType)
{
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

}  // namespace

std::string PngChunk(const std::string& type, const std::string& data)
{
    return BigEndian32(std::uint32_t(data.size())) + type + data + BigEndian32(Crc32(type + data));
}

std::string PngHead(const PngFields& f)
{
    const std::string header =
        BigEndian32(f.width) + BigEndian32(f.height)
        + std::string{char(f.bitDepth), char(f.colourType), char(f.compression), char(f.filter), char(f.interlace)};
    return "\x89PNG\r\n\x1A\n" + PngChunk("IHDR", header);
}

std::string PngFile(const PngFields& f)
{
    // Each scanline: filter type 0, then the pixels' bytes.
    const std::size_t rowBytes = 1 + (std::size_t(f.width) * Channels(f.colourType) * f.bitDepth + 7) / 8;
    std::string file = PngHead(f);
    if (f.colourType == 3)
        file += PngChunk("PLTE", std::string(3, '\0'));
    return file + PngChunk("IDAT", StoredZlib(std::string(rowBytes * f.height, '\0'))) + PngChunk("IEND", "");
}

void WritePng(const std::string& path, int width, int height)
{
    PngFields fields;
    fields.width = std::uint32_t(width);
    fields.height = std::uint32_t(height);
    WriteText(path, PngFile(fields));
}

}  // namespace tolv::test
