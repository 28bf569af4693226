#include "project/region_clipboard.h"

#include "core/project/project_lines.h"

#include <gtest/gtest.h>

#include <random>

namespace tolv {
namespace {

using test::Lines;

std::vector<Region> OneOfEveryKind()
{
    std::vector<Region> regions(4, Region(10, 20, 30, 40));
    regions[0].Name = R"(Ball, "big" = 50% ü; [x])";
    regions[0].InputFrame.set(0, "f1.bmp");
    regions[0].OutputFile.set(0, "ball1.bmp");
    regions[0].InputFrame.set(49, "f2.bmp");
    regions[1].RegionType = RegionKind::Background;
    regions[1].Visible = false;
    regions[2].RegionType = RegionKind::TextBox;
    regions[2].Title = true;
    regions[2].TitleColor = colors::Maroon;
    regions[2].OutputFile.set(3, "box.bmp");
    regions[3].RegionType = RegionKind::Overlay;
    regions[3].OVLName = "/overlays/star.bmp";
    regions[3].Left = -5;
    return regions;
}

std::string TextOf(const std::vector<Region>& regions)
{
    std::vector<const Region*> pointers;
    for (const Region& region : regions)
        pointers.push_back(&region);
    return RegionsAsText(pointers);
}

TEST(RegionClipboard, RegionsComeBackAsTheyWentWithoutOverlayBitmaps)
{
    const std::string text = TextOf(OneOfEveryKind());
    EXPECT_TRUE(text.starts_with(Lines({"[Main]", "Version2=1", "Regions=4", "[Region1]"})));

    const std::vector<Region> read = RegionsFromText(text);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(TextOf(read), text);
    EXPECT_EQ(read[0].Name, OneOfEveryKind()[0].Name);
    EXPECT_EQ(read[0].InputFrame[1], "f2.bmp");
    EXPECT_FALSE(read[1].Visible);
    EXPECT_EQ(read[3].RegionType, RegionKind::Overlay);
    EXPECT_FALSE(read[3].MergeImage);
}

TEST(RegionClipboard, RegionsWithoutVersion2KeepTheirPositions)
{
    const std::vector<Region> read =
        RegionsFromText(Lines({"[Main]", "Regions=2", "[Region1]", "Position=300,200,40,50", "Name=New", "[Region2]",
                               "left=7", "top=8", "width=9", "height=10", "Name=Old"}));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ((std::vector<int>{read[0].Left, read[0].Top, read[0].Width, read[0].Height}),
              (std::vector<int>{300, 200, 40, 50}));
    EXPECT_EQ((std::vector<int>{read[1].Left, read[1].Top, read[1].Width, read[1].Height}),
              (std::vector<int>{7, 8, 9, 10}))
        << "the older layout's keys still count";
}

TEST(RegionClipboard, AnyOtherTextGivesNoRegions)
{
    std::mt19937 random(11);
    std::string garbage(20000, '\0');
    for (char& c : garbage)
        c = char(random());
    const std::string texts[] = {
        "",
        garbage,
        "Position=1,2,30,40",
        Lines({"[Region1]", "Position=1,2,30,40"}),
        Lines({"[Main]", "Version2=1", "Regions=2"}),
        Lines({"[Main]", "Version2=1", "Regions=-3", "[Region1]", "Position=1,2,30,40"}),
    };
    for (const std::string& text : texts)
        EXPECT_TRUE(RegionsFromText(text).empty()) << text.substr(0, 40);
}

}  // namespace
}  // namespace tolv

namespace tolv {
namespace {

struct PasteCase {
    const char* name;
    std::string rowLines;  // the region's rows, in either layout
    std::string refusal;  // what follows "Door <Clip 1>: "
};

class UnstorablePaste : public testing::TestWithParam<PasteCase> {};

// Names reach the clipboard from other programs too; a row that a project
// file could not hold refuses the whole paste.
TEST_P(UnstorablePaste, IsRefusedWithTheReason)
{
    const PasteCase& c = GetParam();
    const std::string text = test::Lines({"[Main]", "Version2=1", "Regions=2", "[Region1]", "Name=Gate",
                                          "Position=1,1,9,9", "[Region2]", "Name=Door", "Position=1,1,9,9"})
                             + c.rowLines;
    try {
        RegionsFromText(text);
        ADD_FAILURE() << "pasted";
    } catch (const UnstorableRegionsError& error) {
        EXPECT_EQ(error.what(),
                  "Regions with a name that a project file cannot hold are not pasted. Door <Clip 1>: " + c.refusal);
    }
}

const std::string Comma = " holds a comma, which the project file puts between the names of a worksheet row";

INSTANTIATE_TEST_SUITE_P(
    Rows, UnstorablePaste,
    testing::Values(PasteCase{"CommaInARow", "Clip1=f.bmp,,x,1.bmp\r\n",
                              "A name in \"f.bmp,,x,1.bmp\"" + Comma
                                  + ": it was read as input frame \"f.bmp\" and output file \"x\"."},
                    PasteCase{"ControlCharacter", "Clip1=f.bmp,,a\x01.bmp\r\n",
                              "Output file holds a control character or a line break, which the project file cannot "
                              "hold."},
                    PasteCase{
                        "QuotedOutput", "Clip1=f.bmp,,\"a.bmp\"\r\n",
                        "Output file \"\"a.bmp\"\" is enclosed in quotes, which the project file does not keep."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
