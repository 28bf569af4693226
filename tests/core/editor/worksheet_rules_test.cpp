#include "editor/worksheet_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolv {
namespace {

struct Completion {
    const char* cell;
    const char* completed;
};

class CompleteBmpNameTest : public testing::TestWithParam<Completion> {};

TEST_P(CompleteBmpNameTest, AppendsBmpUnlessTheExtensionIsBmpInAnyCase)
{
    EXPECT_EQ(CompleteBmpName(GetParam().cell), GetParam().completed);
}

INSTANTIATE_TEST_SUITE_P(Cells, CompleteBmpNameTest,
                         testing::Values(Completion{"frame7", "frame7.bmp"}, Completion{"frame7.BMP", "frame7.BMP"},
                                         Completion{"frame7.Bmp", "frame7.Bmp"}, Completion{"a.b", "a.b.bmp"},
                                         Completion{"", ""}, Completion{"door.bmp.txt", "door.bmp.txt.bmp"},
                                         Completion{"name.", "name..bmp"}, Completion{".bmp", ".bmp"},
                                         Completion{"dir.v2/frame", "dir.v2/frame.bmp"},
                                         Completion{"dir.v2\\frame", "dir.v2\\frame.bmp"},
                                         Completion{"sub/f1.bmp", "sub/f1.bmp"}, Completion{" ", " .bmp"},
                                         Completion{"frame,7", "frame,7.bmp"}));

TEST(FirstEmptyRow, FindsTheFirstEmptyCellFromTheTop)
{
    std::vector<std::string> cells(50);
    EXPECT_EQ(FirstEmptyRow(cells), 0);
    cells[0] = cells[1] = cells[2] = "f.bmp";
    EXPECT_EQ(FirstEmptyRow(cells), 3);
    cells[3] = "g.bmp";
    cells[1].clear();
    EXPECT_EQ(FirstEmptyRow(cells), 1);
}

TEST(FirstEmptyRow, AllFilledGivesNone)
{
    const std::vector<std::string> cells(50, "f.bmp");
    EXPECT_EQ(FirstEmptyRow(cells), -1);
    EXPECT_EQ(FirstEmptyRow({}), -1);
}

}  // namespace
}  // namespace tolv
