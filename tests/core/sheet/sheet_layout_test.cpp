#include "sheet/sheet_layout.h"

#include <gtest/gtest.h>

#include <random>

namespace tolv {
namespace {

std::vector<SheetSize> MixedSizes(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> side(1, 40);
    std::vector<SheetSize> sizes;
    for (int i = 0; i < count; ++i)
        sizes.push_back({side(random), side(random)});
    return sizes;
}

struct Cell {
    int left, top, right, bottom;
};

// The frame with its extrusion, and the padding that must stay clear on its
// right and lower side.
Cell Occupied(const SheetSize& size, const SheetPlace& place, const SheetLayout& layout)
{
    return {place.x - layout.Extrude, place.y - layout.Extrude, place.x + size.width + layout.Extrude,
            place.y + size.height + layout.Extrude};
}

bool Apart(const Cell& a, const Cell& b, int padding)
{
    return a.right + padding <= b.left || b.right + padding <= a.left || a.bottom + padding <= b.top
           || b.bottom + padding <= a.top;
}

class EveryLayout : public testing::TestWithParam<SheetLayout> {};

TEST_P(EveryLayout, FramesStayOnTheSheetAndApart)
{
    const SheetLayout layout = GetParam();
    const std::vector<SheetSize> sizes = MixedSizes(37, 7);
    const SheetPlan plan = PlanSheet(sizes, layout);
    ASSERT_EQ(plan.places.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const Cell cell = Occupied(sizes[i], plan.places[i], layout);
        EXPECT_GE(cell.left, 0);
        EXPECT_GE(cell.top, 0);
        EXPECT_LE(cell.right, plan.size.width);
        EXPECT_LE(cell.bottom, plan.size.height);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_TRUE(Apart(cell, Occupied(sizes[j], plan.places[j], layout), layout.Padding)) << i << ", " << j;
    }
    if (layout.Sizing == SheetSizing::PowerOfTwo) {
        EXPECT_EQ(plan.size.width & (plan.size.width - 1), 0);
        EXPECT_EQ(plan.size.height & (plan.size.height - 1), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EveryLayout,
    testing::Values(SheetLayout{SheetArrangement::Row, 1, 0, 0}, SheetLayout{SheetArrangement::Column, 1, 3, 0},
                    SheetLayout{SheetArrangement::Grid, 6, 2, 1}, SheetLayout{SheetArrangement::Packed, 1, 0, 0},
                    SheetLayout{SheetArrangement::Packed, 1, 2, 2},
                    SheetLayout{SheetArrangement::Packed, 1, 1, 0, false, SheetSizing::PowerOfTwo}));

TEST(SheetLayout, RowsAndGridsGoInWorksheetOrder)
{
    const std::vector<SheetSize> sizes{{10, 5}, {4, 8}, {6, 6}};
    struct Case {
        SheetLayout layout;
        SheetSize size;
        std::vector<SheetPlace> places;
    };
    for (const Case& c : {Case{{SheetArrangement::Row, 1, 2}, {24, 8}, {{0, 0}, {12, 0}, {18, 0}}},
                          Case{{SheetArrangement::Column, 1, 0, 1}, {12, 25}, {{1, 1}, {1, 8}, {1, 18}}},
                          Case{{SheetArrangement::Grid, 2, 1}, {21, 17}, {{0, 0}, {11, 0}, {0, 9}}}}) {
        const SheetPlan plan = PlanSheet(sizes, c.layout);
        EXPECT_EQ(plan.size, c.size) << ArrangementText(c.layout);
        EXPECT_EQ(plan.places, c.places) << ArrangementText(c.layout);
    }
}

TEST(SheetLayout, PackingFillsMostOfItsSheet)
{
    const std::vector<SheetSize> sizes = MixedSizes(50, 11);
    double area = 0;
    for (const SheetSize& size : sizes)
        area += double(size.width) * size.height;
    const SheetPlan plan = PlanSheet(sizes, {SheetArrangement::Packed});
    EXPECT_GT(area / (double(plan.size.width) * plan.size.height), 0.6);
}

TEST(SheetLayout, ASheetBeyondTheLimitIsRefused)
{
    const std::vector<SheetSize> wide(3, SheetSize{2700, 10});
    for (const SheetArrangement arrangement : {SheetArrangement::Row, SheetArrangement::Packed}) {
        EXPECT_NO_THROW(PlanSheet(wide, {arrangement})) << int(arrangement);
        EXPECT_THROW(PlanSheet({{MaxSheetSide + 1, 1}}, {arrangement}), SheetTooLargeError) << int(arrangement);
    }
    EXPECT_THROW(PlanSheet(wide, {SheetArrangement::Row, 1, 100}), SheetTooLargeError);
    try {
        PlanSheet({{9000, 2}}, {});
    } catch (const SheetTooLargeError& error) {
        EXPECT_STREQ(error.what(), "the sheet would be 9000 x 2 pixels, more than 8192 on a side");
    }
}

}  // namespace
}  // namespace tolv
