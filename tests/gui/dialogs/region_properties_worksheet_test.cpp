#include "region_properties_fixture.h"

#include "gui/dialogs/preview_image.h"
#include "project/region.h"

#include <QCheckBox>
#include <QLineEdit>

namespace tolv::gui {
namespace {

using test::RunModal;
using test::XlistTest;

struct Typed {
    int column;
    const char* text;
    Qt::Key key;
    const char* cell;
};

class XlistCompletion : public XlistTest, public testing::WithParamInterface<Typed> {};

// Real key presses: the name is typed into the always-open cell editor and
// the arrow key completes it before it moves the cursor.
TEST_P(XlistCompletion, ArrowKeysCompleteTheCellBeingEdited)
{
    const Typed typed = GetParam();
    PrepareNew({"f1.bmp"});
    test::ShowActive(dialog);
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, CellCentre(1, typed.column));
    QTest::keyClicks(QApplication::focusWidget(), typed.text);
    QTest::keyClick(QApplication::focusWidget(), typed.key);
    EXPECT_EQ(dialog.cell(2, typed.column), typed.cell);
    dialog.hide();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, XlistCompletion,
    testing::Values(Typed{1, "frame7", Qt::Key_Down, "frame7.bmp"}, Typed{1, "frame7", Qt::Key_Up, "frame7.bmp"},
                    Typed{1, "frame7", Qt::Key_Left, "frame7.bmp"}, Typed{2, "door", Qt::Key_Right, "door.bmp"},
                    Typed{1, "frame7.BMP", Qt::Key_Down, "frame7.BMP"},
                    Typed{1, "frame7.Bmp", Qt::Key_Down, "frame7.Bmp"}, Typed{2, "a.b", Qt::Key_Down, "a.b.bmp"},
                    Typed{1, "", Qt::Key_Down, ""}, Typed{1, "frame7", Qt::Key_Tab, "frame7"}));

TEST_F(XlistTest, CompletionWithoutAnEditorAndNeverOnRowNumbers)
{
    PrepareNew({"f1.bmp"});
    test::ShowActive(dialog);
    dialog.setCell(5, 2, "out");
    Grid()->setCurrentCell(4, WorksheetGrid::OutputColumn);
    Grid()->setFocus();
    QTest::keyClick(Grid(), Qt::Key_Up);
    EXPECT_EQ(dialog.cell(5, 2), "out.bmp");
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, CellCentre(7, 0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    for (int row = 1; row <= 50; ++row)
        ASSERT_EQ(dialog.cell(row, 0), QString::number(row));
    EXPECT_NE(Grid()->currentColumn(), 0) << "the row-number column is fixed";
    dialog.hide();
}

TEST_F(XlistTest, DoubleClickFillsTheFirstEmptyInputFrame)
{
    PrepareNew({"f1.bmp", "f2.bmp"});
    for (int row = 1; row <= 3; ++row)
        dialog.setCell(row, 1, "x.bmp");
    dialog.setCell(4, 2, "keep.bmp");
    test::ShowActive(dialog);
    DoubleClickFrame(1);
    EXPECT_EQ(dialog.cell(4, 1), "f2.bmp");
    EXPECT_EQ(dialog.cell(4, 2), "keep.bmp");
    dialog.hide();
}

TEST_F(XlistTest, DoubleClickDoesNothingWhenAllFiftyRowsAreFilled)
{
    PrepareNew({"f1.bmp"});
    for (int row = 1; row <= 50; ++row)
        dialog.setCell(row, 1, "x.bmp");
    test::ShowActive(dialog);
    DoubleClickFrame(0);
    for (int row = 1; row <= 50; ++row)
        ASSERT_EQ(dialog.cell(row, 1), "x.bmp");
    EXPECT_EQ(Grid()->rowCount(), 50);
    dialog.hide();
}

TEST_F(XlistTest, FramesDropOnlyOntoInputFrameCells)
{
    PrepareNew({"f1.bmp", "f2.bmp"});
    test::ShowActive(dialog);
    frameList()->setCurrentRow(1);
    EXPECT_TRUE(Grid()->sgListDragOver(frameList(), CellCentre(2, 1)));
    Grid()->sgListDragDrop(frameList(), CellCentre(2, 1));
    EXPECT_EQ(dialog.cell(3, 1), "f2.bmp");

    for (const int column : {0, 2}) {
        EXPECT_FALSE(Grid()->sgListDragOver(frameList(), CellCentre(5, column)));
        Grid()->sgListDragDrop(frameList(), CellCentre(5, column));
        EXPECT_EQ(dialog.cell(6, column), column == 0 ? "6" : "") << column;
    }
    auto* name = dialog.findChild<QLineEdit*>("nameEdit");
    EXPECT_FALSE(Grid()->sgListDragOver(name, CellCentre(5, 1))) << "only a list box is a source";
    Grid()->sgListDragDrop(name, CellCentre(5, 1));
    EXPECT_EQ(dialog.cell(6, 1), "");
    EXPECT_EQ(frameList()->count(), 2) << "a dropped frame stays in the list";
    dialog.hide();
}

TEST_F(XlistTest, OpeningNumbersTheRowsAndFocusesTheName)
{
    PrepareNew({"f1.bmp"});
    Grid()->item(9, 0)->setText("x");
    RunModal(dialog, [this] {
        EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QLineEdit*>("nameEdit"));
        EXPECT_EQ(dialog.cell(10, 0), "10");
        EXPECT_EQ(frameList()->currentRow(), 0);
    });
}

TEST_F(XlistTest, EnterAcceptsWithTheCellStillBeingTyped)
{
    PrepareNew({"f1.bmp"});
    const int result = RunModal(dialog, [this] {
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, CellCentre(0, 2));
        QTest::keyClicks(QApplication::focusWidget(), "door.bmp");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    Region region;
    dialog.storeRegion(region);
    EXPECT_EQ(region.OutputFile[0], "door.bmp");
}

TEST_F(XlistTest, ThePreviewStateIsReadAfterCancelToo)
{
    PrepareNew({"f1.bmp"});
    const int result = RunModal(dialog, [this] {
        auto* preview = dialog.findChild<QCheckBox*>("previewCheck");
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(5, preview->height() / 2));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(dialog.showPreview());
}

TEST_F(XlistTest, PreviewShowsTheSelectedFrameAndKeepsThePictureForAMissingOrBadFile)
{
    test::WriteBmp(dir.file("f1.bmp"), 20, 10);
    tolv::test::WriteText(dir.file("text.bmp"), "not a bitmap");
    dialog.clearEdits();
    dialog.resetForNewRegion();
    dialog.setFrames({"f1.bmp", "gone.bmp", "text.bmp"}, dir.path().string(), true);
    test::ShowActive(dialog);
    auto* image = dialog.findChild<PreviewImage*>("preview");
    EXPECT_TRUE(image->isVisible());
    EXPECT_EQ(image->fileName().toStdString(), dir.file("f1.bmp"));
    for (const int missingOrBad : {1, 2}) {
        QTest::mouseClick(frameList()->viewport(), Qt::LeftButton, {},
                          frameList()->visualItemRect(frameList()->item(missingOrBad)).center());
        EXPECT_EQ(image->fileName().toStdString(), dir.file("f1.bmp"));
    }
    EXPECT_EQ(image->pixmap().size(), QSize(20, 10));
    auto* preview = dialog.findChild<QCheckBox*>("previewCheck");
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(5, preview->height() / 2));
    EXPECT_FALSE(image->isVisible());
    dialog.hide();
}

}  // namespace
}  // namespace tolv::gui
