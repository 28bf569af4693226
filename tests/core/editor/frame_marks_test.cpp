#include "editor/frame_marks.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

struct NameCase {
    std::string a, b;
    bool same;
};

class SameNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(SameNameTest, IgnoresLetterCase)
{
    EXPECT_EQ(SameNameIgnoringCase(GetParam().a, GetParam().b), GetParam().same)
        << GetParam().a << " ~ " << GetParam().b;
    EXPECT_EQ(SameNameIgnoringCase(GetParam().b, GetParam().a), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(Names, SameNameTest,
                         testing::Values(NameCase{"f1.bmp", "F1.BMP", true}, NameCase{"f1.bmp", "f1.bmp ", false},
                                         NameCase{"f1.bmp", "f1.bm", false}, NameCase{"", "", true},
                                         NameCase{"\xC3\xA9t\xC3\xA9.bmp", "\xC3\x89T\xC3\x89.BMP", true},  // été / ÉTÉ
                                         NameCase{"\xC3\x97", "\xC3\xB7", false},  // × and ÷ are no pair
                                         NameCase{"\xE2\x82\xAC.bmp", "\xE2\x82\xAC.BMP", true},  // € stays as it is
                                         NameCase{"\xC3.bmp", "\xC3.BMP", true}, NameCase{"\xC3", "\xE3", false},
                                         NameCase{"[a]", "{A}", false}));

TEST(RegionsPaintedOn, AreTheTextBoxesAndOverlaysListingTheFrameInListOrder)
{
    Project project;
    const RegionKind kinds[] = {RegionKind::Clip,    RegionKind::Background, RegionKind::TextBox, RegionKind::Overlay,
                                RegionKind::TextBox, RegionKind::Overlay,    RegionKind::TextBox};
    for (const RegionKind kind : kinds) {
        auto region = std::make_unique<Region>(0, 0, 10, 10);
        region->RegionType = kind;
        region->InputFrame.set(0, "f2.bmp");
        region->InputFrame.set(49, "F1.Bmp");
        project.Regions.push_back(std::move(region));
    }
    project.Regions[4]->InputFrame.set(49, "");
    project.Regions[5]->InputFrame.set(0, "f1.bmp.bak");
    project.Regions[5]->InputFrame.set(49, "");
    project.Regions[6]->InputFrame = WorksheetColumn();

    EXPECT_EQ(RegionsPaintedOn(project, "f1.bmp"),
              (PaintedRegions{project.Regions[2].get(), project.Regions[3].get()}));
    EXPECT_EQ(RegionsPaintedOn(project, ""), PaintedRegions{}) << "empty cells list no frame";
}

}  // namespace
}  // namespace tolv
