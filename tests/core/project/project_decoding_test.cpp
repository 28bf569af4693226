#include "core/project/file_kinds.h"
#include "project/project_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

struct DecodingCase {
    const char* name;
    std::string bytes;
    std::string job;
    std::string rep;
    bool incomplete;
};

class ProjectDecoding : public testing::TestWithParam<DecodingCase> {};

// One stray byte changes its own line only; a byte order mark settles the
// encoding of the whole file, and what cannot be decoded is marked.
TEST_P(ProjectDecoding, DecodesEachLineOnItsOwn)
{
    const DecodingCase& c = GetParam();
    test::TempDir dir;
    test::WriteText(dir.file("p.qvl"), c.bytes);
    Project project;
    Loadfile(project, dir.file("p.qvl"));
    EXPECT_EQ(project.Job, c.job);
    EXPECT_EQ(project.Rep, c.rep);
    EXPECT_EQ(project.ReadIncompletely(), c.incomplete);
}

const std::string Utf8Umlaut = "hintergrund_\xC3\xA4.bmp";

INSTANTIATE_TEST_SUITE_P(
    Files, ProjectDecoding,
    testing::Values(DecodingCase{"Utf8", "[Main]\r\nJob=Caf\xC3\xA9\r\nRep=" + Utf8Umlaut + "\r\n", "Caf\xC3\xA9",
                                 Utf8Umlaut, false},
                    DecodingCase{"OneWindows1252Line", "[Main]\r\nJob=Caf\xE9\r\nRep=" + Utf8Umlaut + "\r\n",
                                 "Caf\xC3\xA9", Utf8Umlaut, false},
                    DecodingCase{"Windows1252WithLineFeeds", "[Main]\nJob=\x80 \x93x\x94\nRep=" + Utf8Umlaut + "\n",
                                 "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D", Utf8Umlaut, false},
                    DecodingCase{"ByteOrderMark", "\xEF\xBB\xBF[Main]\r\nJob=Caf\xC3\xA9\r\nRep=" + Utf8Umlaut + "\r\n",
                                 "Caf\xC3\xA9", Utf8Umlaut, false},
                    DecodingCase{"ByteOrderMarkAndAStrayByte",
                                 "\xEF\xBB\xBF[Main]\r\nJob=Caf\xE9\r\nRep=" + Utf8Umlaut + "\r\n", "Caf\xEF\xBF\xBD",
                                 Utf8Umlaut, true},
                    DecodingCase{"ByteOrderMarkAndACutSequence", "\xEF\xBB\xBF[Main]\r\nJob=\xE2\x82!\r\n",
                                 "\xEF\xBF\xBD!", "", true},
                    DecodingCase{"Utf16", test::Utf16(u"[Main]\r\nJob=Caf\u00E9\r\n", false), "Caf\xC3\xA9", "", false},
                    DecodingCase{"Utf16WithALoneSurrogate", test::Utf16(u"[Main]\r\nJob=\xD800!\r\n", true),
                                 "\xEF\xBF\xBD!", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectDecoding, ThePartThatCouldNotBeDecodedIsToldAndGoesWithTheSave)
{
    test::TempDir dir;
    test::WriteText(dir.file("p.qvl"), "\xEF\xBB\xBF[Main]\r\nJob=\xFF\r\n");
    Project project;
    Loadfile(project, dir.file("p.qvl"));
    EXPECT_EQ(project.UnreadParts, (std::vector<FileFinding>{
                                       {dir.file("p.qvl"), "Some bytes of the file are not valid in its encoding; each "
                                                           "was read as the replacement character U+FFFD."}}));
    EXPECT_EQ(IncompleteReadWarning(project), "Some of p.qvl could not be read; saving will write only what was read");
    SaveProject(project);
    EXPECT_FALSE(project.ReadIncompletely());
    EXPECT_NE(test::ReadText(dir.file("p.qvl")).find("Job=\xEF\xBF\xBD\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tolv
