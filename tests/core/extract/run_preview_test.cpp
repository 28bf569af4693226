#include "extract/run_preview.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

TEST(SizeText, BytesThenOneDecimalInTheLargestUnitBelow1024)
{
    const std::vector<std::pair<std::uint64_t, std::string>> cases{
        {0, "0 bytes"},      {1, "1 byte"},          {1023, "1023 bytes"},
        {1024, "1.0 KB"},    {1260, "1.2 KB"},       {1048575, "1.0 MB"},
        {3565158, "3.4 MB"}, {1073741824, "1.0 GB"}, {5497558138880, "5120.0 GB"}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(SizeText(bytes), text) << bytes;
}

TEST(PreviewLines, HeadingWithCountAndTotalThenEveryFileInRunOrder)
{
    OutputRecord bg;
    bg.file = "VidIziz/bg.bmp";
    bg.bytes = 2000;
    OutputRecord door;
    door.file = "VidIziz/sub/door.bmp";
    door.bytes = 134;
    EXPECT_EQ(PreviewLines({bg, door}),
              (std::vector<std::string>{"Process would write 2 files, 2.1 KB:", "     VidIziz/bg.bmp  2.0 KB",
                                        "     VidIziz/sub/door.bmp  134 bytes"}));
    EXPECT_EQ(PreviewLines({door}).front(), "Process would write 1 file, 134 bytes:");
    EXPECT_EQ(PreviewLines({}), std::vector<std::string>{"Process would write no files."});
}

}  // namespace
}  // namespace tolv
