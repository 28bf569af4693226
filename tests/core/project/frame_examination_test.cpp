#include "platform/image/bitmap.h"
#include "project/frame_examination.h"
#include "project/project_file.h"
#include "support/png_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

class FrameExamination : public testing::Test {
protected:
    void SetUp() override { project.ProjectFolder = dir.path().string(); }

    // A small two-colour frame file; the depth does not matter for its size.
    void writeFrame(const std::string& name, int width, int height)
    {
        SaveBmp(Bitmap(width, height, 1, {colors::Black, colors::White}), dir.file(name));
    }

    test::TempDir dir;
    Project project;
};

TEST_F(FrameExamination, FrameAreaIsTheLargestFrameInEachDirection)
{
    writeFrame("a.bmp", 800, 600);
    writeFrame("b.bmp", 1024, 300);
    project.SetFrameNames({"a.bmp", "b.bmp"});
    EXPECT_FALSE(ExamineFrames(project));
    EXPECT_EQ(project.FrameAreaWidth, 1024);
    EXPECT_EQ(project.FrameAreaHeight, 600);
    EXPECT_EQ(project.FrameStatusOf(1), FrameLoaded);
    EXPECT_EQ(project.FrameStatusOf(2), FrameLoaded);
    EXPECT_EQ(project.FrameStatusOf(3), FrameUnchecked);
}

TEST_F(FrameExamination, FrameAreaIsAtLeastSixHundredByFourHundred)
{
    writeFrame("a.bmp", 20, 10);
    project.FrameAreaWidth = 5000;
    project.SetFrameNames({"a.bmp"});
    EXPECT_FALSE(ExamineFrames(project));
    EXPECT_EQ(project.FrameAreaWidth, 600);
    EXPECT_EQ(project.FrameAreaHeight, 400);
}

TEST_F(FrameExamination, MissingAndUnusableFramesAreRecordedAndTheRestStillExamined)
{
    writeFrame("good.bmp", 700, 20);
    test::WriteText(dir.file("text.bmp"), "this is not a bitmap");
    writeFrame("cut.bmp", 64, 64);
    std::filesystem::resize_file(dir.file("cut.bmp"), std::filesystem::file_size(dir.file("cut.bmp")) - 100);
    test::WriteText(dir.file("empty.bmp"), "");
    std::filesystem::create_directory(dir.file("folder.bmp"));
    project.SetFrameNames({"text.bmp", "absent.bmp", "cut.bmp", "empty.bmp", "folder.bmp", "good.bmp"});

    EXPECT_TRUE(ExamineFrames(project));
    EXPECT_EQ(project.FrameStatusOf(1), FrameUnusable);
    EXPECT_EQ(project.FrameStatusOf(2), FrameMissing);
    EXPECT_EQ(project.FrameStatusOf(3), FrameUnusable);
    EXPECT_EQ(project.FrameStatusOf(4), FrameUnusable);
    EXPECT_EQ(project.FrameStatusOf(5), FrameMissing);
    EXPECT_EQ(project.FrameStatusOf(6), FrameLoaded);
    EXPECT_EQ(project.FrameAreaWidth, 700);
}

TEST_F(FrameExamination, PngFramesAreExaminedByTheirHeaderBesideBmpFrames)
{
    writeFrame("a.bmp", 640, 700);
    test::WritePng(dir.file("b.PNG"), 900, 30);
    test::WriteText(dir.file("cut.png"), test::PngFile({}).substr(0, 32));
    // The first bytes decide the format: a BMP named .png is a BMP frame.
    writeFrame("bmp.png", 20, 800);
    project.SetFrameNames({"a.bmp", "b.PNG", "cut.png", "bmp.png"});

    EXPECT_TRUE(ExamineFrames(project));
    EXPECT_EQ(project.FrameStatusOf(1), FrameLoaded);
    EXPECT_EQ(project.FrameStatusOf(2), FrameLoaded);
    EXPECT_EQ(project.FrameStatusOf(3), FrameUnusable);
    EXPECT_EQ(project.FrameStatusOf(4), FrameLoaded);
    EXPECT_EQ(project.FrameAreaWidth, 900);
    EXPECT_EQ(project.FrameAreaHeight, 800);
}

TEST_F(FrameExamination, AFrameThatIsNotABitmapDoesNotEndTheLoad)
{
    test::WriteText(dir.file("text.bmp"), "BM but nothing more");
    test::WriteText(dir.file("p.qvl"), "[Main]\r\nVersion2=1\r\nRegions=1\r\n[Frames]\r\n1=text.bmp\r\n"
                                       "[Region1]\r\nPosition=1,1,10,10\r\n");
    const LoadResult result = Loadfile(project, dir.file("p.qvl"));
    EXPECT_TRUE(result.FramesMissing);
    EXPECT_EQ(project.FrameStatusOf(1), FrameUnusable);
    EXPECT_EQ(project.Regions.size(), 1u);
}

}  // namespace
}  // namespace tolv
