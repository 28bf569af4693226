#include "editing_fixture.h"

#include "gui/extract/extraction_dialog.h"
#include "gui/mainwindow/tool_glyphs.h"

#include <QMenu>

namespace tolv::gui::test {
namespace {

// Undo and redo as the user reaches them: through the real mouse, the
// keys and the menu items of the window.
class Undo : public Editing {
protected:
    QAction& UndoItem() { return *form().ui().undoAction; }
    QAction& RedoItem() { return *form().ui().redoAction; }
    std::string Saved()
    {
        EXPECT_TRUE(form().session().save());
        return tolv::test::ReadText(File("editing.qvl"));
    }
};

TEST_F(Undo, AGroupDragIsOneStepThatTheKeysTakeBackAndForth)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    EXPECT_FALSE(UndoItem().isEnabled());
    Click({15, 15});
    Click({65, 15}, Qt::ShiftModifier);
    Drag({15, 15}, {20, 25}, 5);
    EXPECT_EQ(Rect(0), QRect(15, 20, 20, 20));
    EXPECT_EQ(UndoItem().text(), "&Undo Move 2 Regions");
    EXPECT_TRUE(project().Modified);

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Rect(0), QRect(10, 10, 20, 20));
    EXPECT_EQ(Rect(1), QRect(60, 10, 20, 20));
    EXPECT_EQ(canvas().shownRect(At(1)), QRect(60, 10, 20, 20));
    EXPECT_EQ(project().selection.stateOf(At(0)), SelectionState::Group);
    EXPECT_EQ(project().selection.current(), &At(1));
    EXPECT_FALSE(project().Modified);
    EXPECT_FALSE(UndoItem().isEnabled());
    EXPECT_EQ(RedoItem().text(), "&Redo Move 2 Regions");

    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Rect(1), QRect(65, 20, 20, 20));
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Rect(1), QRect(65, 20, 20, 20));
    EXPECT_TRUE(project().Modified);
}

TEST_F(Undo, ADeleteUndoneSavesTheBytesSavedBeforeIt)
{
    Open({{10, 10, 20, 20, "A"},
          {60, 10, 20, 20, "B", {"Clip1=f1.bmp,,b1.bmp", "Clip2=f2.bmp,,b2.bmp", "Backgrnd=1"}},
          {120, 10, 20, 20, "C"}});
    const std::string before = Saved();
    Click({65, 15});
    Key(Qt::Key_Delete);
    ASSERT_EQ(project().Regions.size(), 2u);
    EXPECT_EQ(form().ui().quickPick->count(), 2);
    EXPECT_EQ(UndoItem().text(), "&Undo Delete Region");

    UndoItem().trigger();
    ASSERT_EQ(project().Regions.size(), 3u);
    EXPECT_EQ(At(1).Name, "B");
    EXPECT_EQ(At(1).OutputFile[1], "b2.bmp");
    EXPECT_EQ(At(1).RegionType, RegionKind::Background);
    EXPECT_EQ(project().selection.current(), &At(1));
    EXPECT_EQ(form().ui().quickPick->itemText(1), "B  ");
    EXPECT_TRUE(canvas().shownRect(At(1)));
    EXPECT_EQ(Saved(), before);
}

TEST_F(Undo, APropertiesEditIsOneStepAndUndoRestsWhileTheDialogIsOpen)
{
    Open({{10, 10, 20, 20, "A"}});
    Click({15, 15});
    Key(Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_TRUE(UndoItem().isEnabled());
    bool undoWhileOpen = true;
    AnswerRegionDialog(true, [&](RegionPropertiesDialog& dialog) {
        undoWhileOpen = UndoItem().isEnabled();
        dialog.setRegionName("Door");
        dialog.setCell(1, 2, "door.bmp");
        dialog.setRegionVisible(false);
    });
    form().ui().propertiesAction->trigger();
    EXPECT_FALSE(undoWhileOpen);
    EXPECT_EQ(At(0).Name, "Door");
    EXPECT_EQ(UndoItem().text(), "&Undo Region Properties");

    UndoItem().trigger();
    EXPECT_EQ(At(0).Name, "A");
    EXPECT_TRUE(At(0).OutputFile[0].empty());
    EXPECT_TRUE(At(0).Visible);
    EXPECT_EQ(form().ui().quickPick->itemText(0), "A  ");
    EXPECT_EQ(UndoItem().text(), "&Undo Nudge Region");
}

TEST_F(Undo, UndoingBackToTheSavedStateLetsTheWindowCloseWithoutAQuestion)
{
    Open({{10, 10, 20, 20, "A"}});
    Drag({15, 15}, {40, 40});
    ASSERT_TRUE(project().Modified);
    UndoItem().trigger();
    ClearMessages();
    EXPECT_TRUE(Close());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Undo, EscDuringADragPutsEverythingBack)
{
    Open({{10, 10, 20, 20, "A"}});
    const QRgb frame = canvas().grab().toImage().pixel(30, 35);
    Press({15, 15});
    MoveTo({20, 20});
    MoveTo({35, 40});
    Key(Qt::Key_Escape);
    MoveTo({50, 50});
    Release({50, 50});
    EXPECT_EQ(Rect(0), QRect(10, 10, 20, 20));
    EXPECT_EQ(project().selection.current(), &At(0)) << "Esc ends the drag, not the selection";
    EXPECT_EQ(canvas().drag().gesture, Gesture::None);
    EXPECT_EQ(canvas().grab().toImage().pixel(30, 35), frame) << "no outline left";
    EXPECT_FALSE(project().Modified);
    EXPECT_FALSE(UndoItem().isEnabled());

    AnswerRegionDialog(true);
    Press({100, 60});
    MoveTo({150, 120});
    Key(Qt::Key_Escape);
    Release({150, 120});
    EXPECT_EQ(project().Regions.size(), 1u);
}

// Seen: a region drawn, pasted or duplicated and taken back left the history
// one step deep for as long as the program ran.
enum class Addition { Drawn, Pasted, Duplicated };

std::string NameOf(Addition addition)
{
    return addition == Addition::Drawn ? "Drawn" : addition == Addition::Pasted ? "Pasted" : "Duplicated";
}

class UndoAfterAnAdd : public Undo, public testing::WithParamInterface<Addition> {
protected:
    void Add()
    {
        switch (GetParam()) {
        case Addition::Drawn:
            AnswerRegionDialog(true);
            Drag({20, 60}, {60, 95});
            // The keys go back to the window once the dialog has gone.
            ActivateWindow(form());
            form().ui().canvasScroll->setFocus();
            break;
        case Addition::Pasted:
            Click({110, 110});
            Key(Qt::Key_C, Qt::ControlModifier);
            Key(Qt::Key_V, Qt::ControlModifier);
            break;
        case Addition::Duplicated:
            Click({110, 110});
            Key(Qt::Key_Insert, Qt::ShiftModifier);
            break;
        }
    }
};

TEST_P(UndoAfterAnAdd, KeepsEveryLaterStep)
{
    Open({{100, 100, 50, 40, "A"}, {200, 10, 60, 60, "B"}, {100, 120, 40, 30, "C"}});
    Add();
    ASSERT_EQ(project().Regions.size(), 4u);
    Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(project().Regions.size(), 3u);
    Key(Qt::Key_Escape);
    for (int i = 0; i < 3; ++i) {
        Key(Qt::Key_Tab);
        Key(Qt::Key_Right, Qt::ShiftModifier);
    }
    EXPECT_EQ(Rect(0).left() + Rect(1).left() + Rect(2).left(), 403);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(UndoItem().isEnabled()) << i;
        Key(Qt::Key_Z, Qt::ControlModifier);
    }
    EXPECT_EQ(Rect(0), QRect(100, 100, 50, 40));
    EXPECT_EQ(Rect(1), QRect(200, 10, 60, 60));
    EXPECT_EQ(Rect(2), QRect(100, 120, 40, 30));
    EXPECT_FALSE(UndoItem().isEnabled());
    EXPECT_FALSE(project().Modified);
}

INSTANTIATE_TEST_SUITE_P(Adds, UndoAfterAnAdd, testing::Values(Addition::Drawn, Addition::Pasted, Addition::Duplicated),
                         [](const auto& info) { return NameOf(info.param); });

TEST_F(Undo, AnExtractionSwitchClickedIsAStep)
{
    Open({{10, 10, 20, 20, "A"}});
    emit windows().extraction().switchesChanged(false, true);
    EXPECT_FALSE(project().Clips);
    EXPECT_TRUE(project().Modified);
    EXPECT_EQ(UndoItem().text(), "&Undo Extraction Switches");
    UndoItem().trigger();
    EXPECT_TRUE(project().Clips);
    EXPECT_FALSE(project().Modified);
}

TEST_F(Undo, TheLockButtonsGlyphFollowsTheProjectAfterNew)
{
    Open({{10, 10, 20, 20, "A"}});
    QToolButton& lock = *form().ui().lockButton;
    const auto glyph = [](ToolGlyph g) { return ToolGlyphIcon(g).pixmap(16).toImage(); };
    lock.click();
    EXPECT_EQ(lock.icon().pixmap(16).toImage(), glyph(ToolGlyph::Locked));
    Answer(MsgResult::No);  // no save of the lock
    ChooseFile(File("fresh.qvl"));
    form().session().newProject();
    EXPECT_FALSE(lock.isChecked());
    EXPECT_EQ(lock.icon().pixmap(16).toImage(), glyph(ToolGlyph::Unlocked));
    EXPECT_FALSE(UndoItem().isEnabled());
}

}  // namespace
}  // namespace tolv::gui::test
