#include "region_properties_fixture.h"

#include "project/region.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

namespace tolv::gui {
namespace {

using test::RunModal;
using test::XlistTest;

QLineEdit* Editor()
{
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

// Puts the current cell on row 1, column `column`, with its editor focused.
void EnterCell(WorksheetGrid* grid, int column)
{
    grid->setFocus();
    grid->setCurrentCell(0, column);
}

class XlistEscape : public XlistTest, public testing::WithParamInterface<const char*> {};

// Esc cancels the dialog wherever the worksheet has the keys: its editor
// with text being typed, or an untouched cell.
TEST_P(XlistEscape, CancelsTheDialogFromTheWorksheet)
{
    PrepareNew({"f1.bmp"});
    const int result = RunModal(dialog, [this] {
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, CellCentre(2, 1));
        QTest::keyClicks(QApplication::focusWidget(), GetParam());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(result, QDialog::Rejected);
}

INSTANTIATE_TEST_SUITE_P(Cells, XlistEscape, testing::Values("", "door"));

struct Arrow {
    const char* name;
    int column;
    const char* cell;  // the cell's text when it is entered
    const char* typed;  // typed into it afterwards
    Qt::Key before;  // pressed before the arrow (Qt::Key_unknown: none)
    Qt::Key arrow;
    int column_after;
    int cursor_after;  // the editor's text cursor; -1 when the column changed
};

class XlistArrows : public XlistTest, public testing::WithParamInterface<Arrow> {};

TEST_P(XlistArrows, LeftAndRightMoveBetweenColumnsUnlessTheyMoveTheTextCursor)
{
    const Arrow arrow = GetParam();
    PrepareNew({"f1.bmp"});
    dialog.setCell(1, arrow.column, arrow.cell);
    test::ShowActive(dialog);
    EnterCell(Grid(), arrow.column);
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), arrow.typed);
    if (arrow.before != Qt::Key_unknown)
        QTest::keyClick(Editor(), arrow.before);
    QTest::keyClick(Editor(), arrow.arrow);
    EXPECT_EQ(Grid()->currentColumn(), arrow.column_after);
    if (arrow.cursor_after >= 0) {
        EXPECT_EQ(Editor()->cursorPosition(), arrow.cursor_after);
    }
    dialog.hide();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, XlistArrows,
    testing::Values(Arrow{"EmptyCellRight", 1, "", "", Qt::Key_unknown, Qt::Key_Right, 2, -1},
                    Arrow{"EnteredCellLeft", 2, "out.bmp", "", Qt::Key_unknown, Qt::Key_Left, 1, -1},
                    Arrow{"TypedTextLeft", 1, "", "abc.bmp", Qt::Key_unknown, Qt::Key_Left, 1, 6},
                    Arrow{"TypedTextRightAtTheEnd", 1, "", "abc.bmp", Qt::Key_unknown, Qt::Key_Right, 2, -1},
                    Arrow{"InsideTheTextRight", 1, "", "abc.bmp", Qt::Key_Home, Qt::Key_Right, 1, 1},
                    Arrow{"LeftOfTheFirstColumnStays", 1, "", "", Qt::Key_unknown, Qt::Key_Left, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RowKey {
    const char* name;
    QKeySequence keys;
    std::vector<std::string> inputs;  // rows 1..4 afterwards
};

class XlistRowKeys : public XlistTest, public testing::WithParamInterface<RowKey> {};

// The shortcut works from inside the cell editor while text is typed, and
// the typed text takes part in the shift.
TEST_P(XlistRowKeys, ShortcutsEditTheCurrentRowFromTheEditor)
{
    const RowKey key = GetParam();
    PrepareNew({"f1.bmp"});
    dialog.setCell(1, 1, "a.bmp");
    dialog.setCell(3, 1, "c.bmp");
    dialog.setCell(2, 2, "out.bmp");
    test::ShowActive(dialog);
    Grid()->setFocus();
    Grid()->setCurrentCell(1, WorksheetGrid::InputColumn);
    QTest::keyClicks(Editor(), "b.bmp");
    QTest::keySequence(Editor(), key.keys);
    std::vector<std::string> inputs;
    for (int row = 1; row <= 4; ++row)
        inputs.push_back(dialog.cell(row, 1).toStdString());
    EXPECT_EQ(inputs, key.inputs);
    EXPECT_EQ(Grid()->currentRow(), 1);
    dialog.hide();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, XlistRowKeys,
    testing::Values(RowKey{"Insert", QKeySequence(Qt::Key_Insert), {"a.bmp", "", "b.bmp", "c.bmp"}},
                    RowKey{"Delete", QKeySequence(Qt::CTRL | Qt::Key_Minus), {"a.bmp", "c.bmp", "", ""}},
                    RowKey{"Clear", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete), {"a.bmp", "", "c.bmp", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(XlistTest, InsertRowIsOfferedOnlyWhileTheLastRowIsEmpty)
{
    PrepareNew({"f1.bmp"});
    test::ShowActive(dialog);
    auto* button = Child<QToolButton>("insertRowButton");
    EXPECT_TRUE(button->isEnabled());
    dialog.setCell(50, 2, "last.bmp");
    EXPECT_FALSE(button->isEnabled());
    Grid()->setFocus();
    Grid()->setCurrentCell(0, WorksheetGrid::InputColumn);
    QTest::keyClick(Editor(), Qt::Key_Insert);
    EXPECT_EQ(dialog.cell(50, 2), "last.bmp");
    QTest::mouseClick(Child<QToolButton>("clearRowButton"), Qt::LeftButton);
    EXPECT_FALSE(button->isEnabled()) << "row 1 was cleared, not row 50";
    Grid()->setCurrentCell(49, WorksheetGrid::InputColumn);
    QTest::mouseClick(Child<QToolButton>("deleteRowButton"), Qt::LeftButton);
    EXPECT_TRUE(button->isEnabled());
    dialog.hide();
}

TEST_F(XlistTest, EveryOpeningShowsBothListsFromTheTop)
{
    std::vector<std::string> frames;
    for (int i = 1; i <= 50; ++i)
        frames.push_back("f" + std::to_string(i) + ".bmp");
    PrepareNew(frames);
    RunModal(dialog, [this] {
        Grid()->setCurrentCell(45, WorksheetGrid::OutputColumn);
        frameList()->scrollToBottom();
        ASSERT_GT(Grid()->verticalScrollBar()->value(), 0);
    });
    PrepareNew(frames);
    RunModal(dialog, [this] {
        EXPECT_EQ(Grid()->verticalScrollBar()->value(), 0);
        EXPECT_EQ(frameList()->verticalScrollBar()->value(), 0);
        EXPECT_EQ(Grid()->currentRow(), 0);
    });
}

}  // namespace
}  // namespace tolv::gui
