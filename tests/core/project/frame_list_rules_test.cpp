#include "project/frame_list_rules.h"

#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

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

TEST(FrameListRules, ListsBmpAndPngFilesOfAFolderInNameOrder)
{
    test::TempDir dir;
    for (const char* name : {"b.BMP", "a.bmp", "C.Bmp", "notes.txt", "bmp", "x.bmp.txt", "frame", "B.png", "d.PNG",
                             "png", "x.png.txt", "e.pn", "f.apng"})
        test::WriteText(dir.file(name), "x");
    std::filesystem::create_directory(dir.path() / "folder.bmp");
    std::filesystem::create_directory(dir.path() / "folder.png");
    EXPECT_EQ(ListFrameFiles(dir.path().string()), (Names{"a.bmp", "b.BMP", "B.png", "C.Bmp", "d.PNG"}));
}

TEST(FrameListRules, AMissingFolderListsNothing)
{
    test::TempDir dir;
    EXPECT_TRUE(ListFrameFiles((dir.path() / "gone").string()).empty());
    test::WriteText(dir.file("file"), "x");
    EXPECT_TRUE(ListFrameFiles(dir.file("file")).empty());
}

struct Move {
    const char* name;
    std::function<ListOrder(std::span<const std::size_t>)> move;
    std::vector<std::size_t> selected;
    ListOrder order;  // of five entries
};

class ListMoveTest : public testing::TestWithParam<Move> {};

TEST_P(ListMoveTest, MovesTheSelectedEntriesTogetherKeepingTheirOrder)
{
    const ListOrder order = GetParam().move(GetParam().selected);
    EXPECT_EQ(order, GetParam().order);
    EXPECT_EQ(MovesAnything(order), order != (ListOrder{0, 1, 2, 3, 4}));
}

ListOrder Up(std::span<const std::size_t> selected)
{
    return OrderMovedUp(5, selected);
}

ListOrder Down(std::span<const std::size_t> selected)
{
    return OrderMovedDown(5, selected);
}

std::function<ListOrder(std::span<const std::size_t>)> To(std::size_t target)
{
    return [target](std::span<const std::size_t> selected) { return OrderMovedTo(5, selected, target); };
}

INSTANTIATE_TEST_SUITE_P(
    Moves, ListMoveTest,
    testing::Values(Move{"UpOne", Up, {2}, {0, 2, 1, 3, 4}}, Move{"UpARun", Up, {2, 3}, {0, 2, 3, 1, 4}},
                    Move{"UpApart", Up, {1, 3}, {1, 0, 3, 2, 4}}, Move{"UpStuckAtTheTop", Up, {0, 1}, {0, 1, 2, 3, 4}},
                    Move{"UpTheOneThatCan", Up, {0, 2}, {0, 2, 1, 3, 4}},
                    Move{"DownARun", Down, {1, 2}, {0, 3, 1, 2, 4}},
                    Move{"DownStuckAtTheBottom", Down, {4}, {0, 1, 2, 3, 4}},
                    Move{"DownTheOneThatCan", Down, {2, 4}, {0, 1, 3, 2, 4}},
                    Move{"ToTheStart", To(0), {1, 3}, {1, 3, 0, 2, 4}},
                    Move{"ToTheEnd", To(5), {0, 2}, {1, 3, 4, 0, 2}}, Move{"OntoItself", To(2), {2}, {0, 1, 2, 3, 4}},
                    Move{"BetweenTheMoved", To(2), {1, 3}, {0, 1, 3, 2, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv
