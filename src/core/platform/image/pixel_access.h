#pragma once

#include <cstdint>

// Reading and writing one pixel value in a row of the bitmap layout. Kept
// inline so that the raster loops and the codec compile to tight code. Values
// are 64 bits wide so that one type holds every depth, 48 and 64 included.
namespace tolv::pixel {

// `Bytes` bytes from the low one up.
template <int Bytes>
std::uint64_t LoadBytes(const std::uint8_t* p)
{
    std::uint64_t value = 0;
    for (int i = Bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

template <int Bytes>
void StoreBytes(std::uint8_t* p, std::uint64_t value)
{
    for (int i = 0; i < Bytes; ++i, value >>= 8)
        p[i] = std::uint8_t(value);
}

inline std::uint64_t Load(const std::uint8_t* row, int x, int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
    case 8:
        return row[x];
    case 16:
        return LoadBytes<2>(row + 2 * x);
    case 24:
        return LoadBytes<3>(row + 3 * x);
    case 48:
        return LoadBytes<6>(row + 6 * x);
    case 64:
        return LoadBytes<8>(row + 8 * x);
    default:
        return LoadBytes<4>(row + 4 * x);
    }
}

inline void Store(std::uint8_t* row, int x, int bitsPerPixel, std::uint64_t value)
{
    switch (bitsPerPixel) {
    case 1: {
        const int shift = 7 - (x & 7);
        row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1u << shift)) | (value & 1u) << shift);
        return;
    }
    case 4: {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = std::uint8_t((row[x >> 1] & ~(0xFu << shift)) | (value & 0xFu) << shift);
        return;
    }
    case 8:
        row[x] = std::uint8_t(value);
        return;
    case 16:
        return StoreBytes<2>(row + 2 * x, value);
    case 24:
        return StoreBytes<3>(row + 3 * x, value);
    case 48:
        return StoreBytes<6>(row + 6 * x, value);
    case 64:
        return StoreBytes<8>(row + 8 * x, value);
    default:
        return StoreBytes<4>(row + 4 * x, value);
    }
}

// The value with every bit of the depth set.
constexpr std::uint64_t AllOnes(int bitsPerPixel)
{
    return bitsPerPixel >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << bitsPerPixel) - 1u;
}

// A 16-bit sample to 8 bits, rounded to the nearest level, as PNG readers
// scale it; and back, exactly.
constexpr std::uint8_t EightBitSample(std::uint64_t sample16)
{
    return std::uint8_t(((sample16 & 0xFFFF) * 255 + 32895) >> 16);
}
constexpr std::uint64_t SixteenBitSample(std::uint8_t sample8)
{
    return std::uint64_t(sample8) * 257;
}

}  // namespace tolv::pixel
