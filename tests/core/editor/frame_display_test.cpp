#include "editor/frame_display.h"

#include <gtest/gtest.h>

#include <string>

namespace tolv {
namespace {

Project WithFrames(int count)
{
    Project project;
    for (int i = 1; i <= count; ++i)
        project.FrameNames.push_back("f" + std::to_string(i) + ".bmp");
    return project;
}

struct StepCase {
    const char* name;
    int frames;
    int current;
    FrameStep step;
    int expected;
};

class StepCurrentFrameTest : public testing::TestWithParam<StepCase> {};

TEST_P(StepCurrentFrameTest, ClampsWithoutWrapping)
{
    const StepCase& c = GetParam();
    Project project = WithFrames(c.frames);
    project.CurrentFrame = c.current;
    StepCurrentFrame(project, c.step);
    EXPECT_EQ(project.CurrentFrame, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepCurrentFrameTest,
                         testing::Values(StepCase{"FirstAfterReset", 3, -1, FrameStep::Next, 1},
                                         StepCase{"ReloadAfterReset", 3, -1, FrameStep::Same, 1},
                                         StepCase{"Next", 3, 1, FrameStep::Next, 2},
                                         StepCase{"PastTheLastStays", 3, 3, FrameStep::Next, 3},
                                         StepCase{"BeforeTheFirstStays", 3, 1, FrameStep::Previous, 1},
                                         StepCase{"Reload", 3, 2, FrameStep::Same, 2},
                                         StepCase{"NewProjectWithoutFrames", 0, 0, FrameStep::Next, 0},
                                         StepCase{"ResetWithoutFrames", 0, -1, FrameStep::Same, 0},
                                         StepCase{"ListShrankBelowTheCurrent", 2, 5, FrameStep::Same, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CurrentFrameAvailable, OnlyAFrameThatLoadedCounts)
{
    Project project = WithFrames(3);
    project.FrameStatus[0] = FrameLoaded;
    project.FrameStatus[1] = FrameMissing;
    project.FrameStatus[2] = FrameUnusable;
    const bool expected[] = {false, true, false, false, false};
    for (int frame = 0; frame <= 4; ++frame) {
        project.CurrentFrame = frame;
        EXPECT_EQ(CurrentFrameAvailable(project), expected[frame]) << frame;
    }
}

TEST(FrameText, NamesAFrameThatCannotShowAsMissing)
{
    Project project = WithFrames(2);
    project.FrameStatus[0] = FrameMissing;
    project.FrameStatus[1] = FrameLoaded;
    project.CurrentFrame = 1;
    EXPECT_EQ(FrameText(project), " Animation missing: " + project.FrameName(1));
    project.CurrentFrame = 2;
    EXPECT_EQ(FrameText(project), " Frame: " + project.FrameName(2));
}

TEST(Checkerboard, PatternHasSilverTopLeftAndBottomRight)
{
    const Bitmap& pattern = Chkbrd();
    ASSERT_EQ(pattern.width(), 32);
    ASSERT_EQ(pattern.height(), 32);
    EXPECT_EQ(pattern.pixel(0, 0), colors::Silver);
    EXPECT_EQ(pattern.pixel(15, 15), colors::Silver);
    EXPECT_EQ(pattern.pixel(16, 0), colors::White);
    EXPECT_EQ(pattern.pixel(0, 16), colors::White);
    EXPECT_EQ(pattern.pixel(31, 31), colors::Silver);
}

TEST(Checkerboard, DisplayIsTiledOverTheFrameAreaOnly)
{
    const Bitmap display = CheckerboardDisplay(600, 400);
    ASSERT_EQ(display.width(), CheckerboardWidth);
    ASSERT_EQ(display.height(), CheckerboardHeight);
    EXPECT_EQ(display.pixel(0, 0), colors::Silver);
    EXPECT_EQ(display.pixel(16, 0), colors::White);
    EXPECT_EQ(display.pixel(32, 32), colors::Silver);  // tiled from the origin
    EXPECT_EQ(display.pixel(599, 383), colors::Silver);  // squares 37 and 23
    EXPECT_EQ(display.pixel(600, 0), colors::White);  // right of the frame area
    EXPECT_EQ(display.pixel(0, 400), colors::White);  // below it
}

TEST(Checkerboard, ALargerFrameAreaIsClippedToTheDisplay)
{
    const Bitmap display = CheckerboardDisplay(1920, 1080);
    ASSERT_EQ(display.width(), CheckerboardWidth);
    EXPECT_EQ(display.pixel(789, 559), (789 / 16 + 559 / 16) % 2 == 0 ? colors::Silver : colors::White);
}

}  // namespace
}  // namespace tolv
