#pragma once

#include <cstdint>
#include <string>

namespace tolv::test {

// The IHDR fields of a PNG file, as raw as the file holds them, so that a
// test can also write headers that are not valid.
struct PngFields {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint8_t bitDepth = 8;
    std::uint8_t colourType = 2;
    std::uint8_t compression = 0;
    std::uint8_t filter = 0;
    std::uint8_t interlace = 0;
};

// The signature and the IHDR chunk: the first 33 bytes of the file.
std::string PngHead(const PngFields& fields);
// A chunk with its length and checksum.
std::string PngChunk(const std::string& type, const std::string& data);
// A complete PNG file of black pixels: signature, IHDR, a one-entry PLTE for
// the palette type, one IDAT of uncompressed zlib blocks and IEND.
std::string PngFile(const PngFields& fields);
void WritePng(const std::string& path, int width, int height);

}  // namespace tolv::test
