// Bitmaps made in the memory of a spent one must not show what it held.
#include "core/platform/bmp_file_builder.h"
#include "platform/image/bitmap.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

namespace tolv {
namespace {

// A bitmap whose every byte is set, padding too.
Bitmap Spent(int width, int height)
{
    Bitmap spent(width, height, 8, {colors::Black});
    for (int y = 0; y < height; ++y)
        std::fill(spent.row(y), spent.row(y) + spent.stride(), std::uint8_t(0xA5));
    return spent;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(SpentMemory, AFrameReadIntoItIsTheFrameAndLeavesItEmpty)
{
    test::TempDir dir;
    // The large one and the largest spent bitmap are blocks of a frame's size,
    // which are mapped differently from small ones.
    for (const auto& [name, width, height] : {std::tuple{"f.bmp", 37, 9}, std::tuple{"big.bmp", 1100, 1000}}) {
        Bitmap frame(width, height, 24);
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                frame.setValue(x, y, std::uint32_t(x * 7919 + y * 104729) & 0xFFFFFF);
        SaveBmp(frame, dir.file(name));
    }
    test::BmpFileLayout rle{
        .width = 6, .height = 2, .bitsPerPixel = 8, .compression = 1, .palette = {colors::Black, colors::White}};
    rle.pixels = {2, 1, 0, 1};  // two pixels of the bottom row, the rest unset
    WriteBytes(dir.file("rle.bmp"), test::BuildBmpFile(rle));

    for (const std::string name : {"f.bmp", "big.bmp", "rle.bmp"}) {
        for (const int size : {4, 200, 1200}) {
            Bitmap spent = Spent(size, size);
            const Bitmap read = LoadBmp(dir.file(name), std::move(spent));
            EXPECT_TRUE(read == LoadBmp(dir.file(name))) << name << " " << size;
            EXPECT_EQ(EncodeBmp(read), EncodeBmp(LoadBmp(dir.file(name)))) << name << " " << size;
            EXPECT_TRUE(spent.empty());
        }
    }
}

}  // namespace
}  // namespace tolv
