#include "editor/spin_value.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

struct SpinCase {
    const char* text;
    int value;
};

class SpinValueTest : public testing::TestWithParam<SpinCase> {};

// The animation delay's range: 1..2000.
TEST_P(SpinValueTest, ReadsWholeNumbersClampedAndAnythingElseAsTheMinimum)
{
    EXPECT_EQ(SpinValue(GetParam().text, 1, 2000), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, SpinValueTest,
                         testing::Values(SpinCase{"400", 400}, SpinCase{" 20 ", 20}, SpinCase{"+7", 7},
                                         SpinCase{"5000", 2000}, SpinCase{"0", 1}, SpinCase{"-3", 1}, SpinCase{"", 1},
                                         SpinCase{"   ", 1}, SpinCase{"abc", 1}, SpinCase{"12abc", 1},
                                         SpinCase{"1.5", 1}, SpinCase{"+-5", 1}, SpinCase{"+", 1},
                                         SpinCase{"99999999999999999999999", 2000},
                                         SpinCase{"-99999999999999999999999", 1}, SpinCase{"2000", 2000},
                                         SpinCase{"1", 1}));

}  // namespace
}  // namespace tolv
