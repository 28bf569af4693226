#include "core/platform/bmp_file_builder.h"
#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/bmp_probe.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tolv {
namespace {

enum class Outcome { Size, Invalid, Unreadable };

template <typename F>
Outcome OutcomeOf(F&& read, BmpSize& size)
{
    try {
        size = read();
        return Outcome::Size;
    } catch (const InvalidBitmapError&) {
        return Outcome::Invalid;
    } catch (const FileReadError&) {
        return Outcome::Unreadable;
    }
}

struct ProbeCase {
    const char* name;
    std::function<void(const std::string& path)> make;
    Outcome expected;
};

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    test::WriteText(path, std::string(bytes.begin(), bytes.end()));
}

void WriteSpec(const std::string& path, test::BmpFileLayout layout)
{
    WriteBytes(path, test::BuildBmpFile(layout));
}

test::BmpFileLayout Rle8(std::vector<std::uint8_t> stream)
{
    return {.width = 4,
            .height = 2,
            .bitsPerPixel = 8,
            .compression = 1,
            .palette = {colors::Black, colors::White},
            .pixels = std::move(stream)};
}

class BmpProbe : public testing::TestWithParam<ProbeCase> {};

// The probe must agree with the full reader on every file, or a frame found
// usable would fail later, when it is shown or extracted.
TEST_P(BmpProbe, AgreesWithTheFullReader)
{
    test::TempDir dir;
    const std::string path = dir.file("frame.bmp");
    GetParam().make(path);
    BmpSize probed, loaded;
    const Outcome probe = OutcomeOf([&] { return ReadBmpSize(path); }, probed);
    const Outcome load = OutcomeOf(
        [&] {
            const Bitmap bitmap = LoadBmp(path);
            return BmpSize{bitmap.width(), bitmap.height()};
        },
        loaded);
    EXPECT_EQ(probe, GetParam().expected);
    EXPECT_EQ(probe, load);
    EXPECT_EQ(probed.width, loaded.width);
    EXPECT_EQ(probed.height, loaded.height);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BmpProbe,
    testing::Values(
        ProbeCase{"Plain24", [](const std::string& p) { SaveBmp(Bitmap(33, 17, 24), p); }, Outcome::Size},
        ProbeCase{"TopDown",
                  [](const std::string& p) {
                      WriteSpec(p, {.width = 2, .height = -3, .pixels = std::vector<std::uint8_t>(24)});
                  },
                  Outcome::Size},
        ProbeCase{"OneByteShort",
                  [](const std::string& p) {
                      SaveBmp(Bitmap(33, 17, 24), p);
                      std::filesystem::resize_file(p, std::filesystem::file_size(p) - 1);
                  },
                  Outcome::Invalid},
        ProbeCase{"HeadersOnly", [](const std::string& p) { WriteSpec(p, {.width = 100, .height = 100}); },
                  Outcome::Invalid},
        ProbeCase{"Rle8",
                  [](const std::string& p) {
                      WriteSpec(p, Rle8({4, 1, 0, 0, 4, 0, 0, 1}));
                  },
                  Outcome::Size},
        ProbeCase{"Rle8CutShort",
                  [](const std::string& p) {
                      WriteSpec(p, Rle8({4, 1, 0}));
                  },
                  Outcome::Invalid},
        ProbeCase{"Text", [](const std::string& p) { test::WriteText(p, "not a bitmap at all"); }, Outcome::Invalid},
        ProbeCase{"Empty", [](const std::string& p) { test::WriteText(p, ""); }, Outcome::Invalid},
        ProbeCase{"Missing", [](const std::string&) {}, Outcome::Unreadable},
        ProbeCase{"Folder", [](const std::string& p) { std::filesystem::create_directory(p); }, Outcome::Unreadable}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
