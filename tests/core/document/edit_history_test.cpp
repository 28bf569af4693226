#include "document/edit_history.h"

#include "document/region_edits.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

EditStep HideStep()
{
    using Edit = RegionFieldEdit<VisibilityField>;
    return {std::make_unique<Edit>(steps::HideRegion, std::vector<Edit::Entry>{{0, true, false}}, false), {}, {}};
}

TEST(EditHistory, BeyondItsBudgetForgetsTheOldestStepsAndWithThemTheCleanPoint)
{
    const std::size_t stepBytes = HideStep().bytes();
    EditHistory history(3 * stepBytes);
    for (int i = 0; i < 5; ++i)
        history.push(HideStep());
    EXPECT_EQ(history.bytes(), 3 * stepBytes);
    int undoable = 0;
    for (; history.undoStep(); ++undoable)
        history.stepBack();
    EXPECT_EQ(undoable, 3);
    EXPECT_FALSE(history.atCleanPoint());
}

}  // namespace
}  // namespace tolv
