#include "extract/clip_cut.h"
#include "extract/output_name.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

struct NameCase {
    std::string name;
    bool unsafe;
};

class OutputNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(OutputNameTest, OnlyNamesThatLeaveTheOutputFolderAreUnsafe)
{
    EXPECT_EQ(IsUnsafeOutputName(GetParam().name), GetParam().unsafe) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, OutputNameTest,
    testing::Values(NameCase{"door.bmp", false}, NameCase{"sub/door.bmp", false}, NameCase{"sub\\door.bmp", false},
                    NameCase{"..door.bmp", false}, NameCase{"door..bmp", false}, NameCase{"a/..b/c.bmp", false},
                    NameCase{"./door.bmp", false}, NameCase{"..", true}, NameCase{"../door.bmp", true},
                    NameCase{"sub/../door.bmp", true}, NameCase{"sub/..", true}, NameCase{"..\\door.bmp", true},
                    NameCase{"sub\\..\\..\\door.bmp", true}, NameCase{"/door.bmp", true}, NameCase{"\\door.bmp", true},
                    NameCase{"c:\\out\\door.bmp", true}, NameCase{"C:door.bmp", true}));

TEST(LowerAsciiTest, FoldsOnlyAsciiLetters)
{
    EXPECT_EQ(LowerAscii("Door_OPEN-1.BMP"), "door_open-1.bmp");
    EXPECT_EQ(LowerAscii("\xC3\x89T\xC3\x89.BMP"), "\xC3\x89t\xC3\x89.bmp");
}

struct SizeCase {
    int width, height, depth;
    bool writable;
};

class BitmapSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(BitmapSizeTest, FollowsTheCodecLimits)
{
    const SizeCase& c = GetParam();
    EXPECT_EQ(IsWritableBitmapSize(c.width, c.height, c.depth), c.writable)
        << c.width << "x" << c.height << "x" << c.depth;
}

INSTANTIATE_TEST_SUITE_P(Sizes, BitmapSizeTest,
                         testing::Values(SizeCase{1, 1, 1, true}, SizeCase{32768, 1, 32, true},
                                         SizeCase{32769, 1, 1, false}, SizeCase{1, 32769, 1, false},
                                         SizeCase{0, 10, 24, false}, SizeCase{10, -1, 24, false},
                                         SizeCase{8192, 8192, 32, true}, SizeCase{16384, 16384, 24, false},
                                         SizeCase{32768, 32768, 1, true}, SizeCase{32768, 32768, 8, false},
                                         SizeCase{100000, 100000, 24, false}));

}  // namespace
}  // namespace tolv
