#include "editing_fixture.h"

#include "gui/dialogs/sheet_group.h"
#include "sheet/sheet_layout.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <filesystem>

namespace tolv::gui::test {
namespace {

// The Sprite sheet group of Region Object Properties, reached as the user
// reaches it: the region's properties opened from the window, keys and clicks
// on the group.
class SheetGroupTest : public Editing {
protected:
    // A 40 x 30 clip region over three rows of the two 200 x 150 frames.
    void OpenWalk()
    {
        Open({{10, 10, 40, 30, "Walk"}}, {"Clip1=f1.bmp,,w1.bmp", "Clip2=f2.bmp,,w2.bmp", "Clip3=f1.bmp,,w3.bmp"});
        Click({15, 15});
    }

    // Runs `edit` in the region's properties, then closes them with OK.
    void EditProperties(const std::function<void(RegionPropertiesDialog&)>& edit)
    {
        AnswerRegionDialog(true, edit);
        form().ui().propertiesAction->trigger();
    }

    // The dialog's own OK, not that of the Fill dialog it holds.
    static QPushButton* OkButton(RegionPropertiesDialog& dialog)
    {
        for (QPushButton* button : dialog.findChildren<QPushButton*>("OKBtn"))
            if (button->window() == &dialog)
                return button;
        return nullptr;
    }
    static void SwitchOn(RegionPropertiesDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier); }
    static QString Caption(RegionPropertiesDialog& dialog) { return Child<QLabel>(dialog, "sheetCaption")->text(); }
};

TEST_F(SheetGroupTest, OkStoresThePackedTrimmedSheetAsOneStepThatUndoTakesBack)
{
    OpenWalk();
    EditProperties([](RegionPropertiesDialog& dialog) {
        ASSERT_FALSE(Child<SheetGroup>(dialog, "sheetGroup")->isChecked());
        SwitchOn(dialog);
        QTest::keyClick(Child<QComboBox>(dialog, "sheetLayoutCombo"), Qt::Key_End);
        QTest::mouseClick(Child<QCheckBox>(dialog, "sheetTrimCheck"), Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    SheetSettings packed;
    packed.File = "Walk.png";
    packed.Layout.Arrangement = SheetArrangement::Packed;
    packed.Layout.Trim = true;
    EXPECT_EQ(At(0).Sheet, packed);

    form().ui().undoAction->trigger();
    EXPECT_EQ(At(0).Sheet, SheetSettings{});
}

// The clips are cut when the group first shows them; a new layout composes
// them again without reading the frames, which are gone by then.
TEST_F(SheetGroupTest, ThePreviewShowsThePlannedSizeOfEachLayoutFromTheClipsCutOnce)
{
    OpenWalk();
    std::vector<QString> captions;
    EditProperties([&](RegionPropertiesDialog& dialog) {
        SwitchOn(dialog);
        captions.push_back(Caption(dialog));
        std::filesystem::remove(File("f1.bmp"));
        std::filesystem::remove(File("f2.bmp"));
        Child<QComboBox>(dialog, "sheetLayoutCombo")->setCurrentIndex(int(SheetArrangement::Grid));
        Child<QSpinBox>(dialog, "sheetColumnsSpin")->setValue(2);
        Child<QSpinBox>(dialog, "sheetPaddingSpin")->setValue(3);
        captions.push_back(Caption(dialog));
    });
    const std::vector<SheetSize> clips(3, {40, 30});
    SheetLayout grid;
    grid.Arrangement = SheetArrangement::Grid;
    grid.Columns = 2;
    grid.Padding = 3;
    std::vector<QString> planned;
    for (const SheetLayout& layout : {SheetLayout{}, grid}) {
        const SheetSize size = PlanSheet(clips, layout).size;
        planned.push_back(QString("%1 x %2 pixels, 3 frames").arg(size.width).arg(size.height));
    }
    EXPECT_EQ(captions, planned);
}

TEST_F(SheetGroupTest, AFrameThatCannotBeReadIsNamedInThePreview)
{
    OpenWalk();
    std::filesystem::remove(File("f2.bmp"));
    QString shown;
    EditProperties([&](RegionPropertiesDialog& dialog) {
        SwitchOn(dialog);
        shown = Child<QLabel>(dialog, "sheetPicture")->text();
    });
    EXPECT_EQ(shown, "frame f2.bmp could not be read");
}

}  // namespace
}  // namespace tolv::gui::test
