#include "platform/image/png_probe.h"

#include "platform/errors.h"
#include "platform/image/bitmap.h"

#include <algorithm>
#include <array>

namespace tolv {

namespace {

constexpr std::size_t IhdrLengthAt = PngSignatureLength;
constexpr std::size_t IhdrTypeAt = IhdrLengthAt + 4;
constexpr std::size_t IhdrDataAt = IhdrTypeAt + 4;
constexpr std::size_t IhdrDataSize = 13;
constexpr std::size_t IhdrCrcAt = IhdrDataAt + IhdrDataSize;

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// CRC-32 as PNG chunks carry it; a header's 17 bytes need no table.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool ValidDepth(int colourType, int bitDepth)
{
    switch (colourType) {
    case 0:
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case 3:
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case 2:
    case 4:
    case 6:
        return bitDepth == 8 || bitDepth == 16;
    default:
        return false;
    }
}

// The depth of the smallest bitmap that holds the picture: an index or grey
// value keeps its bits, colour takes 24 bits and alpha 32; at 16 bits per
// channel, grey and colour take 48 and alpha 64.
int SmallestBitmapDepth(const PngHeader& header)
{
    const bool wide = header.bitDepth == 16;
    switch (header.colourType) {
    case 0:
        return wide ? 48 : header.bitDepth;
    case 2:
        return wide ? 48 : 24;
    case 4:
    case 6:
        return wide ? 64 : 32;
    default:
        return header.bitDepth;
    }
}

bool FitsBitmapMemory(const PngHeader& header)
{
    const std::size_t stride = Bitmap::RowStride(header.width, SmallestBitmapDepth(header));
    return stride * std::size_t(header.height) <= MaxBitmapBytes;
}

}  // namespace

PngHeader ParsePngHeader(std::span<const std::uint8_t> head)
{
    if (head.size() < PngHeadSize || !IsPngSignature(head.data(), head.size()))
        throw InvalidBitmapError();
    const std::uint8_t* data = head.data() + IhdrDataAt;
    const bool isIhdr = BigEndian32(head.data() + IhdrLengthAt) == IhdrDataSize
                        && std::equal(data - 4, data, reinterpret_cast<const std::uint8_t*>("IHDR"));
    if (!isIhdr || Crc32(head.subspan(IhdrTypeAt, 4 + IhdrDataSize)) != BigEndian32(head.data() + IhdrCrcAt))
        throw InvalidBitmapError();
    const std::uint32_t width = BigEndian32(data);
    const std::uint32_t height = BigEndian32(data + 4);
    const std::uint8_t compression = data[10];
    const std::uint8_t filter = data[11];
    const std::uint8_t interlace = data[12];
    const auto validSide = [](std::uint32_t side) { return side >= 1 && side <= std::uint32_t(MaxBitmapSide); };
    if (!validSide(width) || !validSide(height) || compression != 0 || filter != 0 || interlace > 1)
        throw InvalidBitmapError();
    const PngHeader header{int(width), int(height), data[8], data[9], interlace == 1};
    if (!ValidDepth(header.colourType, header.bitDepth) || !FitsBitmapMemory(header))
        throw InvalidBitmapError();
    return header;
}

}  // namespace tolv
