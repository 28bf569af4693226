#include "core/platform/png_file_builder.h"
#include "platform/errors.h"
#include "platform/image/image_file.h"
#include "platform/image/png_codec.h"
#include "platform/image/png_probe.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <numeric>

namespace tolv {
namespace {

using test::PngFileLayout;

struct Rgba {
    Color colour;
    std::uint8_t alpha;
    bool operator==(const Rgba&) const = default;
};

struct ColourCase {
    const char* name;
    int colorType;
    int bitDepth;
    bool interlaced;
    bool transparent;
    int expectedDepth;
};

int ChannelsOf(int colorType)
{
    return colorType == PNG_COLOR_TYPE_GRAY_ALPHA  ? 2
           : colorType == PNG_COLOR_TYPE_RGB       ? 3
           : colorType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                                                   : 1;
}

// 13 x 7: odd sizes put row ends inside bytes and fill Adam7 passes unevenly.
PngFileLayout LayoutOf(const ColourCase& c)
{
    PngFileLayout layout{13, 7, c.bitDepth, c.colorType, c.interlaced};
    const int levels = 1 << c.bitDepth;
    // Sixteen-bit samples spread over the whole range, low bytes included.
    const auto sample = [&](int i) { return c.bitDepth == 16 ? i * 40503 + i / 3 : i * 37 + i / 5; };
    for (int i = 0; i < layout.width * layout.height * ChannelsOf(c.colorType); ++i)
        layout.samples.push_back(std::uint16_t(sample(i) % levels));
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < levels; ++i)
            layout.palette.insert(layout.palette.end(),
                                  {std::uint8_t(i * 3), std::uint8_t(255 - i), std::uint8_t(i * 91)});
        if (c.transparent)
            layout.transparent = {0, 128, 255, 7};
    } else if (c.transparent) {
        layout.transparent.assign(c.colorType == PNG_COLOR_TYPE_RGB ? 3 : 1, 0);
        std::copy_n(layout.samples.begin() + 3 * ChannelsOf(c.colorType), layout.transparent.size(),
                    layout.transparent.begin());
    }
    return layout;
}

// What the file says pixel (x, y) is.
Rgba Expected(const PngFileLayout& layout, int x, int y)
{
    const int channels = ChannelsOf(layout.colorType);
    const std::uint16_t* s = &layout.samples[std::size_t((y * layout.width + x) * channels)];
    const int top = (1 << layout.bitDepth) - 1;
    // Sixteen bits round to the nearest level; smaller depths divide 255.
    const auto level = [&](int i) {
        return std::uint8_t(layout.bitDepth == 16 ? (s[i] * 255 + 32895) >> 16 : s[i] * 255 / top);
    };
    const auto keyed = [&](int n) {
        return !layout.transparent.empty() && std::equal(s, s + n, layout.transparent.begin());
    };
    switch (layout.colorType) {
    case PNG_COLOR_TYPE_PALETTE: {
        const std::uint8_t* p = &layout.palette[std::size_t(s[0]) * 3];
        const std::uint8_t alpha = s[0] < layout.transparent.size() ? std::uint8_t(layout.transparent[s[0]]) : 255;
        return {RGB(p[0], p[1], p[2]), alpha};
    }
    case PNG_COLOR_TYPE_GRAY:
        return {RGB(level(0), level(0), level(0)), std::uint8_t(keyed(1) ? 0 : 255)};
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return {RGB(level(0), level(0), level(0)), level(1)};
    case PNG_COLOR_TYPE_RGB:
        return {RGB(level(0), level(1), level(2)), std::uint8_t(keyed(3) ? 0 : 255)};
    default:
        return {RGB(level(0), level(1), level(2)), level(3)};
    }
}

// The 48- or 64-bit value of pixel (x, y) of a 16-bit file: B | G << 16 |
// R << 32 | A << 48, grey as R == G == B, a transparent value as alpha 0.
std::uint64_t WideValue(const PngFileLayout& layout, int x, int y)
{
    const int channels = ChannelsOf(layout.colorType);
    const std::uint16_t* s = &layout.samples[std::size_t((y * layout.width + x) * channels)];
    const bool grey = (layout.colorType & PNG_COLOR_MASK_COLOR) == 0;
    const int colours = grey ? 1 : 3;
    std::uint64_t value = std::uint64_t(s[0]) << 32 | std::uint64_t(s[grey ? 0 : 1]) << 16 | s[grey ? 0 : 2];
    if ((layout.colorType & PNG_COLOR_MASK_ALPHA) != 0)
        value |= std::uint64_t(s[colours]) << 48;
    else if (!layout.transparent.empty() && !std::equal(s, s + colours, layout.transparent.begin()))
        value |= std::uint64_t(0xFFFF) << 48;
    return value;
}

Rgba Read(const Bitmap& bitmap, int x, int y)
{
    const std::uint64_t value = bitmap.value(x, y);
    if (bitmap.bitsPerPixel() > 8)
        return {bitmap.colorOf(value), bitmap.alphaOf(value)};
    const auto& alpha = bitmap.paletteAlpha();
    return {bitmap.colorOf(value), alpha.empty() ? std::uint8_t(255) : alpha.at(value)};
}

class PngColourTypeTest : public testing::TestWithParam<ColourCase> {};

TEST_P(PngColourTypeTest, ReadsEveryPixelExactlyAndWritesTheSameBitmapBack)
{
    const ColourCase& c = GetParam();
    const PngFileLayout layout = LayoutOf(c);
    const std::vector<std::uint8_t> file = test::BuildPngFile(layout);
    const Bitmap bitmap = DecodePng(file.data(), file.size());

    ASSERT_EQ(bitmap.bitsPerPixel(), c.expectedDepth);
    ASSERT_EQ(bitmap.width(), layout.width);
    ASSERT_EQ(bitmap.height(), layout.height);
    for (int y = 0; y < layout.height; ++y) {
        for (int x = 0; x < layout.width; ++x) {
            ASSERT_EQ(Read(bitmap, x, y), Expected(layout, x, y)) << x << "," << y;
            if (c.bitDepth == 16) {
                ASSERT_EQ(bitmap.value(x, y), WideValue(layout, x, y)) << x << "," << y;
            } else if (c.colorType == PNG_COLOR_TYPE_PALETTE || c.colorType == PNG_COLOR_TYPE_GRAY) {
                ASSERT_EQ(bitmap.value(x, y), layout.samples[std::size_t(y * layout.width + x)]);
            }
        }
    }
    const std::vector<std::uint8_t> rewritten = EncodePng(bitmap);
    EXPECT_EQ(DecodePng(rewritten.data(), rewritten.size()), bitmap);
    EXPECT_EQ(DecodePng(rewritten.data(), rewritten.size()).paletteAlpha(), bitmap.paletteAlpha());
    // Sixteen bits stay sixteen; grey comes back as grey, no larger, and a
    // transparent value as an alpha channel.
    if (c.bitDepth == 16) {
        EXPECT_EQ(ParsePngHeader(rewritten).bitDepth, 16);
        EXPECT_EQ(ParsePngHeader(rewritten).colourType, c.colorType | (c.transparent ? PNG_COLOR_MASK_ALPHA : 0));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Png, PngColourTypeTest,
    testing::Values(ColourCase{"Palette1", PNG_COLOR_TYPE_PALETTE, 1, false, false, 1},
                    ColourCase{"Palette2", PNG_COLOR_TYPE_PALETTE, 2, false, true, 4},
                    ColourCase{"Palette4Interlaced", PNG_COLOR_TYPE_PALETTE, 4, true, true, 4},
                    ColourCase{"Palette8", PNG_COLOR_TYPE_PALETTE, 8, false, true, 8},
                    ColourCase{"Palette2Interlaced", PNG_COLOR_TYPE_PALETTE, 2, true, false, 4},
                    ColourCase{"Grey1", PNG_COLOR_TYPE_GRAY, 1, false, false, 1},
                    ColourCase{"Grey2Transparent", PNG_COLOR_TYPE_GRAY, 2, false, true, 4},
                    ColourCase{"Grey4Interlaced", PNG_COLOR_TYPE_GRAY, 4, true, false, 4},
                    ColourCase{"Grey8Transparent", PNG_COLOR_TYPE_GRAY, 8, false, true, 8},
                    ColourCase{"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false, 32},
                    ColourCase{"Rgb8", PNG_COLOR_TYPE_RGB, 8, false, false, 24},
                    ColourCase{"Rgb8Interlaced", PNG_COLOR_TYPE_RGB, 8, true, false, 24},
                    ColourCase{"Rgb8Transparent", PNG_COLOR_TYPE_RGB, 8, false, true, 32},
                    ColourCase{"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false, 32},
                    ColourCase{"Rgba8Interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false, 32},
                    ColourCase{"Grey16", PNG_COLOR_TYPE_GRAY, 16, false, false, 48},
                    ColourCase{"Grey16Interlaced", PNG_COLOR_TYPE_GRAY, 16, true, false, 48},
                    ColourCase{"Grey16Transparent", PNG_COLOR_TYPE_GRAY, 16, false, true, 64},
                    ColourCase{"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, false, 64},
                    ColourCase{"GreyAlpha16Interlaced", PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, false, 64},
                    ColourCase{"Rgb16", PNG_COLOR_TYPE_RGB, 16, false, false, 48},
                    ColourCase{"Rgb16Interlaced", PNG_COLOR_TYPE_RGB, 16, true, false, 48},
                    ColourCase{"Rgb16Transparent", PNG_COLOR_TYPE_RGB, 16, false, true, 64},
                    ColourCase{"Rgb16TransparentInterlaced", PNG_COLOR_TYPE_RGB, 16, true, true, 64},
                    ColourCase{"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false, 64},
                    ColourCase{"Rgba16Interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 16, true, false, 64}),
    [](const auto& info) { return std::string(info.param.name); });

// Formats the reader never makes: each is written in the PNG type that holds it
// and read back as the colours the bitmap shows.
TEST(PngWriter, WritesSixteenBitAndMaskedBitmapsAsTheColoursTheyShow)
{
    Bitmap rgb555(5, 3, 16);
    Bitmap masked(5, 3, 32, {}, BitMasks{0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            rgb555.setValue(x, y, std::uint32_t(x * 3001 + y * 17) & 0x7FFF);
            masked.setValue(x, y, std::uint32_t(x * 0x12345677u + y * 0x9ABCDEFu));
        }
    }
    for (const Bitmap* bitmap : {&rgb555, &masked}) {
        const std::vector<std::uint8_t> file = EncodePng(*bitmap);
        const Bitmap back = DecodePng(file.data(), file.size());
        ASSERT_EQ(back.bitsPerPixel(), bitmap->bitsPerPixel() == 16 ? 24 : 32);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(Read(back, x, y), Read(*bitmap, x, y)) << x << "," << y;
        }
    }
}

TEST(PngWriter, KeepsTheResolutionAndExtendsAShortPaletteWithBlack)
{
    Bitmap bitmap(4, 1, 4, {colors::White, colors::Red});
    bitmap.setPaletteAlpha({255, 40});
    bitmap.setValue(3, 0, 5);
    for (const Resolution resolution : {Resolution{2835, 3780}, Resolution{0, 3780}}) {
        bitmap.setResolution(resolution);
        const std::vector<std::uint8_t> file = EncodePng(bitmap);
        EXPECT_EQ(DecodePng(file.data(), file.size()).resolution(), resolution);
    }
    const std::vector<std::uint8_t> file = EncodePng(bitmap);
    const Bitmap back = DecodePng(file.data(), file.size());
    EXPECT_EQ(back.palette(), (std::vector<Color>{colors::White, colors::Red, 0, 0, 0, 0}));
    EXPECT_EQ(back.paletteAlpha(), (std::vector<std::uint8_t>{255, 40, 255, 255, 255, 255}));
    EXPECT_EQ(back.value(3, 0), 5U);
}

// Shaded areas and edges, where the filters chosen per row differ.
TEST(PngWriter, EveryLevelKeepsThePixelsAndCompressesBelowStored)
{
    Bitmap bitmap(61, 23, 32, {}, BitMasks{0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000});
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setValue(x, y, std::uint32_t(x * 4 + (y * 7 << 8) + ((x ^ y) << 16) + ((x > 30 ? 255 : x) << 24)));
    }
    std::uint64_t stored = 0;
    for (int level = MinPngLevel; level <= MaxPngLevel; ++level) {
        const std::vector<std::uint8_t> file = EncodePng(bitmap, level);
        EXPECT_EQ(DecodePng(file.data(), file.size()), bitmap) << level;
        if (level == MinPngLevel)
            stored = file.size();
        else
            EXPECT_LT(file.size(), stored) << level;
    }
    EXPECT_THROW(EncodePng(bitmap, MaxPngLevel + 1), std::out_of_range);
    EXPECT_THROW(EncodePng(bitmap, MinPngLevel - 1), std::out_of_range);
}

TEST(PngReader, KeepsPixelValuesBeyondAShortPalette)
{
    const std::vector<std::uint8_t> file =
        test::BuildPngFile(PngFileLayout{3, 1, 4, PNG_COLOR_TYPE_PALETTE, false, {0, 1, 9}, {10, 20, 30, 40, 50, 60}});
    const Bitmap bitmap = DecodePng(file.data(), file.size());
    EXPECT_EQ(bitmap.value(2, 0), 9U);
    EXPECT_EQ(bitmap.pixel(2, 0), colors::Black);
}

std::vector<std::uint8_t> SmallRgb()
{
    return test::BuildPngFile(PngFileLayout{4, 4, 8, PNG_COLOR_TYPE_RGB, false, std::vector<std::uint16_t>(48, 9)});
}

std::vector<std::uint8_t> WithIhdrSize(std::uint32_t width, std::uint32_t height)
{
    auto chunks = test::SplitPngChunks(SmallRgb());
    for (int i = 0; i < 4; ++i) {
        chunks[0].data[std::size_t(i)] = std::uint8_t(width >> (24 - 8 * i));
        chunks[0].data[std::size_t(4 + i)] = std::uint8_t(height >> (24 - 8 * i));
    }
    return test::JoinPngChunks(chunks);
}

std::vector<std::uint8_t> Truncated()
{
    std::vector<std::uint8_t> file = SmallRgb();
    file.resize(file.size() - 20);
    return file;
}

std::vector<std::uint8_t> BadCrc()
{
    std::vector<std::uint8_t> file = SmallRgb();
    file[8 + 8 + 13] ^= 1;  // the IHDR checksum
    return file;
}

// 1 x 1 pixel whose IDAT inflates to 64 MiB.
std::vector<std::uint8_t> ZlibBomb()
{
    auto chunks = test::SplitPngChunks(
        test::BuildPngFile(PngFileLayout{1, 1, 8, PNG_COLOR_TYPE_GRAY, false, std::vector<std::uint16_t>{0}}));
    const std::vector<std::uint8_t> zeros(std::size_t(64) << 20);
    uLongf size = compressBound(uLong(zeros.size()));
    std::vector<std::uint8_t> packed(size);
    compress2(packed.data(), &size, zeros.data(), uLong(zeros.size()), 9);
    packed.resize(size);
    for (auto& chunk : chunks) {
        if (chunk.type == "IDAT")
            chunk.data = packed;
    }
    return test::JoinPngChunks(chunks);
}

TEST(PngReader, RefusesBrokenAndHugeFiles)
{
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases{
        {"truncated", Truncated()},
        {"bad checksum", BadCrc()},
        {"wider than a bitmap may be", WithIhdrSize(MaxBitmapSide + 1, 1)},
        {"more pixel bytes than a bitmap may hold", WithIhdrSize(30000, 30000)},
        {"zlib bomb", ZlibBomb()},
        {"signature only", std::vector<std::uint8_t>{137, 80, 78, 71, 13, 10, 26, 10}},
    };
    for (const auto& [name, file] : cases)
        EXPECT_THROW(DecodePng(file.data(), file.size()), InvalidBitmapError) << name;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(ImageFile, TellsPngFromBmpByContentNotByName)
{
    test::TempDir dir;
    const std::vector<std::uint8_t> png = SmallRgb();
    const Bitmap bitmap = DecodePng(png.data(), png.size());
    WriteFile(dir.file("png-named.bmp"), png);
    SaveBmp(bitmap, dir.file("bmp-named.png"));
    EXPECT_EQ(LoadImageFile(dir.file("png-named.bmp"), Bitmap(64, 64, 24)), bitmap);
    EXPECT_EQ(LoadImageFile(dir.file("bmp-named.png")), bitmap);
    EXPECT_THROW(LoadImageFile(dir.file("missing.png")), FileReadError);
    WriteFile(dir.file("cut.png"), Truncated());
    EXPECT_THROW(LoadImageFile(dir.file("cut.png")), InvalidBitmapError);
}

// Cameras and editors write text, XMP, profiles and Exif by the megabyte;
// whatever the chunk, the frame reads as the same picture.
TEST(ImageFile, ReadsFramesPastMetadataChunksOfAnySize)
{
    test::TempDir dir;
    std::vector<std::uint16_t> samples(48);
    std::iota(samples.begin(), samples.end(), std::uint16_t(1));
    const std::vector<std::uint8_t> plain =
        test::BuildPngFile(PngFileLayout{4, 4, 8, PNG_COLOR_TYPE_RGB, false, samples});
    const Bitmap pictured = DecodePng(plain.data(), plain.size());
    const std::vector<std::uint8_t> megabyte(std::size_t(1) << 20, 'x');
    for (const char* type : {"iTXt", "tEXt", "zTXt", "iCCP", "eXIf", "sPLT", "pCAL", "sCAL", "prVt"}) {
        auto chunks = test::SplitPngChunks(plain);
        chunks.insert(chunks.begin() + 1, test::PngFileChunk{type, megabyte});
        const std::string path = dir.file(std::string(type) + ".png");
        WriteFile(path, test::JoinPngChunks(chunks));
        EXPECT_EQ(LoadImageFile(path), pictured) << type;
    }
}

TEST(ImageFile, OutputsEndingInPngInAnyCaseArePng)
{
    EXPECT_EQ(OutputFormatOf("door.png"), ImageFormat::Png);
    EXPECT_EQ(OutputFormatOf("DOOR.PnG"), ImageFormat::Png);
    EXPECT_EQ(OutputFormatOf("door.bmp"), ImageFormat::Bmp);
    EXPECT_EQ(OutputFormatOf("png"), ImageFormat::Bmp);
    EXPECT_EQ(OutputFormatOf("door.png.bak"), ImageFormat::Bmp);
}

TEST(ImageFile, SavedPngHasTheSizeADryRunCounts)
{
    test::TempDir dir;
    Bitmap bitmap(37, 11, 32, {}, BitMasks{0xFF0000, 0xFF00, 0xFF, 0xFF000000});
    bitmap.setValue(5, 5, 0x80FF0000);
    AtomicFile file(dir.file("out.png"));
    const std::uint64_t size = SaveImageFile(bitmap, file, ImageFormat::Png, DefaultPngLevel);
    EXPECT_EQ(size, std::filesystem::file_size(dir.file("out.png")));
    EXPECT_EQ(size, EncodedImageSize(bitmap, ImageFormat::Png, DefaultPngLevel));
    EXPECT_EQ(LoadImageFile(dir.file("out.png")), bitmap);
}

// Sixteen-bit samples whose rounding to 8 bits differs from taking the high
// byte, and the ends of the range.
struct Rounding {
    std::uint16_t sample;
    std::uint8_t rounded;
};
constexpr std::array<Rounding, 7> Roundings{
    {{0x0000, 0}, {0x0080, 0}, {0x0081, 1}, {0x00FF, 1}, {0x41FF, 66}, {0xFF00, 254}, {0xFFFF, 255}}};

// One row, channel c of pixel i holding the sample of Roundings[i + c].
PngFileLayout RoundingRow(int colorType)
{
    const int channels = ChannelsOf(colorType);
    PngFileLayout layout{int(Roundings.size()), 1, 16, colorType, false};
    for (std::size_t i = 0; i < Roundings.size(); ++i) {
        for (int c = 0; c < channels; ++c)
            layout.samples.push_back(Roundings[(i + std::size_t(c)) % Roundings.size()].sample);
    }
    return layout;
}

// A BMP holds 8 bits a sample: each is rounded as PNG readers round it.
TEST(ImageFile, BmpOfASixteenBitFrameHasItsSamplesRoundedToEightBits)
{
    for (const int colorType : {PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA}) {
        const std::vector<std::uint8_t> png = test::BuildPngFile(RoundingRow(colorType));
        const std::vector<std::uint8_t> bmp = EncodeBmp(DecodePng(png.data(), png.size()));
        const Bitmap back = DecodeBmp(bmp.data(), bmp.size());
        const bool alpha = colorType == PNG_COLOR_TYPE_RGB_ALPHA;
        ASSERT_EQ(back.bitsPerPixel(), alpha ? 32 : 24);
        const std::size_t n = Roundings.size();
        for (std::size_t i = 0; i < n; ++i) {
            const auto rounded = [&](std::size_t c) { return Roundings[(i + c) % n].rounded; };
            const Color colour = RGB(rounded(0), rounded(1), rounded(2));
            EXPECT_EQ(back.pixel(int(i), 0), colour) << i;
            EXPECT_EQ(back.alphaOf(back.value(int(i), 0)), alpha ? rounded(3) : 255) << i;
        }
    }
}

// Background and significant-bits chunks say nothing of the samples; gamma is
// carried to the outputs, as from 8-bit frames.
TEST(PngReader, SixteenBitFramesReadPastBackgroundAndSignificantBitsAndKeepTheirGamma)
{
    const std::vector<std::uint8_t> plain = test::BuildPngFile(RoundingRow(PNG_COLOR_TYPE_RGB));
    auto chunks = test::SplitPngChunks(plain);
    const ColourChunk gamma{"gAMA", {0, 0, 0xB1, 0x8F}};
    chunks.insert(chunks.begin() + 1,
                  {{"gAMA", gamma.data}, {"sBIT", {16, 16, 16}}, {"bKGD", {0, 1, 0x80, 2, 0xFF, 3}}});
    const std::vector<std::uint8_t> file = test::JoinPngChunks(chunks);
    const Bitmap bitmap = DecodePng(file.data(), file.size());
    EXPECT_EQ(bitmap, DecodePng(plain.data(), plain.size()));
    EXPECT_EQ(bitmap.colourChunks(), std::vector<ColourChunk>{gamma});
    const std::vector<std::uint8_t> written = EncodePng(bitmap);
    EXPECT_EQ(DecodePng(written.data(), written.size()).colourChunks(), std::vector<ColourChunk>{gamma});
}

// Grey and colour, with and without alpha, in both file formats; odd widths
// pad the rows.
TEST(ImageFile, SavedSixteenBitFramesHaveTheSizeADryRunCounts)
{
    test::TempDir dir;
    for (const int colorType :
         {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA}) {
        const std::vector<std::uint8_t> png = test::BuildPngFile(RoundingRow(colorType));
        const Bitmap bitmap = DecodePng(png.data(), png.size());
        for (const ImageFormat format : {ImageFormat::Png, ImageFormat::Bmp}) {
            const std::string path = dir.file(format == ImageFormat::Png ? "out.png" : "out.bmp");
            AtomicFile file(path);
            const std::uint64_t size = SaveImageFile(bitmap, file, format, DefaultPngLevel);
            SCOPED_TRACE(testing::Message() << colorType << " " << path);
            EXPECT_EQ(size, std::filesystem::file_size(path));
            EXPECT_EQ(size, EncodedImageSize(bitmap, format, DefaultPngLevel));
            if (format == ImageFormat::Png) {
                EXPECT_EQ(LoadImageFile(path), bitmap);
            }
        }
    }
}

}  // namespace
}  // namespace tolv
