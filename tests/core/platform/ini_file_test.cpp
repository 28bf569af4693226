#include "platform/errors.h"
#include "platform/io/inifile.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace tolv {
namespace {

struct StringCase {
    const char* label;
    std::string text;
    const char* section;
    const char* key;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const StringCase& c)
{
    return out << c.label;
}

class IniReadString : public testing::TestWithParam<StringCase> {};

TEST_P(IniReadString, GivesTheValueAsTheFileRulesSay)
{
    const auto& c = GetParam();
    EXPECT_EQ(IniReader::FromText(c.text).readString(c.section, c.key, "<default>"), c.expected);
}

const std::string kLong(3000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Table, IniReadString,
    testing::Values(
        StringCase{"plain", "[Main]\r\nRep=abc\r\n", "Main", "Rep", "abc"},
        StringCase{"section name in other case", "[MAIN]\r\nRep=abc\r\n", "main", "Rep", "abc"},
        StringCase{"key name in other case", "[Main]\r\nShowPreview=1\r\n", "Main", "ShowPreView", "1"},
        StringCase{"missing key", "[Main]\r\nRep=abc\r\n", "Main", "Job", "<default>"},
        StringCase{"missing section", "[Main]\r\nRep=abc\r\n", "Other", "Rep", "<default>"},
        StringCase{"empty value is empty, not the default", "[Main]\r\nRep=\r\n", "Main", "Rep", ""},
        StringCase{"first occurrence counts", "[Main]\r\nRep=one\r\nrep=two\r\n", "Main", "Rep", "one"},
        StringCase{"only the first section of a name is searched", "[Main]\r\nRep=one\r\n[Main]\r\nJob=two\r\n", "Main",
                   "Job", "<default>"},
        StringCase{"repeated section does not override", "[Main]\r\nRep=one\r\n[main]\r\nRep=two\r\n", "Main", "Rep",
                   "one"},
        StringCase{"value trimmed of blanks and tabs", "[Main]\r\nRep= \t abc \t\r\n", "Main", "Rep", "abc"},
        StringCase{"key trimmed", "[Main]\r\n  Rep  =abc\r\n", "Main", "Rep", "abc"},
        StringCase{"section name trimmed", "  [ Main ]  \r\nRep=abc\r\n", "Main", "Rep", "abc"},
        StringCase{"double quotes removed", "[Main]\r\nRep=\" a b \"\r\n", "Main", "Rep", " a b "},
        StringCase{"single quotes removed", "[Main]\r\nRep='abc'\r\n", "Main", "Rep", "abc"},
        StringCase{"only one pair of quotes", "[Main]\r\nRep=\"\"abc\"\"\r\n", "Main", "Rep", "\"abc\""},
        StringCase{"mismatched quotes stay", "[Main]\r\nRep=\"abc'\r\n", "Main", "Rep", "\"abc'"},
        StringCase{"a lone quote stays", "[Main]\r\nRep=\"\r\n", "Main", "Rep", "\""},
        StringCase{"two quotes give empty", "[Main]\r\nRep=''\r\n", "Main", "Rep", ""},
        StringCase{"quote only at the start stays", "[Main]\r\nRep=\"abc\r\n", "Main", "Rep", "\"abc"},
        StringCase{"equals sign inside the value", "[Main]\r\nRep=a=b\r\n", "Main", "Rep", "a=b"},
        StringCase{"long value cut at 2047", "[Main]\r\nRep=" + kLong + "\r\n", "Main", "Rep", std::string(2047, 'x')},
        StringCase{"cut counts characters, not bytes",
                   "[Main]\r\nRep=" +
                       [] {
                           std::string s;
                           for (int i = 0; i < 2100; ++i)
                               s += "\xC3\xA9";
                           return s;
                       }()
                       + "\r\n",
                   "Main", "Rep",
                   [] {
                       std::string s;
                       for (int i = 0; i < 2047; ++i)
                           s += "\xC3\xA9";
                       return s;
                   }()},
        StringCase{"comment line carries nothing", "[Main]\r\n;Rep=abc\r\n", "Main", "Rep", "<default>"},
        StringCase{"indented comment", "[Main]\r\n  ;Rep=abc\r\nRep=x\r\n", "Main", "Rep", "x"},
        StringCase{"line without equals ignored", "[Main]\r\nRep\r\nRep=x\r\n", "Main", "Rep", "x"},
        StringCase{"keys before any section belong nowhere", "Rep=abc\r\n[Main]\r\n", "Main", "Rep", "<default>"},
        StringCase{"LF line ends", "[Main]\nRep=abc\nJob=d\n", "Main", "Job", "d"},
        StringCase{"lone CR line ends", "[Main]\rRep=abc\rJob=d", "Main", "Job", "d"},
        StringCase{"no line end at the end", "[Main]\r\nRep=abc", "Main", "Rep", "abc"},
        StringCase{"UTF-8 read as is", "[Main]\r\nRep=caf\xC3\xA9\r\n", "Main", "Rep", "caf\xC3\xA9"},
        StringCase{"Windows-1252 converted", "[Main]\r\nRep=caf\xE9 \x80\x9F\r\n", "Main", "Rep",
                   "caf\xC3\xA9 \xE2\x82\xAC\xC5\xB8"},
        StringCase{"unassigned 1252 byte keeps its code", "[Main]\r\nRep=\x81\r\n", "Main", "Rep", "\xC2\x81"},
        StringCase{"byte order mark dropped", "\xEF\xBB\xBF[Main]\r\nRep=abc\r\n", "Main", "Rep", "abc"},
        StringCase{"NUL bytes are ordinary characters", std::string("[Main]\r\nRep=a\0b\r\n", 16), "Main", "Rep",
                   std::string("a\0b", 3)},
        StringCase{"section header without closing bracket", "[Main\r\nRep=abc\r\n", "Main", "Rep", "abc"}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.label))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

struct IntegerCase {
    const char* value;
    int expected;
};

class IniReadInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(IniReadInteger, ParsesOrGivesTheDefault)
{
    const auto reader = IniReader::FromText(std::string("[Main]\r\nN=") + GetParam().value + "\r\n");
    EXPECT_EQ(reader.readInteger("Main", "N", -77), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Table, IniReadInteger,
                         testing::Values(IntegerCase{"42", 42}, IntegerCase{"-42", -42}, IntegerCase{"+7", 7},
                                         IntegerCase{"  12  ", 12}, IntegerCase{"\"12\"", 12}, IntegerCase{"$ff", 255},
                                         IntegerCase{"0x1F", 31}, IntegerCase{"0XaB", 171}, IntegerCase{"-$10", -16},
                                         IntegerCase{"2147483647", 2147483647},
                                         IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"2147483648", -77},
                                         IntegerCase{"-2147483649", -77}, IntegerCase{"$FFFFFFFF", -77},
                                         IntegerCase{"99999999999999999999", -77}, IntegerCase{"", -77},
                                         IntegerCase{"abc", -77}, IntegerCase{"12abc", -77}, IntegerCase{"1 2", -77},
                                         IntegerCase{"$", -77}, IntegerCase{"0x", -77}, IntegerCase{"-", -77},
                                         IntegerCase{"$fg", -77}, IntegerCase{"1.5", -77}, IntegerCase{"0", 0}));

TEST(IniReadBool, IsAnIntegerAndNonZeroIsTrue)
{
    const auto reader = IniReader::FromText("[M]\r\nA=1\r\nB=0\r\nC=-3\r\nD=\r\nE=yes\r\n");
    EXPECT_TRUE(reader.readBool("M", "A", false));
    EXPECT_FALSE(reader.readBool("M", "B", true));
    EXPECT_TRUE(reader.readBool("M", "C", false));
    EXPECT_TRUE(reader.readBool("M", "D", true));
    EXPECT_FALSE(reader.readBool("M", "E", false));
    EXPECT_TRUE(reader.readBool("M", "Missing", true));
}

TEST(IniSectionExists, OnlyWhenTheFirstSectionOfTheNameHoldsAKey)
{
    const auto reader = IniReader::FromText("[Empty]\r\n;x=1\r\n[Full]\r\nk=\r\n[Later]\r\n[later]\r\nk=1\r\n");
    EXPECT_FALSE(reader.sectionExists("Empty"));
    EXPECT_TRUE(reader.sectionExists("FULL"));
    EXPECT_FALSE(reader.sectionExists("Later"));
    EXPECT_FALSE(reader.sectionExists("Nowhere"));
}

TEST(IniReadFile, MissingFileReadsAsEmpty)
{
    test::TempDir dir;
    const auto reader = IniReader::FromFile(dir.file("absent.ini"));
    EXPECT_FALSE(reader.sectionExists("Main"));
    EXPECT_EQ(reader.readInteger("Main", "N", 5), 5);
}

TEST(IniReadFile, ReadsTheBytesOfTheFile)
{
    test::TempDir dir;
    test::WriteText(dir.file("a.ini"), "[Main]\r\nRep=\xE9t\xE9\r\n");
    EXPECT_EQ(IniReader::FromFile(dir.file("a.ini")).readString("Main", "Rep", ""), "\xC3\xA9t\xC3\xA9");
}

TEST(IniReadFile, AFolderInsteadOfAFileIsAReadError)
{
    test::TempDir dir;
    EXPECT_THROW(IniReader::FromFile(dir.path().string()), FileReadError);
}

TEST(IniReadLarge, TenMegabytesOfKeysAndAHugeLineLoad)
{
    std::string text = "[Main]\r\nHuge=" + std::string(100000, 'h') + "\r\n";
    text.reserve(11 * 1024 * 1024);
    for (int i = 0; text.size() < 10 * 1024 * 1024; ++i)
        text += "Key" + std::to_string(i) + "=value number " + std::to_string(i) + "\r\n";
    text += "[Tail]\r\nLast=end\r\n";
    const auto reader = IniReader::FromText(text);
    EXPECT_EQ(reader.readString("Main", "Huge", "").size(), 2047u);
    EXPECT_EQ(reader.readString("Main", "key12345", ""), "value number 12345");
    EXPECT_EQ(reader.readString("Tail", "Last", ""), "end");
}

TEST(IniWriter, WritesSectionsAndKeysInOrderWithCrLf)
{
    IniWriter writer;
    writer.writeBool("Main", "LockObj", false);
    writer.writeInteger("Main", "NudgeStep", -5);
    writer.writeString("VidIziz", "Clips", "1");
    writer.writeString("Main", "Rep", "");
    writer.writeString("MAIN", "nudgestep", "6");
    EXPECT_EQ(writer.text(), "[Main]\r\nLockObj=0\r\nNudgeStep=6\r\nRep=\r\n[VidIziz]\r\nClips=1\r\n");
}

TEST(IniWriter, LineBreaksInAValueCannotMakeNewEntries)
{
    IniWriter writer;
    writer.writeString("Main", "Rep", "a\r\n[Evil]\nX=1");
    const auto reader = IniReader::FromText(writer.text());
    EXPECT_EQ(reader.readString("Main", "Rep", ""), "a  [Evil] X=1");
    EXPECT_FALSE(reader.sectionExists("Evil"));
}

TEST(IniWriter, RoundTripsThroughAFile)
{
    test::TempDir dir;
    IniWriter writer;
    writer.writeString("Frames", "1", "walk01.bmp");
    writer.writeInteger("Region1", "BoxColor", 16777215);
    writer.save(dir.file("p.qvl"));
    const auto reader = IniReader::FromFile(dir.file("p.qvl"));
    EXPECT_EQ(reader.readString("Frames", "1", ""), "walk01.bmp");
    EXPECT_EQ(reader.readInteger("Region1", "BoxColor", 0), 16777215);
}

TEST(IniWriter, SaveIntoAMissingFolderRaisesTheWriteError)
{
    test::TempDir dir;
    const std::string path = dir.file("no/such/p.qvl");
    try {
        IniWriter().save(path);
        FAIL() << "no error";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}

using Updates = std::vector<std::tuple<std::string, std::string, std::string>>;

const Updates kSettings = {
    {"Paths", "Projects", "/home/a"}, {"Paths", "Overlays", "/home/b"}, {"Main", "AnimationDelay", "400"}};

TEST(UpdateIniKeys, CreatesAMissingFileInTheOrderGiven)
{
    test::TempDir dir;
    UpdateIniKeys(dir.file("s.ini"), kSettings);
    EXPECT_EQ(test::ReadText(dir.file("s.ini")),
              "[Paths]\r\nProjects=/home/a\r\nOverlays=/home/b\r\n[Main]\r\nAnimationDelay=400\r\n");
}

TEST(UpdateIniKeys, KeepsEveryOtherLineAsItIs)
{
    test::TempDir dir;
    test::WriteText(dir.file("s.ini"),
                    "; my settings\n[Other]\nX = 1\n\n[paths]\nOverlays=old\nextra=keep\n  ; note\n\n\n"
                    "[Main]\nAnimationDelay=9\nAnimationDelay=10\n[Paths]\nProjects=second\n");
    UpdateIniKeys(dir.file("s.ini"), kSettings);
    EXPECT_EQ(test::ReadText(dir.file("s.ini")),
              "; my settings\r\n[Other]\r\nX = 1\r\n\r\n[paths]\r\nOverlays=/home/b\r\nextra=keep\r\n  ; note\r\n"
              "Projects=/home/a\r\n\r\n\r\n[Main]\r\nAnimationDelay=400\r\nAnimationDelay=10\r\n[Paths]\r\n"
              "Projects=second\r\n");
}

TEST(UpdateIniKeys, AddsMissingSectionsAtTheEnd)
{
    test::TempDir dir;
    test::WriteText(dir.file("s.ini"), "[Main]\r\nAnimationDelay=1\r\nOwn=x");
    UpdateIniKeys(dir.file("s.ini"), kSettings);
    EXPECT_EQ(test::ReadText(dir.file("s.ini")),
              "[Main]\r\nAnimationDelay=400\r\nOwn=x\r\n[Paths]\r\nProjects=/home/a\r\nOverlays=/home/b\r\n");
}

TEST(UpdateIniKeys, ConvertsAWindows1252FileToUtf8)
{
    test::TempDir dir;
    test::WriteText(dir.file("s.ini"), "[Other]\r\nName=Andr\xE9\r\n");
    UpdateIniKeys(dir.file("s.ini"), {{"Main", "Who", "J\xC3\xB8rn"}});
    const auto reader = IniReader::FromFile(dir.file("s.ini"));
    EXPECT_EQ(reader.readString("Other", "Name", ""), "Andr\xC3\xA9");
    EXPECT_EQ(reader.readString("Main", "Who", ""), "J\xC3\xB8rn");
}

TEST(UpdateIniKeys, FailureLeavesTheOldFileIntact)
{
    test::TempDir dir;
    // A non-empty folder standing at the file's place makes the final rename fail.
    const std::string path = dir.file("s.ini");
    std::filesystem::create_directory(path);
    test::WriteText(dir.file("s.ini/inside"), "keep");
    EXPECT_THROW(UpdateIniKeys(path, kSettings), FileWriteError);
    EXPECT_EQ(test::ReadText(dir.file("s.ini/inside")), "keep");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left";
}

}  // namespace
}  // namespace tolv
