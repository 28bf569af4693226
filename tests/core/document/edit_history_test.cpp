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

// An add undone holds its region, which the list held when the add was
// pushed: forgetting the step must take away what was counted for it then.
TEST(EditHistory, ForgettingAnUndoneStepTakesAwayWhatItsPushAdded)
{
    Project project;
    std::vector<RegionListEdit::Slot> slots;
    slots.push_back({0, std::make_unique<Region>(1, 2, 3, 4)});
    slots.back().region->Name = std::string(4000, 'n');
    auto add = std::make_unique<RegionListEdit>(steps::AddRegion, RegionListEdit::Direction::Insert, std::move(slots));
    DocumentChange change;
    add->apply(project, change);

    EditHistory history;
    history.push({std::move(add), {}, {}});
    history.undoStep()->Command->revert(project, change);
    history.stepBack();
    EditStep hide = HideStep();
    const std::size_t hideBytes = hide.bytes();
    history.push(std::move(hide));
    EXPECT_EQ(history.bytes(), hideBytes);
    ASSERT_NE(history.undoStep(), nullptr);
}

}  // namespace
}  // namespace tolv
