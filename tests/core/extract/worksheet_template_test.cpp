#include "extract/worksheet_template.h"

#include "support/unstorable_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolv {
namespace {

Project ProjectWithFrames(int count)
{
    Project project;
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back("walk" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".bmp");
    project.SetFrameNames(names);
    return project;
}

Region Door()
{
    Region region;
    region.Name = "Door";
    return region;
}

std::vector<std::string> Filled(const std::array<std::string, WorksheetRows>& column, int rows)
{
    return {column.begin(), column.begin() + rows};
}

struct FillCase {
    const char* name;
    FrameRange range;
    const char* outputTemplate;
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
};

class PlanFillTest : public testing::TestWithParam<FillCase> {};

TEST_P(PlanFillTest, PairsTheRangesFramesWithTheExpandedTemplate)
{
    const FillCase& c = GetParam();
    const WorksheetFill fill = PlanFill(ProjectWithFrames(5), Door(), c.range, c.outputTemplate);
    EXPECT_EQ(Filled(fill.InputFrame, fill.rows), c.inputs);
    EXPECT_EQ(Filled(fill.OutputFile, fill.rows), c.outputs);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, PlanFillTest,
    testing::Values(
        FillCase{"ZeroPadded",
                 {1, 3, 1},
                 "{n:03}.bmp",
                 {"walk01.bmp", "walk02.bmp", "walk03.bmp"},
                 {"001.bmp", "002.bmp", "003.bmp"}},
        FillCase{"RegionAndFrame",
                 {2, 3, 1},
                 "{region}_{frame}.bmp",
                 {"walk02.bmp", "walk03.bmp"},
                 {"Door_walk02.bmp", "Door_walk03.bmp"}},
        FillCase{
            "Step", {1, 5, 2}, "s{n}.bmp", {"walk01.bmp", "walk03.bmp", "walk05.bmp"}, {"s1.bmp", "s2.bmp", "s3.bmp"}},
        FillCase{"PastTheFrameList", {4, 9, 1}, "{n}", {"walk04.bmp", "walk05.bmp"}, {"1", "2"}},
        FillCase{"Braces", {1, 1, 1}, "{{{n}}}_}}{{", {"walk01.bmp"}, {"{1}_}{"}},
        FillCase{"SubFolder", {1, 1, 1}, "door/{n:02}.bmp", {"walk01.bmp"}, {"door/01.bmp"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlanFill, FillsFiftyRowsAtMost)
{
    const WorksheetFill fill = PlanFill(ProjectWithFrames(MaxFrames), Door(), {1, 1000, 1}, "{n}");
    EXPECT_EQ(fill.rows, WorksheetRows);
    EXPECT_EQ(fill.InputFrame.back(), "walk50.bmp");
    EXPECT_EQ(fill.OutputFile.back(), "50");
}

struct RefusalCase {
    const char* outputTemplate;
    const char* message;
};

class PlanFillRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(PlanFillRefusalTest, RefusesWithTheReason)
{
    try {
        PlanFill(ProjectWithFrames(5), Door(), {1, 5, 1}, GetParam().outputTemplate);
        ADD_FAILURE() << "no refusal";
    } catch (const FillError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, PlanFillRefusalTest,
                         testing::Values(RefusalCase{"{x}.bmp", "Unknown template field {x}."},
                                         RefusalCase{"{n:3}.bmp", "Unknown template field {n:3}."},
                                         RefusalCase{"{n.bmp", "Template field {n.bmp has no }."},
                                         RefusalCase{"a}.bmp", "Template brace } has no {; write }} for a brace."},
                                         RefusalCase{"../{n}.bmp", "Refused unsafe output name ../1.bmp."},
                                         RefusalCase{"/{region}.bmp", "Refused unsafe output name /Door.bmp."}));

struct RangeRefusal {
    FrameRange range;
    const char* message;
};

class PlanFillRangeTest : public testing::TestWithParam<RangeRefusal> {};

// The dialog's own From, To and Step reach PlanFill without ParseFrameRange.
TEST_P(PlanFillRangeTest, RefusesARangeThatParseFrameRangeWouldNotGive)
{
    try {
        PlanFill(ProjectWithFrames(5), Door(), GetParam().range, "{n}");
        ADD_FAILURE() << "no refusal";
    } catch (const FillError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, PlanFillRangeTest,
                         testing::Values(RangeRefusal{{6, 9, 1}, "No frame of the frame list lies in this range."},
                                         RangeRefusal{{0, 3, 1},
                                                      "The frame range starts at position 1 at the earliest."},
                                         RangeRefusal{{5, 2, 1}, "The frame range runs backwards: 2 comes before 5."},
                                         RangeRefusal{{1, 3, 0}, "The frame range steps by 1 or more."}));

class PlanFillNameTest : public testing::TestWithParam<test::UnstorableName> {};

// The name is the template's own text here, as no field makes it.
TEST_P(PlanFillNameTest, RefusesANameThatTheProjectFileCannotHold)
{
    try {
        PlanFill(ProjectWithFrames(5), Door(), {1, 5, 1}, GetParam().name);
        ADD_FAILURE() << "no refusal";
    } catch (const FillError& error) {
        EXPECT_EQ(error.what(), "Row 1: " + GetParam().reason);
    }
}

INSTANTIATE_TEST_SUITE_P(Names, PlanFillNameTest, testing::ValuesIn(test::UnstorableOutputNames()),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(PlanFill, TheFrameListFormUsesTheNameGiven)
{
    const std::vector<std::string> frames{"a.bmp", "sub/b.bmp"};
    const WorksheetFill fill = PlanFill(frames, "Typed", {1, 2, 1}, "{region}-{frame}");
    EXPECT_EQ(Filled(fill.InputFrame, fill.rows), frames);
    EXPECT_EQ(Filled(fill.OutputFile, fill.rows), (std::vector<std::string>{"Typed-a", "Typed-b"}));
}

TEST(ApplyFill, ReplacesTheWholeWorksheet)
{
    Project project = ProjectWithFrames(5);
    Region region = Door();
    for (int row = 1; row <= 10; ++row)
        SetFilenames(region, row, "old.bmp", "old" + std::to_string(row) + ".bmp");

    ApplyFill(region, PlanFill(project, region, {2, 3, 1}, "{n}.bmp"));
    EXPECT_EQ(Filled(region.InputFrame, 2), (std::vector<std::string>{"walk02.bmp", "walk03.bmp"}));
    EXPECT_EQ(Filled(region.OutputFile, 2), (std::vector<std::string>{"1.bmp", "2.bmp"}));
    for (int row = 2; row < WorksheetRows; ++row)
        EXPECT_FALSE(region.rowInUse(row)) << row;
}

struct RangeCase {
    const char* text;
    std::optional<FrameRange> range;
};

class ParseFrameRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(ParseFrameRangeTest, ReadsSingleFramesRangesAndSteps)
{
    const std::optional<FrameRange> range = ParseFrameRange(GetParam().text);
    ASSERT_EQ(range.has_value(), GetParam().range.has_value());
    if (range) {
        EXPECT_EQ(range->from, GetParam().range->from);
        EXPECT_EQ(range->to, GetParam().range->to);
        EXPECT_EQ(range->step, GetParam().range->step);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseFrameRangeTest,
                         testing::Values(RangeCase{"7", FrameRange{7, 7, 1}}, RangeCase{"1-50", FrameRange{1, 50, 1}},
                                         RangeCase{"1-50:2", FrameRange{1, 50, 2}}, RangeCase{"", {}},
                                         RangeCase{"0-3", {}}, RangeCase{"5-2", {}}, RangeCase{"1-3:0", {}},
                                         RangeCase{"1-", {}}, RangeCase{"1-3:", {}}, RangeCase{"-3", {}},
                                         RangeCase{"a-b", {}}, RangeCase{"1-3x", {}}));

}  // namespace
}  // namespace tolv

namespace tolv {
namespace {

std::vector<std::string> Rows(const Region& region)
{
    std::vector<std::string> rows;
    for (int row = 0; row < WorksheetRows; ++row)
        if (region.rowInUse(row))
            rows.push_back(region.InputFrame[row] + ">" + region.OutputFile[row]);
    return rows;
}

TEST(FrameToggle, AddsAFrameAfterTheLastRowAndTakesOutEveryRowOfIt)
{
    const Project project = ProjectWithFrames(12);
    Region door = Door();
    SetFilenames(door, 1, "walk03.bmp", "a.bmp");
    SetFilenames(door, 3, "WALK05.bmp", "b.bmp");
    SetFilenames(door, 4, "walk03.bmp", "c.bmp");

    const Region added = WithFrameToggled(project, door, 11);
    EXPECT_EQ(Rows(added), (std::vector<std::string>{"walk03.bmp>a.bmp", "WALK05.bmp>b.bmp", "walk03.bmp>c.bmp",
                                                     "walk11.bmp>Door_011.bmp"}));
    EXPECT_EQ(added.InputFrame[4], "walk11.bmp");
    EXPECT_EQ(Rows(WithFrameToggled(project, added, 11)), Rows(door));

    EXPECT_EQ(Rows(WithFrameToggled(project, door, 3)), (std::vector<std::string>{"WALK05.bmp>b.bmp"}));
    EXPECT_EQ(Rows(WithFrameToggled(project, door, 5)),
              (std::vector<std::string>{"walk03.bmp>a.bmp", "walk03.bmp>c.bmp"}));

    SetFilenames(door, WorksheetRows, "walk01.bmp", "z.bmp");
    EXPECT_THROW(WithFrameToggled(project, door, 2), FillError);
}

}  // namespace
}  // namespace tolv
