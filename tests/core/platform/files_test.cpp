#include "platform/errors.h"
#include "platform/io/files.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace tolv {
namespace {

struct PathCase {
    const char* path;
    const char* folder;
    const char* name;
};

class PathParts : public testing::TestWithParam<PathCase> {};

TEST_P(PathParts, SplitAtTheLastSeparator)
{
    EXPECT_EQ(FolderPart(GetParam().path), GetParam().folder) << GetParam().path;
    EXPECT_EQ(NamePart(GetParam().path), GetParam().name) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Table, PathParts,
                         testing::Values(PathCase{"/home/a/p.qvl", "/home/a", "p.qvl"},
                                         PathCase{"/p.qvl", "/", "p.qvl"}, PathCase{"p.qvl", "", "p.qvl"},
                                         PathCase{"rel/p.qvl", "rel", "p.qvl"}, PathCase{"/home/a/", "/home/a", ""},
                                         PathCase{"", "", ""}));

TEST(JoinPath, AddsASeparatorOnlyWhenNeeded)
{
    EXPECT_EQ(JoinPath("/home/a", "f.bmp"), "/home/a/f.bmp");
    EXPECT_EQ(JoinPath("/home/a/", "f.bmp"), "/home/a/f.bmp");
    EXPECT_EQ(JoinPath("/", "f.bmp"), "/f.bmp");
    EXPECT_EQ(JoinPath("", "f.bmp"), "f.bmp");
}

TEST(FileExists, OnlyForRegularFiles)
{
    test::TempDir dir;
    test::WriteText(dir.file("f"), "x");
    EXPECT_TRUE(FileExists(dir.file("f")));
    EXPECT_FALSE(FileExists(dir.path().string()));
    EXPECT_FALSE(FileExists(dir.file("missing")));
    EXPECT_TRUE(DirectoryExists(dir.path().string()));
    EXPECT_FALSE(DirectoryExists(dir.file("f")));
}

TEST(CreateFolder, CreatesOneLevelAndAcceptsAnExistingFolder)
{
    test::TempDir dir;
    CreateFolder(dir.file("out"));
    EXPECT_TRUE(DirectoryExists(dir.file("out")));
    EXPECT_NO_THROW(CreateFolder(dir.file("out")));
    EXPECT_THROW(CreateFolder(dir.file("a/b")), FileWriteError);
    test::WriteText(dir.file("f"), "x");
    EXPECT_THROW(CreateFolder(dir.file("f")), FileWriteError);
}

TEST(WriteFileAtomically, ReplacesTheContentAndKeepsThePermissions)
{
    test::TempDir dir;
    const std::string path = dir.file("f.txt");
    test::WriteText(path, "old content that is longer");
    ::chmod(path.c_str(), 0640);
    WriteFileAtomically(path, std::string("new\0!", 5));
    EXPECT_EQ(test::ReadText(path), std::string("new\0!", 5));
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read
                                                               | std::filesystem::perms::owner_write
                                                               | std::filesystem::perms::group_read);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(WriteFileAtomically, WritesARelativePath)
{
    test::TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    WriteFileAtomically("rel.txt", "r");
    std::filesystem::current_path(previous);
    EXPECT_EQ(test::ReadText(dir.file("rel.txt")), "r");
}

TEST(WriteFileAtomically, FailuresNameThePathAndLeaveNothingBehind)
{
    test::TempDir dir;
    test::WriteText(dir.file("plain"), "x");
    std::filesystem::create_directory(dir.file("busy"));
    test::WriteText(dir.file("busy/inside"), "keep");
    for (const std::string& path : {dir.file("missing/f.txt"), dir.file("plain/f.txt"), dir.file("busy")}) {
        try {
            WriteFileAtomically(path, "content");
            ADD_FAILURE() << "no error for " << path;
        } catch (const FileWriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
        }
    }
    EXPECT_EQ(test::ReadText(dir.file("busy/inside")), "keep");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "temporary file left";
}

TEST(ReadWholeFile, ReadsUpToTheLimit)
{
    test::TempDir dir;
    test::WriteText(dir.file("f"), "12345");
    EXPECT_EQ(ReadWholeFile(dir.file("f"), 5), "12345");
    EXPECT_THROW(ReadWholeFile(dir.file("f"), 4), FileReadError);
}

// A file may hold more than its size said when it was opened: the kernel's
// files give their size as 0.
TEST(ReadWholeFile, ReadsPastTheSizeFoundAtOpening)
{
    const std::string status = ReadWholeFile("/proc/self/status", 1 << 20);
    EXPECT_EQ(status.rfind("Name:", 0), 0u);
    EXPECT_EQ(status.back(), '\n');
    EXPECT_THROW(ReadWholeFile("/proc/self/status", 8), FileReadError);
}

TEST(ReadWholeFile, MissingFilesAndFoldersAreReadErrors)
{
    test::TempDir dir;
    try {
        ReadWholeFile(dir.file("missing"), 100);
        FAIL() << "no error";
    } catch (const FileReadError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to read " + dir.file("missing"));
    }
    EXPECT_THROW(ReadWholeFile(dir.path().string(), 100), FileReadError);
}

}  // namespace
}  // namespace tolv
