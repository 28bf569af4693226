#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/image_probe.h"
#include "platform/image/png_probe.h"
#include "support/png_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

namespace tolv {
namespace {

using test::PngFields;

std::optional<PngHeader> Parsed(const std::string& bytes)
{
    try {
        return ParsePngHeader({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    } catch (const InvalidBitmapError&) {
        return std::nullopt;
    }
}

struct HeaderCase {
    const char* name;
    std::string bytes;
    std::optional<PngHeader> expected;  // nothing: not valid
};

std::string Head(PngFields fields)
{
    return test::PngHead(fields);
}

std::string Changed(std::string bytes, std::size_t at, char value)
{
    bytes[at] = value;
    return bytes;
}

// The IHDR data of a good header under another chunk type, with a right checksum.
std::string OtherFirstChunk(const std::string& type)
{
    const std::string good = Head({.width = 4, .height = 4});
    return good.substr(0, 8) + test::PngChunk(type, good.substr(16, 13));
}

class PngHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(PngHeaderTest, IsReadOrRefused)
{
    EXPECT_EQ(Parsed(GetParam().bytes), GetParam().expected);
}

constexpr std::uint32_t Side = std::uint32_t(MaxBitmapSide);

INSTANTIATE_TEST_SUITE_P(
    Headers, PngHeaderTest,
    testing::Values(
        HeaderCase{"Rgb8", Head({.width = 33, .height = 17}), PngHeader{33, 17, 8, 2, false}},
        HeaderCase{"Palette1", Head({.width = 5, .height = 2, .bitDepth = 1, .colourType = 3}),
                   PngHeader{5, 2, 1, 3, false}},
        HeaderCase{"Grey16", Head({.bitDepth = 16, .colourType = 0}), PngHeader{1, 1, 16, 0, false}},
        HeaderCase{"RgbaInterlaced", Head({.width = 2, .height = 3, .colourType = 6, .interlace = 1}),
                   PngHeader{2, 3, 8, 6, true}},
        HeaderCase{"GreyAlpha16", Head({.bitDepth = 16, .colourType = 4}), PngHeader{1, 1, 16, 4, false}},
        HeaderCase{"LargestSide", Head({.width = Side, .height = 1}), PngHeader{MaxBitmapSide, 1, 8, 2, false}},
        HeaderCase{"LargestOneBitSquare", Head({.width = Side, .height = Side, .bitDepth = 1, .colourType = 0}),
                   PngHeader{MaxBitmapSide, MaxBitmapSide, 1, 0, false}},
        HeaderCase{"TooWide", Head({.width = Side + 1}), std::nullopt},
        HeaderCase{"TooTall", Head({.height = Side + 1}), std::nullopt},
        HeaderCase{"WidthBeyondInt", Head({.width = 0x80000000u}), std::nullopt},
        HeaderCase{"TooManyBytes", Head({.width = Side, .height = Side, .colourType = 6}), std::nullopt},
        HeaderCase{"NoWidth", Head({.width = 0}), std::nullopt},
        HeaderCase{"NoHeight", Head({.height = 0}), std::nullopt},
        HeaderCase{"Rgb4", Head({.bitDepth = 4}), std::nullopt},
        HeaderCase{"Palette16", Head({.bitDepth = 16, .colourType = 3}), std::nullopt},
        HeaderCase{"Grey3", Head({.bitDepth = 3, .colourType = 0}), std::nullopt},
        HeaderCase{"ColourType1", Head({.colourType = 1}), std::nullopt},
        HeaderCase{"ColourType7", Head({.colourType = 7}), std::nullopt},
        HeaderCase{"Compression1", Head({.compression = 1}), std::nullopt},
        HeaderCase{"Filter1", Head({.filter = 1}), std::nullopt},
        HeaderCase{"Interlace2", Head({.interlace = 2}), std::nullopt},
        HeaderCase{"BadSignature", Changed(Head({}), 1, 'p'), std::nullopt},
        HeaderCase{"BadChecksum", Changed(Head({}), 32, 0), std::nullopt},
        HeaderCase{"DataUnderItsChecksum", Changed(Head({}), 20, 2), std::nullopt},
        HeaderCase{"FirstChunkNotIhdr", OtherFirstChunk("IHDX"), std::nullopt},
        HeaderCase{"IhdrTooLong", Head({}).substr(0, 8) + test::PngChunk("IHDR", Head({}).substr(16, 13) + "x"),
                   std::nullopt},
        HeaderCase{"OneByteShort", Head({}).substr(0, 32), std::nullopt},
        HeaderCase{"SignatureOnly", Head({}).substr(0, 8), std::nullopt},
        HeaderCase{"Empty", std::string(), std::nullopt}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

enum class Outcome { Size, Invalid, Unreadable };

struct FileCase {
    const char* name;
    std::function<void(const std::string& path)> make;
    Outcome expected;
    ImageSize size;
};

struct Probed {
    Outcome outcome = Outcome::Size;
    ImageSize size;
};

Probed Probe(const std::string& path)
{
    try {
        return {Outcome::Size, ReadImageSize(path)};
    } catch (const InvalidBitmapError&) {
        return {Outcome::Invalid, {}};
    } catch (const FileReadError&) {
        return {Outcome::Unreadable, {}};
    }
}

class ImageProbeTest : public testing::TestWithParam<FileCase> {};

// The first bytes pick the reader, as they do when the file is loaded.
TEST_P(ImageProbeTest, ReadsTheSizeOfEitherFormat)
{
    test::TempDir dir;
    const std::string path = dir.file("picture.bmp");
    GetParam().make(path);
    const Probed probed = Probe(path);
    EXPECT_EQ(probed.outcome, GetParam().expected);
    EXPECT_EQ(probed.size.width, GetParam().size.width);
    EXPECT_EQ(probed.size.height, GetParam().size.height);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImageProbeTest,
    testing::Values(
        FileCase{"Png", [](const std::string& p) { test::WritePng(p, 7, 3); }, Outcome::Size, {7, 3}},
        FileCase{"Bmp", [](const std::string& p) { SaveBmp(Bitmap(9, 4, 24), p); }, Outcome::Size, {9, 4}},
        FileCase{"PngHeadOnly",
                 [](const std::string& p) { test::WriteText(p, test::PngHead({.width = 6})); },
                 Outcome::Size,
                 {6, 1}},
        FileCase{"CutInItsHeader",
                 [](const std::string& p) { test::WriteText(p, test::PngHead({}).substr(0, 20)); },
                 Outcome::Invalid,
                 {}},
        FileCase{"BadPngHeader",
                 [](const std::string& p) { test::WriteText(p, test::PngFile({.bitDepth = 5})); },
                 Outcome::Invalid,
                 {}},
        FileCase{"ShortText", [](const std::string& p) { test::WriteText(p, "BM"); }, Outcome::Invalid, {}},
        FileCase{"Folder", [](const std::string& p) { std::filesystem::create_directory(p); }, Outcome::Unreadable, {}},
        FileCase{"Missing", [](const std::string&) {}, Outcome::Unreadable, {}}),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
