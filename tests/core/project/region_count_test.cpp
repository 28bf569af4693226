#include "core/project/project_lines.h"
#include "project/project_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

using test::Lines;

struct CountCase {
    const char* name;
    std::vector<std::string> mainLines;
    std::vector<std::string> regionsRead;
    std::string unread;  // the finding; empty when the file was read whole
};

// Three region sections, numbered with a gap, and Main as given.
std::string ProjectWithSections(const std::vector<std::string>& mainLines)
{
    std::string text = "[Main]\r\nVersion2=1\r\n";
    for (const std::string& line : mainLines)
        text += line + "\r\n";
    for (const char* number : {"5", "1", "2"})
        text += Lines({"[Region" + std::string(number) + "]", "Name=r" + std::string(number), "Position=1,1,9,9"});
    return text;
}

class RegionCount : public testing::TestWithParam<CountCase> {};

// A count that is no count reads every section there is and says so; a
// valid count is a file whose deleted regions left their sections behind.
TEST_P(RegionCount, ReadsTheSectionsItCanAndMarksWhatItCannotTell)
{
    const CountCase& c = GetParam();
    test::TempDir dir;
    test::WriteText(dir.file("p.qvl"), ProjectWithSections(c.mainLines));
    Project project;
    Loadfile(project, dir.file("p.qvl"));
    std::vector<std::string> read;
    for (const auto& region : project.Regions)
        read.push_back(region->Name);
    EXPECT_EQ(read, c.regionsRead);
    const std::vector<FileFinding> unread =
        c.unread.empty() ? std::vector<FileFinding>{} : std::vector<FileFinding>{{dir.file("p.qvl"), c.unread}};
    EXPECT_EQ(project.UnreadParts, unread);
}

const std::vector<std::string> AllThree{"r1", "r2", "r5"};
const std::string ThreeRead = "; the 3 region sections present were read.";

INSTANTIATE_TEST_SUITE_P(
    Counts, RegionCount,
    testing::Values(
        CountCase{"Missing", {}, AllThree, "The region count Regions is missing" + ThreeRead},
        CountCase{"Empty", {"Regions="}, AllThree, "The region count Regions= is not a count" + ThreeRead},
        CountCase{"Negative", {"Regions=-1"}, AllThree, "The region count Regions=-1 is not a count" + ThreeRead},
        CountCase{"PastTheIntegerRange",
                  {"Regions=2147483648"},
                  AllThree,
                  "The region count Regions=2147483648 is not a count" + ThreeRead},
        CountCase{"Exponent", {"Regions=1e3"}, AllThree, "The region count Regions=1e3 is not a count" + ThreeRead},
        CountCase{"Whole", {"Regions=5"}, AllThree, ""}, CountCase{"Hexadecimal", {"Regions=$5"}, AllThree, ""},
        CountCase{"SmallerThanTheSections", {"Regions=2"}, {"r1", "r2"}, ""}, CountCase{"Zero", {"Regions=0"}, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegionCount, AFileWithoutCountOrRegionSectionsLostNothing)
{
    Project project;
    LoadProjectText(project, "/nowhere", "p.qvl", Lines({"[Main]", "NudgeStep=4", "[Frames]", "1=a.bmp"}));
    EXPECT_FALSE(project.ReadIncompletely());
}

// Rows written by another program with a comma in a name are read as the
// reader always split them, and each is told.
TEST(MisreadRows, ARowWithMoreNamesThanARowHoldsIsReadAsSplitAndTold)
{
    Project project;
    LoadProjectText(project, "/nowhere", "p.qvl",
                    Lines({"[Main]", "Version2=1", "Regions=1", "[Region1]", "Name=Door", "Position=1,1,9,9",
                           "Clip1=a,b.bmp,,x.bmp", "Clip2=f.bmp,,y.bmp", "Clip3=f.bmp,m,z.bmp", "Clip4=f.bmp"}));
    const Region& door = *project.Regions.at(0);
    EXPECT_EQ(door.InputFrame[0], "a");
    EXPECT_EQ(door.OutputFile[0], "");
    const std::string comma = " holds a comma, which the project file puts between the names of a worksheet row: ";
    EXPECT_EQ(project.MisreadRows,
              (std::vector<FileFinding>{
                  {"Door <Clip 1>",
                   "A name in \"a,b.bmp,,x.bmp\"" + comma + "it was read as input frame \"a\" and output file \"\"."},
                  {"Door <Clip 3>", "A name in \"f.bmp,m,z.bmp\"" + comma
                                        + "it was read as input frame \"f.bmp\" and output file \"z.bmp\"."}}));
    EXPECT_FALSE(project.ReadIncompletely());
}

}  // namespace
}  // namespace tolv
