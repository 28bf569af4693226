#include "project/storable_names.h"

#include "core/project/project_lines.h"
#include "project/project_file.h"
#include "support/test_files.h"
#include "support/unstorable_names.h"

#include <gtest/gtest.h>

#include <array>

namespace tolv {
namespace {

class UnstorableNameTest : public testing::TestWithParam<test::UnstorableName> {};

TEST_P(UnstorableNameTest, IsRefusedWithItsReasonAlsoAsARowOfAWorksheet)
{
    const test::UnstorableName& c = GetParam();
    EXPECT_EQ(UnstorableNameReason("Output file", c.name), c.reason);
    std::array<std::string, WorksheetRows> inputs{"f1.bmp", "f2.bmp", "f3.bmp"};
    std::array<std::string, WorksheetRows> outputs{"1.bmp", "2.bmp", c.name};
    EXPECT_EQ(UnstorableWorksheetReason(inputs, outputs), "Row 3: " + c.reason);
}

INSTANTIATE_TEST_SUITE_P(Names, UnstorableNameTest, testing::ValuesIn(test::UnstorableOutputNames()),
                         [](const auto& info) { return std::string(info.param.label); });

struct RowCase {
    const char* name;
    std::string input;
    std::string output;
    std::string reason;  // empty when the row can be stored
};

class StoredRowTest : public testing::TestWithParam<RowCase> {};

// Every row that passes comes back from the file exactly as it was, so the
// rule refuses only what the file would change (and control characters).
TEST_P(StoredRowTest, PassesExactlyTheRowsThatSurviveTheFile)
{
    const RowCase& c = GetParam();
    EXPECT_EQ(UnstorableRowReason(c.input, c.output).value_or(""), c.reason);
    if (!c.reason.empty())
        return;
    test::TempDir dir;
    Project project;
    project.ProjectFolder = dir.path().string();
    project.ProjectFileName = "p.qvl";
    project.SetFrameNames({c.input.empty() ? "f.bmp" : c.input});
    auto region = std::make_unique<Region>(1, 1, 9, 9);
    region->InputFrame.set(0, c.input);
    region->OutputFile.set(0, c.output);
    project.Regions.push_back(std::move(region));
    SaveProject(project);
    Project read;
    Loadfile(read, project.ProjectFilePath());
    ASSERT_EQ(read.Regions.size(), 1u);
    EXPECT_EQ(read.Regions[0]->InputFrame[0], c.input);
    EXPECT_EQ(read.Regions[0]->OutputFile[0], c.output);
    EXPECT_EQ(read.FrameName(1), project.FrameName(1));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredRowTest,
    testing::Values(
        RowCase{"Plain", "f1.bmp", "door/1.bmp", ""}, RowCase{"InputOnly", "f1.bmp", "", ""},
        RowCase{"OutputOnly", "", "1.bmp", ""}, RowCase{"Apostrophe", "don't.bmp", "it's.bmp", ""},
        RowCase{"QuoteAtOneEnd", "'f1.bmp", "1.bmp", ""},
        RowCase{"InnerBlanksAndSigns", "a b=c;d.bmp", "[x] #1.bmp", ""},
        RowCase{"NotAscii", "\xC3\xBC.bmp", "\xE2\x82\xAC.bmp", ""},
        RowCase{"LongestRow", std::string(1000, 'i'), std::string(1045, 'o'), ""},
        RowCase{"RowTooLong", std::string(1000, 'i'), std::string(1046, 'o'),
                "The row is longer than the 2047 characters that a value of the project file holds."},
        RowCase{"RowEnclosedInQuotes", "'f1.bmp", "1.bmp'",
                "Input frame \"'f1.bmp\" starts and output file \"1.bmp'\" ends with the same quote, which the project "
                "file does not keep."},
        RowCase{"InputWithAComma", "a,b.bmp", "1.bmp",
                "Input frame \"a,b.bmp\" holds a comma, which the project file puts between the names of a worksheet "
                "row."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
