#include "project/frame_list_rules.h"

#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

using Names = std::vector<std::string>;

TEST(FrameListRules, FullAtFiftyFrames)
{
    EXPECT_FALSE(FrameListFull(0));
    EXPECT_FALSE(FrameListFull(49));
    EXPECT_TRUE(FrameListFull(50));
    EXPECT_TRUE(FrameListFull(51));
}

TEST(FrameListRules, SortsIgnoringCaseAndKeepsEqualNamesInTheirOrder)
{
    Names names{"c.bmp", "B.bmp", "a.bmp", "b.bmp", "A.bmp"};
    SortIgnoringCase(names);
    EXPECT_EQ(names, (Names{"a.bmp", "A.bmp", "B.bmp", "b.bmp", "c.bmp"}));
}

TEST(FrameListRules, InsertsBetweenNeighboursIgnoringCase)
{
    const Names sorted{"a.bmp", "c.bmp"};
    EXPECT_EQ(SortedInsertIndex(sorted, "B.bmp"), 1u);
    EXPECT_EQ(SortedInsertIndex(sorted, "0.bmp"), 0u);
    EXPECT_EQ(SortedInsertIndex(sorted, "Z.bmp"), 2u);
    EXPECT_EQ(SortedInsertIndex(sorted, "A.BMP"), 1u) << "an equal name goes after its equals";
    EXPECT_EQ(SortedInsertIndex({}, "x.bmp"), 0u);
}

TEST(FrameListRules, ListsBmpFilesOfAFolderInNameOrder)
{
    test::TempDir dir;
    for (const char* name : {"b.BMP", "a.bmp", "C.Bmp", "notes.txt", "bmp", "x.bmp.txt", "frame"})
        test::WriteText(dir.file(name), "x");
    std::filesystem::create_directory(dir.path() / "folder.bmp");
    EXPECT_EQ(ListBmpFiles(dir.path().string()), (Names{"a.bmp", "b.BMP", "C.Bmp"}));
}

TEST(FrameListRules, AMissingFolderListsNothing)
{
    test::TempDir dir;
    EXPECT_TRUE(ListBmpFiles((dir.path() / "gone").string()).empty());
    test::WriteText(dir.file("file"), "x");
    EXPECT_TRUE(ListBmpFiles(dir.file("file")).empty());
}

}  // namespace
}  // namespace tolv
