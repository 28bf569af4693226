#pragma once

#include <cstdint>

namespace tolv {

// A colour as 0x00BBGGRR: red in the low byte, as stored in project files.
using Color = std::uint32_t;

constexpr Color RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return Color(r) | Color(g) << 8 | Color(b) << 16;
}
constexpr std::uint8_t RedOf(Color c)
{
    return c & 0xFF;
}
constexpr std::uint8_t GreenOf(Color c)
{
    return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(Color c)
{
    return (c >> 16) & 0xFF;
}

namespace colors {
constexpr Color Black = 0x000000;
constexpr Color White = 0xFFFFFF;
constexpr Color Maroon = 0x000080;
constexpr Color Red = 0x0000FF;
constexpr Color Green = 0x008000;
constexpr Color Blue = 0xFF0000;
constexpr Color Yellow = 0x00FFFF;
constexpr Color Aqua = 0xFFFF00;
constexpr Color Lime = 0x00FF00;
constexpr Color Silver = 0xC0C0C0;
}  // namespace colors

}  // namespace tolv
