#include "editing_fixture.h"

#include <QAction>
#include <QToolButton>

#include <functional>

namespace tolv::gui::test {
namespace {

using EditingCommands = Editing;

TEST_F(EditingCommands, KeypadPlusStopsAtFiftyAndSaysSo)
{
    Open({});
    for (int i = 0; i < 60; ++i)
        Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(project().NudgeStep, 50);
    EXPECT_EQ(Status(2), "Nudge step set to 50.");
    // The step is saved with the project: changing it is an edit, and a run
    // of changes one step.
    EXPECT_TRUE(project().Modified);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(project().NudgeStep, 1);
    EXPECT_FALSE(project().Modified);
}

TEST_F(EditingCommands, KeypadKeysStepAndTheMainBlockKeysDoNot)
{
    Open({});
    form().document().setNudgeStep(5);
    Key(Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_EQ(project().NudgeStep, 1);
    Key(Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_EQ(project().NudgeStep, 11);
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(project().NudgeStep, 10);
    for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Asterisk, Qt::Key_Slash})
        Key(key);
    EXPECT_EQ(project().NudgeStep, 10);
}

TEST_F(EditingCommands, AHeldKeyActsOnceWhenItGoesDown)
{
    Open({});
    QWidget* focus = form().ui().canvasScroll;
    QTest::keyPress(focus, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(project().NudgeStep, 2);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Plus, Qt::KeypadModifier, "+", true);
        QApplication::sendEvent(focus, &release);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, "+", true);
        QApplication::sendEvent(focus, &press);
    }
    QTest::keyRelease(focus, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(project().NudgeStep, 2);
}

// Seen: with the modifier let go 30 ms before the key, the key did nothing,
// since it acted on its release.
struct ModifiedKeyCase {
    const char* name;
    Qt::Key key;
    Qt::Key modifierKey;
    Qt::KeyboardModifier modifier;
    std::function<bool(const Project&, bool propertiesShown)> ran;
};

class ModifierLetGoFirst : public Editing, public testing::WithParamInterface<ModifiedKeyCase> {};

TEST_P(ModifierLetGoFirst, StillRunsTheCommandOfThePress)
{
    const ModifiedKeyCase& c = GetParam();
    Open({{10, 10, 20, 20, "A"}});
    Click({15, 15});
    bool propertiesShown = false;
    AnswerRegionDialog(false, [&propertiesShown](RegionPropertiesDialog&) { propertiesShown = true; });
    QWidget* focus = form().ui().canvasScroll;
    const auto send = [focus](QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers held) {
        QKeyEvent event(type, key, held);
        QApplication::sendEvent(focus, &event);
    };
    send(QEvent::KeyPress, c.modifierKey, c.modifier);
    send(QEvent::KeyPress, c.key, c.modifier);
    send(QEvent::KeyRelease, c.modifierKey, {});
    send(QEvent::KeyRelease, c.key, {});
    EXPECT_TRUE(c.ran(project(), propertiesShown));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ModifierLetGoFirst,
    testing::Values(ModifiedKeyCase{"ShiftRightMoves", Qt::Key_Right, Qt::Key_Shift, Qt::ShiftModifier,
                                    [](const Project& p, bool) { return p.Regions[0]->Left == 11; }},
                    ModifiedKeyCase{"CtrlRightSizes", Qt::Key_Right, Qt::Key_Control, Qt::ControlModifier,
                                    [](const Project& p, bool) { return p.Regions[0]->Width == 21; }},
                    ModifiedKeyCase{"CtrlHHides", Qt::Key_H, Qt::Key_Control, Qt::ControlModifier,
                                    [](const Project& p, bool) { return !p.Regions[0]->Visible; }},
                    ModifiedKeyCase{"CtrlPShowsTheProperties", Qt::Key_P, Qt::Key_Control, Qt::ControlModifier,
                                    [](const Project&, bool shown) { return shown; }},
                    ModifiedKeyCase{"ShiftInsertDuplicates", Qt::Key_Insert, Qt::Key_Shift, Qt::ShiftModifier,
                                    [](const Project& p, bool) { return p.Regions.size() == 2; }}),
    [](const auto& info) { return std::string(info.param.name); });

struct SizeCase {
    const char* name;
    int width, step, expected;
};

class CtrlLeft : public Editing, public testing::WithParamInterface<SizeCase> {};

TEST_P(CtrlLeft, SizesByTheStepWithinTheMinimum)
{
    Open({{10, 10, GetParam().width, 20, "A"}});
    form().document().setNudgeStep(GetParam().step);
    Click({12, 12});
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(At(0).Width, GetParam().expected);
    EXPECT_EQ(At(0).Left, 10);
}

INSTANTIATE_TEST_SUITE_P(Cases, CtrlLeft,
                         testing::Values(SizeCase{"BelowSeven", 12, 10, 2}, SizeCase{"PastZeroStopsAtOne", 20, 30, 1},
                                         SizeCase{"Plain", 20, 5, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditingCommands, ShiftArrowsMoveTheGroupAndBareArrowsDoNothing)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    form().document().setNudgeStep(10);
    Click({15, 15});
    Click({65, 15}, Qt::ShiftModifier);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(Rect(0), QRect(10, 10, 20, 20));
    // Right pressed and released while Shift stays down.
    QWidget* focus = form().ui().canvasScroll;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent right(type, Qt::Key_Right, Qt::ShiftModifier);
        QApplication::sendEvent(focus, &right);
    }
    EXPECT_EQ(Rect(0), QRect(20, 10, 20, 20));
    EXPECT_EQ(Rect(1), QRect(70, 10, 20, 20));
    EXPECT_TRUE(canvas().prefilterHeld()) << "Shift is still down";
    QTest::keyRelease(focus, Qt::Key_Shift);
    EXPECT_FALSE(canvas().prefilterHeld());
}

TEST_F(EditingCommands, TheLockStopsKeyboardMovesSizesAndDeleteButNotTheRest)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    Click({15, 15});
    QTest::mouseClick(form().ui().lockButton, Qt::LeftButton);
    EXPECT_FALSE(form().ui().deleteAction->isEnabled());
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(project().Regions.size(), 2u);
    EXPECT_EQ(Rect(0), QRect(10, 10, 20, 20));
    Key(Qt::Key_Tab);
    EXPECT_EQ(project().selection.current(), &At(1));
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(At(1).Visible);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(project().Regions.size(), 3u);
}

TEST_F(EditingCommands, DuplicateLandsBesideTheOriginalAsTheNewCurrentRegion)
{
    Open({{30, 40, 50, 60, "Door"}, {100, 10, 20, 20, "B"}});
    Click({35, 45});
    Key(Qt::Key_H, Qt::ControlModifier);
    SaveNow();
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(project().Regions.size(), 3u);
    Region& copy = At(2);
    EXPECT_EQ(copy.Name, "Duplicate: Door");
    EXPECT_EQ(Rect(2), QRect(40, 50, 50, 60));
    EXPECT_TRUE(copy.Visible);
    EXPECT_EQ(project().selection.stateOf(copy), SelectionState::Current);
    EXPECT_EQ(project().selection.stateOf(At(0)), SelectionState::None);
    EXPECT_EQ(project().selection.current(), &copy);
    EXPECT_EQ(project().selection.positionOf(copy), 2);
    EXPECT_EQ(form().ui().quickPick->itemText(2), "Duplicate: Door  ");
    ASSERT_TRUE(canvas().shownRect(copy));
    EXPECT_EQ(canvas().hintAt(canvas().shownRect(copy)->bottomRight()), "[Duplicate: Door]  x:40  y:50  w:50  h:60");
    EXPECT_TRUE(project().Modified);
    form().ui().duplicateAction->trigger();
    EXPECT_EQ(At(3).Name, "Duplicate: Duplicate: Door");
    EXPECT_EQ(Rect(3), QRect(50, 60, 50, 60));
}

TEST_F(EditingCommands, CtrlHTogglesTheCurrentRegionAndNeedsOne)
{
    Open({{10, 10, 20, 20, "A"}});
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(At(0).Visible);
    Click({15, 15});
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(At(0).Visible);
    EXPECT_TRUE(form().ui().hideButton->isChecked());
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(At(0).Visible);
    EXPECT_EQ(form().ui().quickPick->itemText(0), "A  ");
}

TEST_F(EditingCommands, TabWithoutRegionsDoesNothing)
{
    Open({});
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(project().selection.current(), nullptr);
    EXPECT_EQ(project().selection.anchor(), -1);
}

TEST_F(EditingCommands, TabAndShiftTabWalkTheRegionsAndEscapeDeselects)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    Key(Qt::Key_Tab);
    EXPECT_EQ(project().selection.current(), &At(0));
    EXPECT_TRUE(form().ui().canvasScroll->hasFocus());
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(project().selection.current(), &At(1));
    Key(Qt::Key_Escape);
    EXPECT_EQ(project().selection.current(), nullptr);
    EXPECT_FALSE(form().ui().propertiesAction->isEnabled());
}

// Seen: Tab stopped on hidden regions, which could then be moved and
// deleted unseen.
TEST_F(EditingCommands, TabPassesOverHiddenRegions)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "Hidden", {"Visible=0"}}, {110, 10, 20, 20, "C"}});
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    EXPECT_EQ(project().selection.current(), &At(2));
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(project().selection.current(), &At(0));
}

TEST_F(EditingCommands, DeleteRemovesTheWholeGroupWithoutAsking)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}, {110, 10, 20, 20, "C"}, {10, 100, 20, 20, "D"}});
    Drag({5, 5}, {150, 50});
    SaveNow();
    Key(Qt::Key_Delete);
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(project().Regions.size(), 1u);
    EXPECT_EQ(At(0).Name, "D");
    EXPECT_EQ(project().selection.positionOf(At(0)), 0);
    EXPECT_EQ(project().selection.current(), nullptr);
    EXPECT_EQ(form().ui().quickPick->count(), 1);
    EXPECT_EQ(form().ui().quickPick->currentIndex(), -1);
    EXPECT_TRUE(project().Modified);
}

TEST_F(EditingCommands, TheNudgeFactorBoxTakesWholeNumbersOnly)
{
    Open({});
    form().document().setNudgeStep(4);
    std::vector<QString> asked;
    std::optional<QString> answer;
    SetInputAnswerer([&](const QString& caption, const QString& prompt, const QString& initial) {
        asked = {caption, prompt, initial};
        return answer;
    });
    answer = "abc";
    QTest::mouseClick(form().ui().nudgeStepButton, Qt::LeftButton);
    EXPECT_EQ(asked, (std::vector<QString>{"Nudge Factor", "Enter a number from 1 to 50", "4"}));
    EXPECT_EQ(project().NudgeStep, 4);
    answer = std::nullopt;
    QTest::mouseClick(form().ui().nudgeStepButton, Qt::LeftButton);
    EXPECT_EQ(project().NudgeStep, 4);
    answer = "12";
    QTest::mouseClick(form().ui().nudgeStepButton, Qt::LeftButton);
    EXPECT_EQ(project().NudgeStep, 12);
    answer = "99";
    QTest::mouseClick(form().ui().nudgeStepButton, Qt::LeftButton);
    EXPECT_EQ(project().NudgeStep, 50);
    EXPECT_EQ(form().ui().undoAction->text(), "&Undo Nudge Step");
}

TEST_F(EditingCommands, RegionPropertiesShowAndStoreTheCurrentRegion)
{
    Open({{10, 10, 20, 20, "A"}}, {"Clip1=f1.bmp,,a1.bmp", "Clip2=f2.bmp,,a2.bmp"});
    Key(Qt::Key_P, Qt::ControlModifier);  // no current region: no dialog
    Click({15, 15});
    AnswerRegionDialog(false, [](RegionPropertiesDialog& dialog) {
        EXPECT_EQ(dialog.regionName(), "A");
        EXPECT_EQ(dialog.cell(2, 2), "a2.bmp");
        dialog.setRegionName("Changed");
    });
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(At(0).Name, "A");
    AnswerRegionDialog(true, [](RegionPropertiesDialog& dialog) {
        dialog.setRegionName("Gate");
        dialog.setRegionVisible(false);
    });
    form().ui().propertiesAction->trigger();
    EXPECT_EQ(At(0).Name, "Gate");
    EXPECT_FALSE(At(0).Visible);
    EXPECT_EQ(form().ui().quickPick->itemText(0), "Gate <Hidden>");
    EXPECT_TRUE(form().ui().hideButton->isChecked());
    EXPECT_EQ(At(0).Left, 10);
}

TEST_F(EditingCommands, TheQuickPickChangesOnlyTheLineOfARenamedRegionAndNothingForAMove)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    int rowsRebuilt = 0;
    QObject::connect(form().ui().quickPick->model(), &QAbstractItemModel::rowsRemoved, &form(),
                     [&rowsRebuilt] { ++rowsRebuilt; });
    Select(1);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    AnswerRegionDialog(true, [](RegionPropertiesDialog& dialog) { dialog.setRegionName("Gate"); });
    form().ui().propertiesAction->trigger();
    EXPECT_EQ(form().ui().quickPick->itemText(1), "Gate  ");
    EXPECT_EQ(form().ui().quickPick->itemText(0), "A  ");
    EXPECT_EQ(rowsRebuilt, 0);
}

}  // namespace
}  // namespace tolv::gui::test
