#include "extract/frame_prefetch.h"

#include "platform/errors.h"
#include "support/project_builder.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

using test::PatternFrame;

class FramePrefetchTest : public testing::Test {
protected:
    FramePrefetchTest()
    {
        for (int i = 0; i < 4; ++i) {
            frames.push_back(PatternFrame(40, 30, 24, i));
            SaveBmp(frames.back(), path(i));
        }
        test::WriteText(path(1), "not a bitmap");
    }

    std::string path(int i) const { return dir.file("f" + std::to_string(i) + ".bmp"); }
    PlannedFrame planned(int i) const { return {i, path(i)}; }

    test::TempDir dir;
    std::vector<Bitmap> frames;
};

TEST_F(FramePrefetchTest, PlannedAndUnplannedFramesAreTakenInTheRunsOrder)
{
    FramePrefetch prefetch({planned(0), planned(3)});
    EXPECT_TRUE(prefetch.take(0, path(0)) == frames[0]);
    EXPECT_TRUE(prefetch.take(2, path(2)) == frames[2]);
    EXPECT_TRUE(prefetch.take(3, path(3)) == frames[3]);
}

TEST_F(FramePrefetchTest, AReadErrorIsRaisedWhenItsFrameIsTakenAndNotBefore)
{
    FramePrefetch prefetch({planned(0), planned(1), planned(2)});
    EXPECT_TRUE(prefetch.take(0, path(0)) == frames[0]);
    EXPECT_THROW(prefetch.take(1, path(1)), InvalidBitmapError);
    EXPECT_TRUE(prefetch.take(2, path(2)) == frames[2]);
}

TEST_F(FramePrefetchTest, AFrameSkippedOrNeverTakenRaisesNothing)
{
    std::filesystem::remove(path(3));
    FramePrefetch prefetch({planned(0), planned(1), planned(2), planned(3)});
    EXPECT_TRUE(prefetch.take(2, path(2)) == frames[2]);
}

TEST_F(FramePrefetchTest, AMissingFrameRaisesTheReadErrorOfItsPath)
{
    std::filesystem::remove(path(2));
    FramePrefetch prefetch({planned(2)});
    try {
        prefetch.take(2, path(2));
        FAIL() << "no error";
    } catch (const FileReadError& error) {
        EXPECT_EQ(error.path(), path(2));
    }
}

TEST(CanReadAheadTest, OnlyExistingFilesOutsideTheOutputFolder)
{
    test::TempDir dir;
    const std::filesystem::path out = dir.path() / "VidIziz";
    test::WriteText(dir.file("frame.bmp"), "x");
    EXPECT_TRUE(CanReadAhead(dir.file("frame.bmp"), out.string()));
    std::filesystem::create_directories(out / "sub");
    test::WriteText((out / "sub" / "b.bmp").string(), "x");
    std::filesystem::create_directory_symlink(out, dir.path() / "alias");
    std::filesystem::create_directory(dir.path() / "VidIziz2");
    test::WriteText(dir.file("VidIziz2/frame.bmp"), "x");

    EXPECT_TRUE(CanReadAhead(dir.file("frame.bmp"), out.string()));
    EXPECT_TRUE(CanReadAhead(dir.file("VidIziz2/frame.bmp"), out.string()));
    EXPECT_FALSE(CanReadAhead(dir.file("VidIziz/sub/b.bmp"), out.string()));
    EXPECT_FALSE(CanReadAhead(dir.file("alias/sub/../sub/b.bmp"), out.string()));
    EXPECT_FALSE(CanReadAhead(dir.file("missing.bmp"), out.string()));
}

}  // namespace
}  // namespace tolv
