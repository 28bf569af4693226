#include "extract/extraction_run.h"

#include "core/extract/recording_log.h"
#include "platform/image/image_file.h"
#include "platform/image/png_codec.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tolv {
namespace {

using test::PatternFrame;

constexpr BitMasks AlphaMasks{0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000};
constexpr Color Magenta = RGB(255, 0, 255);

// Colours of the pattern with alpha 0 on the left half and 128 on the right.
Bitmap RgbaFrame(int width, int height)
{
    const Bitmap pattern = PatternFrame(width, height, 24);
    Bitmap frame(width, height, 32, {}, AlphaMasks);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            frame.setValue(x, y, pattern.value(x, y) | (x < width / 2 ? 0u : 0x80000000u));
    }
    return frame;
}

// Entries k and k + 128 share a colour; the first half is transparent.
Bitmap PaletteAlphaFrame(int width, int height)
{
    Bitmap frame = PatternFrame(width, height, 8);
    std::vector<std::uint8_t> alpha(256, 255);
    std::fill_n(alpha.begin(), 128, 0);
    frame.setPaletteAlpha(alpha);
    return frame;
}

// Sixteen-bit samples of every kind, low bytes included; 64 bits with any
// alpha.
Bitmap WideFrame(int width, int height, int depth)
{
    Bitmap frame(width, height, depth);
    const std::uint64_t used = depth == 64 ? ~std::uint64_t(0) : 0xFFFF'FFFF'FFFF;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            frame.setValue(x, y, std::uint64_t(x * 7 + y * 131 + 1) * 0x9E37'79B9'7F4A'7C15 & used);
    }
    return frame;
}

// Grey of 16 bits, as a grey file reads: R == G == B.
Bitmap GreyWideFrame(int width, int height)
{
    Bitmap frame(width, height, 48);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            frame.setValue(x, y, std::uint64_t(x * 977 + y * 40503) % 0x10000 * 0x0001'0001'0001);
    }
    return frame;
}

// What a BMP of a 16-bit bitmap holds: each sample rounded to 8 bits.
Bitmap Narrowed(const Bitmap& bitmap)
{
    if (!Bitmap::HasWideSamples(bitmap.bitsPerPixel()))
        return bitmap;
    const std::vector<std::uint8_t> bmp = EncodeBmp(bitmap);
    return DecodeBmp(bmp.data(), bmp.size());
}

std::string Signature(const std::string& path)
{
    std::string head(PngSignatureLength, '\0');
    std::ifstream(path, std::ios::binary).read(head.data(), std::streamsize(head.size()));
    return head;
}

const std::string PngSignature("\x89PNG\r\n\x1a\n", PngSignatureLength);

struct CrossCase {
    const char* name;
    const char* frameName;
    const char* outputName;
    Bitmap (*frame)();
};

class PngRunTest : public testing::TestWithParam<CrossCase> {
protected:
    void run() { RunExtraction(build.project, {}, log); }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    test::RecordingLog log;
};

TEST_P(PngRunTest, ClipsKeepThePixelsAndFormatOfTheirFrameInEitherFileFormat)
{
    const CrossCase& c = GetParam();
    const Bitmap frame = c.frame();
    build.frame(c.frameName, frame);
    build.region(RegionKind::Clip, 7, 3, 30, 20, {{c.frameName, c.outputName}});
    run();

    const std::string path = build.output(c.outputName);
    EXPECT_EQ(Signature(path) == PngSignature, OutputFormatOf(c.outputName) == ImageFormat::Png);
    const Bitmap clip = LoadImageFile(path);
    Bitmap expected = Bitmap::SameFormat(frame, 30, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x)
            expected.setValue(x, y, frame.value(x + 7, y + 3));
    }
    if (OutputFormatOf(c.outputName) == ImageFormat::Bmp)
        expected.setPaletteAlpha({});
    EXPECT_TRUE(clip == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PngRunTest,
    testing::Values(CrossCase{"RgbaPngToBmp", "f.png", "c.bmp", [] { return RgbaFrame(64, 40); }},
                    CrossCase{"Palette4BmpToPng", "f.bmp", "c.PNG", [] { return PatternFrame(64, 40, 4); }},
                    CrossCase{"RgbBmpToPng", "f.bmp", "c.png", [] { return PatternFrame(64, 40, 24); }},
                    CrossCase{"PaletteAlphaPngToPng", "f.png", "c.png", [] { return PaletteAlphaFrame(64, 40); }},
                    CrossCase{"PaletteAlphaPngToBmp", "f.png", "c.bmp", [] { return PaletteAlphaFrame(64, 40); }},
                    CrossCase{"Rgb48PngToPng", "f.png", "c.png", [] { return WideFrame(64, 40, 48); }},
                    CrossCase{"Rgba64PngToPng", "f.png", "c.png", [] { return WideFrame(64, 40, 64); }},
                    CrossCase{"Grey48PngToPng", "f.png", "c.png", [] { return GreyWideFrame(64, 40); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Backgrounds and clips of 16-bit frames written as BMP: 24 bits, or 32 with
// alpha, of the colours the frame shows.
TEST_F(PngRunTest, SixteenBitFramesGiveBmpOutputsOfTheirColoursRounded)
{
    const Bitmap frames[] = {WideFrame(64, 40, 48), WideFrame(64, 40, 64)};
    build.frame("a.png", frames[0]).frame("b.png", frames[1]);
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"a.png", "a.bmp"}, {"b.png", "b.bmp"}});
    build.region(RegionKind::Clip, 7, 3, 30, 20, {{"a.png", "ca.bmp"}, {"b.png", "cb.bmp"}});
    run();

    for (int i = 0; i < 2; ++i) {
        const Bitmap& frame = frames[i];
        const Bitmap background = LoadImageFile(build.output(i == 0 ? "a.bmp" : "b.bmp"));
        const Bitmap clip = LoadImageFile(build.output(i == 0 ? "ca.bmp" : "cb.bmp"));
        EXPECT_TRUE(background == Narrowed(frame)) << i;
        ASSERT_EQ(clip.bitsPerPixel(), i == 0 ? 24 : 32);
        // The run reports what the file holds.
        EXPECT_EQ(log.writes.at(std::size_t(2 * i)).bpp, clip.bitsPerPixel());
        EXPECT_EQ(log.writes.at(std::size_t(2 * i + 1)).bpp, clip.bitsPerPixel());
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 30; ++x) {
                const std::uint64_t value = frame.value(x + 7, y + 3);
                ASSERT_EQ(clip.pixel(x, y), frame.colorOf(value)) << x << "," << y;
                ASSERT_EQ(clip.alphaOf(clip.value(x, y)), frame.alphaOf(value)) << x << "," << y;
            }
        }
    }
}

std::vector<std::uint8_t> BigEndian(std::initializer_list<std::uint32_t> values)
{
    std::vector<std::uint8_t> bytes;
    for (const std::uint32_t value : values)
        bytes.insert(bytes.end(), {std::uint8_t(value >> 24), std::uint8_t(value >> 16), std::uint8_t(value >> 8),
                                   std::uint8_t(value)});
    return bytes;
}

// A colour-managed viewer shows a clip as it shows its frame only when the
// clip says what the frame said of its colours.
TEST_F(PngRunTest, PngOutputsCarryTheColourChunksOfTheirFrameBeforeThePalette)
{
    const std::vector<ColourChunk> chunks = {
        {"gAMA", BigEndian({45455})},
        {"cHRM", BigEndian({31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000})},
        {"iCCP", {'c', 'a', 'm', 0, 0, 0x78, 0x9c, 0x03, 0, 0, 0, 0, 1}},
    };
    Bitmap frame = PatternFrame(64, 40, 8);
    frame.setColourChunks(chunks);
    frame.setResolution({3780, 3780});
    build.frame("f.png", frame);
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f.png", "b.png"}});
    build.region(RegionKind::Clip, 7, 3, 30, 20, {{"f.png", "c.png"}, {"f.png", "c.bmp"}});
    run();

    for (const char* output : {"b.png", "c.png"}) {
        const Bitmap written = LoadImageFile(build.output(output));
        EXPECT_EQ(written.colourChunks(), chunks) << output;
        EXPECT_EQ(written.resolution(), frame.resolution()) << output;
        const std::string bytes = test::ReadText(build.output(output));
        EXPECT_LT(bytes.find("iCCP"), bytes.find("PLTE")) << output;
    }
    EXPECT_TRUE(LoadImageFile(build.output("c.bmp")).colourChunks().empty());
}

// A 10 x 6 overlay: the key colour at (0, 0) and on the top row, `colour`
// elsewhere.
Bitmap Overlay(const Bitmap& format, Color colour)
{
    Bitmap overlay = Bitmap::SameFormat(format, 10, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 10; ++x)
            overlay.setPixel(x, y, y == 0 ? Magenta : colour);
    }
    return overlay;
}

// Draws a lime text box over both halves of the frame and the overlay over
// its top right, and returns the background written as PNG.
Bitmap Drawn(test::ProjectBuilder& build, LogSink& log, const Bitmap& frame, const Bitmap& overlay,
             const std::string& overlayName)
{
    build.frame("f.png", frame);
    build.textBox(5, 5, 50, 15, {{"f.png", ""}}).BoxColor = colors::Lime;
    build.overlay(40, 25, 10, 6, overlay, {{"f.png", ""}}, overlayName);
    build.region(RegionKind::Background, 0, 0, 1, 1, {{"f.png", "b.png"}});
    RunExtraction(build.project, {}, log);
    return LoadImageFile(build.output("b.png"));
}

class PngDrawingTest : public PngRunTest {
protected:
    Bitmap drawn(const Bitmap& frame, const Bitmap& overlay, const std::string& overlayName)
    {
        return Drawn(build, log, frame, overlay, overlayName);
    }
};

// Painted pixels become opaque, wherever they land; overlay key pixels leave
// the frame pixel, alpha included; an overlay of the frame's own format
// carries its alpha.
TEST_F(PngDrawingTest, OnRgbaFramesPaintIsOpaqueAndOverlaysCarryTheirAlpha)
{
    const Bitmap frame = RgbaFrame(64, 40);
    Bitmap overlay = Overlay(frame, colors::Aqua);
    for (int x = 1; x < 10; ++x)
        overlay.setValue(x, 3, (overlay.value(x, 3) & 0xFFFFFF) | 0x4D000000);
    const Bitmap b = drawn(frame, overlay, "ovl.png");

    for (const auto& [x, y] : {std::pair{5, 5}, {10, 10}, {50, 10}}) {
        EXPECT_EQ(b.alphaOf(b.value(x, y)), 255) << x << "," << y;
    }
    EXPECT_EQ(b.pixel(10, 10), colors::Lime);
    EXPECT_EQ(b.pixel(5, 5), colors::Black);
    EXPECT_EQ(b.value(45, 25), frame.value(45, 25));  // key
    EXPECT_EQ(b.value(45, 27), overlay.value(5, 2));
    EXPECT_EQ(b.alphaOf(b.value(45, 28)), 0x4D);
    EXPECT_EQ(b.value(2, 30), frame.value(2, 30));
    EXPECT_EQ(b.value(60, 30), frame.value(60, 30));
}

// Drawing takes the nearest of the opaque entries, never a see-through entry
// of the same colour; an overlay of another format converts the same way.
TEST_F(PngDrawingTest, OnPaletteFramesWithAlphaPaintTakesOpaqueEntries)
{
    const Bitmap frame = PaletteAlphaFrame(64, 40);
    const Bitmap b = drawn(frame, Overlay(Bitmap(1, 1, 24), colors::Aqua), "ovl.bmp");

    Bitmap opaqueOnly = frame;
    opaqueOnly.setPaletteAlpha({});
    for (const auto& [x, y, colour] :
         {std::tuple{10, 10, colors::Lime}, {5, 5, colors::Black}, {45, 27, colors::Aqua}}) {
        EXPECT_GE(b.value(x, y), 128U) << x << "," << y;
        EXPECT_EQ(b.pixel(x, y), opaqueOnly.colorOf(opaqueOnly.valueOf(colour))) << x << "," << y;
    }
    EXPECT_EQ(b.value(45, 25), frame.value(45, 25));
    EXPECT_EQ(b.value(2, 30), frame.value(2, 30));
    EXPECT_EQ(b.paletteAlpha(), frame.paletteAlpha());
}

// A 16-bit overlay: the key colour at (0, 0) and on the top row.
Bitmap WideOverlay(int depth)
{
    Bitmap overlay = WideFrame(10, 6, depth);
    for (int x = 0; x < 10; ++x)
        overlay.setPixel(x, 0, Magenta);
    return overlay;
}

struct WideDrawingCase {
    const char* name;
    Bitmap (*frame)();
    Bitmap (*overlay)();
};

// The drawing in a project of its own.
Bitmap DrawnAlone(const Bitmap& frame, const Bitmap& overlay, const std::string& overlayName)
{
    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
    test::RecordingLog log;
    return Drawn(build, log, frame, overlay, overlayName);
}

class WideDrawingTest : public testing::TestWithParam<WideDrawingCase> {};

// Boxes and overlays paint 16-bit frames as they paint 8-bit ones: every
// pixel shows the colour and alpha it has on the frame rounded to 8 bits, and
// the pixels left unpainted keep their 16-bit samples.
TEST_P(WideDrawingTest, PaintsAsOnTheFrameRoundedToEightBits)
{
    const WideDrawingCase& c = GetParam();
    const Bitmap frame = c.frame();
    const Bitmap b = DrawnAlone(frame, c.overlay(), "ovl.png");
    const Bitmap narrow = DrawnAlone(Narrowed(frame), Narrowed(c.overlay()), "ovl.bmp");

    ASSERT_EQ(b.bitsPerPixel(), frame.bitsPerPixel());
    int wrong = 0;
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            const bool same =
                b.pixel(x, y) == narrow.pixel(x, y) && b.alphaOf(b.value(x, y)) == narrow.alphaOf(narrow.value(x, y));
            if (!same && ++wrong <= 5)
                ADD_FAILURE() << x << "," << y << ": " << std::hex << b.pixel(x, y) << " not " << narrow.pixel(x, y);
        }
    }
    EXPECT_EQ(b.value(45, 25), frame.value(45, 25));  // key
    EXPECT_EQ(b.value(2, 30), frame.value(2, 30));
    EXPECT_EQ(b.pixel(10, 10), colors::Lime);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, WideDrawingTest,
    testing::Values(WideDrawingCase{"Rgb48FrameRgbOverlay", [] { return WideFrame(64, 40, 48); },
                                    [] { return Overlay(Bitmap(1, 1, 24), colors::Aqua); }},
                    WideDrawingCase{"Rgba64FrameRgbOverlay", [] { return WideFrame(64, 40, 64); },
                                    [] { return Overlay(Bitmap(1, 1, 24), colors::Black); }},
                    WideDrawingCase{"Rgba64FrameRgba64Overlay", [] { return WideFrame(64, 40, 64); },
                                    [] { return WideOverlay(64); }},
                    WideDrawingCase{"Rgb48FrameRgba64Overlay", [] { return WideFrame(64, 40, 48); },
                                    [] { return WideOverlay(64); }},
                    WideDrawingCase{"Rgb24FrameRgb48Overlay", [] { return PatternFrame(64, 40, 24); },
                                    [] { return WideOverlay(48); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
