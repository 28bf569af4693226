#include "editor/edit_commands.h"

#include <gtest/gtest.h>

#include <climits>

namespace tolv {
namespace {

struct NudgeCase {
    const char* name;
    int from, delta, to;
};

class Nudge : public testing::TestWithParam<NudgeCase> {};

TEST_P(Nudge, StaysWithinOneToFifty)
{
    EXPECT_EQ(ChangeNudge(GetParam().from, GetParam().delta), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Cases, Nudge,
                         testing::Values(NudgeCase{"Plus", 1, 1, 2}, NudgeCase{"PlusAtTop", 50, 1, 50},
                                         NudgeCase{"TimesTenPastTop", 45, 10, 50},
                                         NudgeCase{"DivideFromFive", 5, -10, 1}, NudgeCase{"MinusAtBottom", 1, -1, 1},
                                         NudgeCase{"HugeDelta", 50, INT_MAX, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Nudge, StatusText)
{
    EXPECT_EQ(NudgeText(50), "Nudge step set to 50.");
}

struct FactorCase {
    const char* name;
    const char* text;
    std::optional<int> step;
};

class NudgeFactor : public testing::TestWithParam<FactorCase> {};

TEST_P(NudgeFactor, TakesWholeNumbersIntoRange)
{
    EXPECT_EQ(ParseNudgeFactor(GetParam().text), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NudgeFactor,
    testing::Values(FactorCase{"Plain", "12", 12}, FactorCase{"Blanks", " 7 ", 7}, FactorCase{"Signed", "+3", 3},
                    FactorCase{"Zero", "0", 1}, FactorCase{"Negative", "-5", 1}, FactorCase{"Large", "51", 50},
                    FactorCase{"Huge", "99999999999999999999", 50}, FactorCase{"Letters", "abc", std::nullopt},
                    FactorCase{"Decimal", "2.5", std::nullopt}, FactorCase{"Empty", "", std::nullopt},
                    FactorCase{"SignOnly", "-", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Duplicate, CopiesEverythingButVisibility)
{
    Project project;
    Region door(12, 34, 56, 78);
    door.Name = "Door";
    door.Visible = false;
    door.RegionType = RegionKind::TextBox;
    door.OVLName = "door.bmp";
    door.Title = true;
    door.LineWidth = 3;
    door.TitleHeight = 25;
    door.TitleColor = colors::Lime;
    door.BoxColor = colors::Aqua;
    door.InputFrame.set(49, "f50.bmp");
    door.OutputFile.set(0, "out.bmp");

    const auto copy = DuplicateRegion(project, door);
    EXPECT_EQ(copy->Name, "Duplicate: Door");
    EXPECT_EQ(HintText(*copy), "[Duplicate: Door]  x:12  y:34  w:56  h:78");
    EXPECT_TRUE(copy->Visible);
    EXPECT_EQ(copy->RegionType, RegionKind::TextBox);
    EXPECT_EQ(copy->OVLName, "door.bmp");
    EXPECT_TRUE(copy->Title);
    EXPECT_EQ(copy->LineWidth, 3);
    EXPECT_EQ(copy->TitleHeight, 25);
    EXPECT_EQ(copy->TitleColor, colors::Lime);
    EXPECT_EQ(copy->BoxColor, colors::Aqua);
    EXPECT_EQ(copy->InputFrame, door.InputFrame);
    EXPECT_EQ(copy->OutputFile, door.OutputFile);
}

}  // namespace
}  // namespace tolv
