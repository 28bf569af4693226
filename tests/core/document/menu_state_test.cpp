#include "document/menu_state.h"

#include "document/document.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

// The menus and the tool bar enabled, as everywhere but in playback.
MenuState Idle(MenuState state)
{
    state.fileMenu = state.editMenu = state.projectMenu = state.helpMenu = state.toolBar = state.pasteRegions = true;
    return state;
}

MenuState WithRegionItems(MenuState state)
{
    state.extractMenu = state.regionProperties = state.hideRegion = state.duplicateRegion = state.copyRegions =
        state.animate = true;
    return state;
}

struct MenuCase {
    const char* name;
    MenuContext context;
    MenuState expected;
};

void PrintTo(const MenuCase& row, std::ostream* out)
{
    *out << row.name;
}

const MenuCase MenuCases[] = {
    {"NoFrames", {}, Idle({})},
    {"NoRegionsOnFirstFrame", {.frameCount = 3, .currentFrame = 1}, Idle({.nextFrame = true})},
    {"RegionsWithoutSelectionOnLastFrame",
     {.hasRegions = true, .frameCount = 3, .currentFrame = 3},
     Idle({.extractMenu = true, .previousFrame = true})},
    {"CurrentRegion",
     {.hasRegions = true, .hasCurrent = true},
     WithRegionItems(Idle({.deleteRegion = true, .cutRegions = true}))},
    {"HiddenCurrentRegion",
     {.hasRegions = true, .hasCurrent = true, .currentRegionHidden = true},
     WithRegionItems(Idle({.hideRegionChecked = true, .deleteRegion = true, .cutRegions = true}))},
    {"LockedLayoutKeepsRegionsFromDeletion",
     {.hasRegions = true, .hasCurrent = true, .layoutLocked = true},
     WithRegionItems(Idle({.lockLayoutChecked = true}))},
    {"UndoAndRedo", {.canUndo = true, .canRedo = true}, Idle({.undo = true, .redo = true})},
    {"AnimatingLeavesOnlyTheStop",
     {.hasRegions = true,
      .layoutLocked = true,
      .animating = true,
      .frameCount = 3,
      .currentFrame = 2,
      .canUndo = true,
      .canRedo = true},
     {.animate = true, .animateChecked = true, .lockLayoutChecked = true}},
};

class MenuStateTable : public testing::TestWithParam<MenuCase> {};

TEST_P(MenuStateTable, EnablesTheItemsOfTheContext)
{
    EXPECT_TRUE(MenuStateFor(GetParam().context) == GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Contexts, MenuStateTable, testing::ValuesIn(MenuCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuContext, ComesFromTheDocument)
{
    Project project;
    project.Regions.push_back(std::make_unique<Region>(0, 0, 10, 10));
    project.Regions.back()->Visible = false;
    project.selection.setCurrent(project.Regions.back().get());
    Document document(std::move(project));
    document.setLockLayout(true);
    const MenuContext context = MenuContextOf(document, false);
    EXPECT_TRUE(context.hasRegions && context.hasCurrent && context.currentRegionHidden && context.layoutLocked
                && context.canUndo && !context.canRedo);
}

}  // namespace
}  // namespace tolv
