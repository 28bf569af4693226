#include "core/platform/bmp_file_builder.h"
#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <random>

namespace tolv {
namespace {

using test::BmpFileLayout;
using test::BuildBmpFile;

std::vector<Color> GreyPalette(int entries)
{
    std::vector<Color> palette;
    for (int i = 0; i < entries; ++i) {
        const auto level = std::uint8_t(i * 255 / std::max(1, entries - 1));
        palette.push_back(RGB(level, std::uint8_t(255 - level), std::uint8_t(i * 7)));
    }
    return palette;
}

// Every value the format can hold shows up, including unused mask bits.
Bitmap NoiseBitmap(int width, int height, int bitsPerPixel, std::vector<Color> palette, BitMasks masks)
{
    Bitmap bitmap(width, height, bitsPerPixel, std::move(palette), masks);
    std::mt19937 random(std::uint32_t(width * 131 + bitsPerPixel));
    const std::uint32_t limit = bitsPerPixel <= 8 ? std::uint32_t(bitmap.palette().size()) : 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t value = random();
            value = limit != 0 ? value % limit : bitsPerPixel == 32 ? value : value & ((1u << bitsPerPixel) - 1);
            bitmap.setValue(x, y, value);
        }
    return bitmap;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

struct FormatCase {
    const char* name;
    int bitsPerPixel;
    int paletteEntries;
    BitMasks masks;
};

class BmpRoundTrip : public testing::TestWithParam<FormatCase> {};

TEST_P(BmpRoundTrip, KeepsDepthPaletteMasksAndValuesInMemoryAndOnDisk)
{
    const FormatCase& format = GetParam();
    test::TempDir folder;
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{13, 7}, std::pair{64, 3}}) {
        const Bitmap original =
            NoiseBitmap(width, height, format.bitsPerPixel, GreyPalette(format.paletteEntries), format.masks);
        const Bitmap decoded = DecodeBmp(EncodeBmp(original).data(), EncodeBmp(original).size());
        EXPECT_EQ(decoded, original) << width << "x" << height;
        EXPECT_EQ(decoded.masks(), original.masks());

        const std::string path = folder.file("round.bmp");
        SaveBmp(original, path);
        EXPECT_EQ(LoadBmp(path), original) << width << "x" << height;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpRoundTrip,
                         testing::Values(FormatCase{"Mono", 1, 2, {}}, FormatCase{"Nibble", 4, 16, {}},
                                         FormatCase{"NibbleShortPalette", 4, 5, {}}, FormatCase{"Byte", 8, 256, {}},
                                         FormatCase{"ByteShortPalette", 8, 20, {}}, FormatCase{"Rgb555", 16, 0, {}},
                                         FormatCase{"Rgb565", 16, 0, {0xF800, 0x07E0, 0x001F, 0}},
                                         FormatCase{"Argb4444", 16, 0, {0x0F00, 0x00F0, 0x000F, 0xF000}},
                                         FormatCase{"True", 24, 0, {}}, FormatCase{"Xrgb", 32, 0, {}},
                                         FormatCase{"Bgrx", 32, 0, {0x0000FF00, 0x00FF0000, 0xFF000000, 0}},
                                         FormatCase{"Argb", 32, 0, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ShortPaletteCase {
    const char* name;
    int bitsPerPixel;
    int paletteEntries;
    std::uint32_t highestValue;
    std::uint32_t writtenEntries;
};

class BmpShortPalette : public testing::TestWithParam<ShortPaletteCase> {};

TEST_P(BmpShortPalette, IsWrittenWithAnEntryForEveryValueInUse)
{
    const ShortPaletteCase& format = GetParam();
    Bitmap bitmap(7, 3, format.bitsPerPixel, GreyPalette(format.paletteEntries));
    bitmap.setValue(6, 2, format.highestValue);
    bitmap.setValue(2, 1, 1);
    const std::vector<std::uint8_t> file = EncodeBmp(bitmap);
    const std::uint32_t colorsUsed = file[46] | file[47] << 8 | file[48] << 16 | file[49] << 24;
    EXPECT_EQ(colorsUsed, format.writtenEntries);

    const Bitmap decoded = DecodeBmp(file.data(), file.size());
    ASSERT_EQ(decoded.palette().size(), format.writtenEntries);
    for (std::size_t i = 0; i < decoded.palette().size(); ++i)
        EXPECT_EQ(decoded.palette()[i], i < bitmap.palette().size() ? bitmap.palette()[i] : colors::Black) << i;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            EXPECT_EQ(decoded.value(x, y), bitmap.value(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpShortPalette,
                         testing::Values(ShortPaletteCase{"Mono", 1, 1, 1, 2}, ShortPaletteCase{"Nibble", 4, 3, 15, 16},
                                         ShortPaletteCase{"Byte", 8, 4, 200, 201},
                                         ShortPaletteCase{"ByteWithinPalette", 8, 20, 7, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpResolution, TravelsFromTheFileIntoBitmapsOfItsFormatAndBack)
{
    Bitmap frame(4, 4, 8, GreyPalette(256));
    frame.setResolution({2835, 3780});
    const std::vector<std::uint8_t> file = EncodeBmp(frame);
    const Bitmap decoded = DecodeBmp(file.data(), file.size());
    EXPECT_EQ(decoded.resolution(), (Resolution{2835, 3780}));
    const Bitmap clip = Bitmap::SameFormat(decoded, 2, 2);
    const std::vector<std::uint8_t> clipFile = EncodeBmp(clip);
    EXPECT_EQ(DecodeBmp(clipFile.data(), clipFile.size()).resolution(), (Resolution{2835, 3780}));
}

TEST(BitmapColors, ConvertBetweenColoursAndValues)
{
    const Bitmap rgb565(1, 1, 16, {}, {0xF800, 0x07E0, 0x001F, 0});
    EXPECT_EQ(rgb565.valueOf(colors::White), 0xFFFFu);
    EXPECT_EQ(rgb565.colorOf(0xF800), colors::Red);
    EXPECT_EQ(rgb565.colorOf(rgb565.valueOf(RGB(10, 20, 30))), RGB(8, 20, 33));

    const Bitmap rgb(1, 1, 24);
    EXPECT_EQ(rgb.valueOf(RGB(1, 2, 3)), 0x010203u) << "stored B, G, R from the low byte";

    // Nearest entry by squared distance; the first of equals wins.
    const Bitmap indexed(1, 1, 8, {colors::Red, colors::White, RGB(0, 0, 10), RGB(0, 0, 10)});
    EXPECT_EQ(indexed.valueOf(RGB(0, 0, 9)), 2u);
    EXPECT_EQ(indexed.valueOf(RGB(250, 240, 240)), 1u);
    EXPECT_EQ(indexed.colorOf(200), colors::Black) << "an index beyond the palette";
}

TEST(BmpReader, TakesCoreHeaderV5BitFieldsAndTopDownRows)
{
    BmpFileLayout core{.headerSize = 12, .width = 2, .height = 2, .bitsPerPixel = 8};
    core.palette = {colors::Black, colors::Red, colors::Lime};
    core.palette.resize(256, colors::White);
    core.pixels = {1, 2, 0, 0, 2, 1, 0, 0};  // bottom row first
    const Bitmap fromCore = DecodeBmp(BuildBmpFile(core).data(), BuildBmpFile(core).size());
    EXPECT_EQ(fromCore.pixel(0, 0), colors::Lime);
    EXPECT_EQ(fromCore.pixel(0, 1), colors::Red);

    BmpFileLayout v5{.headerSize = 124, .width = 1, .height = -2, .bitsPerPixel = 16, .compression = 3};
    v5.masks = {0xF800, 0x07E0, 0x001F, 0};
    v5.pixels = {0x00, 0xF8, 0, 0, 0x1F, 0x00, 0, 0};  // top-down: red over blue
    const Bitmap fromV5 = DecodeBmp(BuildBmpFile(v5).data(), BuildBmpFile(v5).size());
    EXPECT_EQ(fromV5.masks(), (BitMasks{0xF800, 0x07E0, 0x001F, 0}));
    EXPECT_EQ(fromV5.pixel(0, 0), colors::Red);
    EXPECT_EQ(fromV5.pixel(0, 1), colors::Blue);

    BmpFileLayout v4{.headerSize = 108, .width = 1, .height = 1, .bitsPerPixel = 32};
    v4.masks = {0xFF, 0xFF00, 0xFF0000, 0};  // ignored without BI_BITFIELDS
    v4.pixels = {0x30, 0x20, 0x10, 0x00};
    EXPECT_EQ(DecodeBmp(BuildBmpFile(v4).data(), BuildBmpFile(v4).size()).pixel(0, 0), RGB(0x10, 0x20, 0x30));
}

TEST(BmpReader, DecodesRle8AndRle4WithEscapes)
{
    BmpFileLayout rle8{.width = 6, .height = 3, .bitsPerPixel = 8, .compression = 1, .palette = GreyPalette(8)};
    rle8.pixels = {3, 5,  // bottom row: three pixels of 5
                   0, 3, 1, 2, 3, 0,  // absolute: 1 2 3, padded
                   0, 0,  // end of line
                   0, 2, 2, 1,  // delta: two right, one up
                   2, 7,  // top row, from x 2
                   0, 1};  // end of bitmap
    const Bitmap eight = DecodeBmp(BuildBmpFile(rle8).data(), BuildBmpFile(rle8).size());
    ASSERT_EQ(eight.bitsPerPixel(), 8);
    const std::uint32_t expected8[3][6] = {{0, 0, 7, 7, 0, 0}, {0, 0, 0, 0, 0, 0}, {5, 5, 5, 1, 2, 3}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(eight.value(x, y), expected8[y][x]) << x << "," << y;

    BmpFileLayout rle4{.width = 5, .height = 2, .bitsPerPixel = 4, .compression = 2, .palette = GreyPalette(16)};
    rle4.pixels = {5, 0x12,  // 1 2 1 2 1
                   0, 0,  // end of line
                   0, 3,    0x9A, 0xB0,  // absolute: 9 A B, two bytes, no padding needed
                   0, 1};
    BmpFileLayout blank{.width = 2000, .height = 1000, .bitsPerPixel = 8, .compression = 1, .palette = GreyPalette(2)};
    blank.pixels = {0, 1};
    EXPECT_EQ(DecodeBmp(BuildBmpFile(blank).data(), BuildBmpFile(blank).size()), Bitmap(2000, 1000, 8, GreyPalette(2)))
        << "a frame-sized image may be all escapes";

    const Bitmap four = DecodeBmp(BuildBmpFile(rle4).data(), BuildBmpFile(rle4).size());
    ASSERT_EQ(four.bitsPerPixel(), 4);
    const std::uint32_t expected4[2][5] = {{9, 10, 11, 0, 0}, {1, 2, 1, 2, 1}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(four.value(x, y), expected4[y][x]) << x << "," << y;
}

struct BadCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
};

BmpFileLayout GoodSpec()
{
    return {.width = 2, .height = 2, .pixels = std::vector<std::uint8_t>(16)};
}

std::vector<BadCase> BadFiles()
{
    const BmpFileLayout good = GoodSpec();
    auto with = [&](auto change) {
        BmpFileLayout layout = good;
        change(layout);
        return BuildBmpFile(layout);
    };
    std::vector<std::uint8_t> truncated = BuildBmpFile(good);
    truncated.pop_back();
    std::vector<std::uint8_t> badMagic = BuildBmpFile(good);
    badMagic[0] = 'P';
    return {
        {"Empty", {}},
        {"Text", {'h', 'e', 'l', 'l', 'o', '\n'}},
        {"BadMagic", badMagic},
        {"TruncatedPixels", truncated},
        {"Huge", with([](BmpFileLayout& s) { s.width = s.height = 100000; })},
        {"TooManyBytes", with([](BmpFileLayout& s) {
             s.width = s.height = 16384;
             s.bitsPerPixel = 32;
         })},
        {"IntMinHeight", with([](BmpFileLayout& s) { s.height = INT_MIN; })},
        {"ZeroWidth", with([](BmpFileLayout& s) { s.width = 0; })},
        {"NegativeWidth", with([](BmpFileLayout& s) { s.width = -2; })},
        {"ZeroHeight", with([](BmpFileLayout& s) { s.height = 0; })},
        {"OddDepth", with([](BmpFileLayout& s) { s.bitsPerPixel = 7; })},
        {"UnknownCompression", with([](BmpFileLayout& s) { s.compression = 9; })},
        {"UnknownHeader", with([](BmpFileLayout& s) { s.headerSize = 64; })},
        {"PaletteOver256", with([](BmpFileLayout& s) {
             s.bitsPerPixel = 8;
             s.colorsUsed = 257;
             s.palette = GreyPalette(257);
         })},
        {"PaletteOverDepth", with([](BmpFileLayout& s) {
             s.bitsPerPixel = 1;
             s.colorsUsed = 3;
             s.palette = GreyPalette(3);
         })},
        {"ZeroMask", with([](BmpFileLayout& s) {
             s.bitsPerPixel = 32;
             s.compression = 3;
             s.masks = {0xFF0000, 0, 0xFF, 0};
         })},
        {"MaskBeyondDepth", with([](BmpFileLayout& s) {
             s.bitsPerPixel = 16;
             s.compression = 3;
             s.masks = {0xF0000, 0xF0, 0xF, 0};
         })},
        {"PixelsInsideHeader", with([](BmpFileLayout& s) { s.pixelOffset = 20; })},
        {"TopDownRle", with([](BmpFileLayout& s) {
             s.height = -2;
             s.bitsPerPixel = 8;
             s.compression = 1;
             s.palette = GreyPalette(2);
         })},
        {"RlePastRow", with([](BmpFileLayout& s) {
             s.bitsPerPixel = 8;
             s.compression = 1;
             s.palette = GreyPalette(2);
             s.pixels = {3, 1, 0, 1};
         })},
        {"RlePastTop", with([](BmpFileLayout& s) {
             s.bitsPerPixel = 8;
             s.compression = 1;
             s.palette = GreyPalette(2);
             s.pixels = {0, 2, 0, 2, 1, 1};
         })},
        {"RleCutShort", with([](BmpFileLayout& s) {
             s.bitsPerPixel = 4;
             s.compression = 2;
             s.palette = GreyPalette(2);
             s.pixels = {0, 4, 0x11};
         })},
        {"RleClaimsHugeImage", with([](BmpFileLayout& s) {
             s.width = s.height = 8192;
             s.bitsPerPixel = 8;
             s.compression = 1;
             s.palette = GreyPalette(2);
             s.pixels = {0, 1};
         })},
        {"RleSizeBeyondFile", with([](BmpFileLayout& s) {
             s.bitsPerPixel = 8;
             s.compression = 1;
             s.palette = GreyPalette(2);
             s.pixels = {0, 1};
             s.imageSize = 4096;
         })},
    };
}

class BmpRefuses : public testing::TestWithParam<BadCase> {};

TEST(BmpRefusesControl, TheFileTheBadCasesSpoilIsValid)
{
    const std::vector<std::uint8_t> bytes = BuildBmpFile(GoodSpec());
    EXPECT_EQ(DecodeBmp(bytes.data(), bytes.size()), Bitmap(2, 2, 24));
}

TEST_P(BmpRefuses, MalformedTruncatedOrHugeInput)
{
    const std::vector<std::uint8_t>& bytes = GetParam().bytes;
    EXPECT_THROW(DecodeBmp(bytes.data(), bytes.size()), InvalidBitmapError);
    test::TempDir folder;
    WriteBytes(folder.file("bad.bmp"), bytes);
    try {
        LoadBmp(folder.file("bad.bmp"));
        ADD_FAILURE() << "loaded";
    } catch (const InvalidBitmapError& error) {
        EXPECT_STREQ(error.what(), "Bitmap image is not valid");
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BmpRefuses, testing::ValuesIn(BadFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpFiles, ReportMissingAndUnwritablePaths)
{
    test::TempDir folder;
    const std::string missing = folder.file("missing.bmp");
    try {
        LoadBmp(missing);
        ADD_FAILURE() << "loaded";
    } catch (const FileReadError& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
    }
    EXPECT_THROW(LoadBmp(folder.path().string()), FileReadError) << "a folder";

    const std::string unwritable = folder.file("no-such-folder/out.bmp");
    try {
        SaveBmp(Bitmap(2, 2, 24), unwritable);
        ADD_FAILURE() << "saved";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + unwritable);
    }

    // A folder standing where the file should go: the rename fails, nothing is left behind.
    std::filesystem::create_directories(folder.path() / "taken" / "inside");
    EXPECT_THROW(SaveBmp(Bitmap(2, 2, 24), folder.file("taken")), FileWriteError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(BmpFiles, SaveReplacesAnExistingFile)
{
    test::TempDir folder;
    const std::string path = folder.file("frame.bmp");
    test::WriteText(path, "old content");
    // Larger than the writer's buffer, so rows go out in several writes.
    const Bitmap bitmap = NoiseBitmap(701, 300, 24, {}, {});
    SaveBmp(bitmap, path);
    EXPECT_EQ(LoadBmp(path), bitmap);
    EXPECT_EQ(std::filesystem::file_size(path), 54 + bitmap.stride() * 300);
}

}  // namespace
}  // namespace tolv
