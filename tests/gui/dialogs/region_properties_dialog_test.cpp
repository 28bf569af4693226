#include "gui/dialogs/region_properties_dialog.h"

#include "gui/dialogs/colour_swatch.h"
#include "gui/dialogs/spin_edit.h"
#include "gui/dialogs/worksheet_grid.h"
#include "project/region.h"
#include "region_properties_fixture.h"
#include "support/test_files.h"
#include "support/unstorable_names.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tolv::gui {
namespace {

using test::XlistTest;

TEST_F(XlistTest, ANewRegionShowsTheDefaultsAndTheLastTextBoxOptionsWithAMaroonTitle)
{
    dialog.setTextBoxOptions({false, 33, 4, colors::Yellow, colors::Green});
    dialog.setCell(3, 1, "old.bmp");
    dialog.setRegionName("Old");
    dialog.setTypeIndex(3);
    dialog.setOverlayName("/x/o.bmp");
    dialog.setRegionVisible(false);
    dialog.takeTextBoxOptions();

    PrepareNew({"f1.bmp"});
    EXPECT_EQ(dialog.regionName(), "New Object");
    EXPECT_EQ(dialog.typeIndex(), 0);
    EXPECT_TRUE(dialog.regionVisible());
    EXPECT_EQ(dialog.overlayName(), "");
    EXPECT_EQ(dialog.cell(3, 1), "");
    EXPECT_EQ(dialog.takeTextBoxOptions(), (TextBoxOptions{false, 33, 4, colors::Yellow, colors::Maroon}));
}

TEST_F(XlistTest, GetTextBoxOptionsTurnsOnlyTheTitleSwatchBackToMaroon)
{
    dialog.setTextBoxOptions({true, 25, 3, colors::Aqua, colors::Green});
    EXPECT_EQ(dialog.takeTextBoxOptions(), (TextBoxOptions{true, 25, 3, colors::Aqua, colors::Green}));
    EXPECT_EQ(Title()->fill(), colors::Maroon);
    EXPECT_EQ(dialog.takeTextBoxOptions(), (TextBoxOptions{true, 25, 3, colors::Aqua, colors::Maroon}));
}

struct TypeLayout {
    int index;
    bool backgroundGroupShown;
    bool overlayEnabled;
    bool outputColumnShown;
};

class XlistTypeLayout : public XlistTest, public testing::WithParamInterface<TypeLayout> {};

TEST_P(XlistTypeLayout, FollowsTheChosenType)
{
    const TypeLayout layout = GetParam();
    PrepareNew({"f1.bmp"});
    test::ShowActive(dialog);
    ClickType(layout.index == 0 ? 2 : 0);
    ClickType(layout.index);
    EXPECT_EQ(dialog.typeIndex(), layout.index);
    EXPECT_EQ(Child<QGroupBox>("boxGroup")->isVisible(), layout.backgroundGroupShown);
    EXPECT_TRUE(Child<QGroupBox>("textBoxGroup")->isVisible()) << "only covered, never hidden";
    EXPECT_EQ(Child<QLineEdit>("overlayEdit")->isEnabled(), layout.overlayEnabled);
    EXPECT_EQ(Child<QPushButton>("browseButton")->isEnabled(), layout.overlayEnabled);
    EXPECT_EQ(!Grid()->isColumnHidden(WorksheetGrid::OutputColumn), layout.outputColumnShown);
    dialog.hide();
}

INSTANTIATE_TEST_SUITE_P(Types, XlistTypeLayout,
                         testing::Values(TypeLayout{0, true, false, true}, TypeLayout{1, true, false, true},
                                         TypeLayout{2, false, false, false}, TypeLayout{3, true, true, false}));

TEST_F(XlistTest, ChangingToATextBoxAndBackKeepsTheOutputNames)
{
    Region region;
    region.InputFrame.set(0, "f1.bmp");
    region.OutputFile.set(0, "door.bmp");
    dialog.clearEdits();
    dialog.loadRegion(region);
    dialog.setTypeIndex(2);
    Region stored;
    dialog.storeRegion(stored);
    EXPECT_EQ(stored.RegionType, RegionKind::TextBox);
    EXPECT_EQ(stored.OutputFile[0], "door.bmp") << "a column out of view is still read back";
    dialog.setTypeIndex(0);
    EXPECT_FALSE(Grid()->isColumnHidden(WorksheetGrid::OutputColumn));
    EXPECT_EQ(dialog.cell(1, 2), "door.bmp");
}

// A region may list more rows than the project has frames (rows name frames,
// not positions): OK stores every row as it was.
TEST_F(XlistTest, ShowsAllFiftyRowsWhateverTheFrameCountAndStoresThemAsTheyWere)
{
    Region region;
    for (int row : {0, 7, 8, 11, 49}) {
        region.InputFrame.set(row, "in" + std::to_string(row + 1) + ".bmp");
        region.OutputFile.set(row, "out" + std::to_string(row + 1) + ".bmp");
    }
    PrepareNew({"f1.bmp", "f2.bmp", "f3.bmp", "f4.bmp", "f5.bmp", "f6.bmp", "f7.bmp", "f8.bmp"});
    dialog.loadRegion(region);
    EXPECT_EQ(dialog.cell(12, 1), "in12.bmp");
    EXPECT_EQ(dialog.cell(50, 2), "out50.bmp");
    Region stored;
    dialog.storeRegion(stored);
    EXPECT_EQ(stored.InputFrame, region.InputFrame);
    EXPECT_EQ(stored.OutputFile, region.OutputFile);
}

TEST_F(XlistTest, LoadsAndStoresEveryFieldOfATextBox)
{
    Region region;
    region.Name = "Caption";
    region.Visible = false;
    region.RegionType = RegionKind::TextBox;
    region.OVLName = "/overlays/o.bmp";
    region.Title = true;
    region.TitleHeight = 12;
    region.LineWidth = 5;
    region.BoxColor = colors::Silver;
    region.TitleColor = colors::Blue;
    region.InputFrame.set(1, "f2.bmp");
    dialog.clearEdits();
    dialog.loadRegion(region);

    Region stored;
    dialog.storeRegion(stored);
    EXPECT_EQ(stored.Name, "Caption");
    EXPECT_FALSE(stored.Visible);
    EXPECT_EQ(stored.RegionType, RegionKind::TextBox);
    EXPECT_EQ(stored.OVLName, "/overlays/o.bmp");
    EXPECT_TRUE(stored.Title);
    EXPECT_EQ(stored.TitleHeight, 12);
    EXPECT_EQ(stored.LineWidth, 5);
    EXPECT_EQ(stored.BoxColor, colors::Silver);
    EXPECT_EQ(stored.TitleColor, colors::Blue);
    EXPECT_EQ(stored.InputFrame[1], "f2.bmp");
    EXPECT_EQ(Title()->fill(), colors::Maroon);
}

TEST_F(XlistTest, StoresWhatWasTypedWithoutValidation)
{
    const QString longName(10000, QChar('n'));
    dialog.clearEdits();
    dialog.setRegionName(longName);
    dialog.setOverlayName("");
    dialog.setCell(1, 1, "a,b;c=d.bmp");
    dialog.setCell(50, 2, " spaced name ");
    Region region;
    region.TitleHeight = 0;
    dialog.setTypeIndex(2);
    auto* titleHeight = Child<SpinEdit>("titleHeightSpin");
    titleHeight->findChild<QLineEdit*>()->setText("abc");
    dialog.storeRegion(region);
    EXPECT_EQ(region.Name, longName.toStdString());
    EXPECT_EQ(region.InputFrame[0], "a,b;c=d.bmp");
    EXPECT_EQ(region.OutputFile[49], " spaced name ");
    EXPECT_EQ(region.TitleHeight, 10) << "text that is not a number reads as the minimum";
}

TEST_F(XlistTest, UncheckingTheTitleAreaHidesItsSwatchAndGreysTheHeight)
{
    dialog.setTextBoxOptions({true, 20, 1, colors::White, colors::Maroon});
    dialog.setTypeIndex(2);
    test::ShowActive(dialog);
    auto* title = Child<QCheckBox>("titleCheck");
    QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(5, title->height() / 2));
    EXPECT_FALSE(title->isChecked());
    EXPECT_FALSE(Title()->isVisible());
    EXPECT_FALSE(Child<SpinEdit>("titleHeightSpin")->isEnabled());
    QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(5, title->height() / 2));
    EXPECT_TRUE(Title()->isVisible());
    EXPECT_TRUE(Child<SpinEdit>("titleHeightSpin")->isEnabled());
    dialog.hide();
}

TEST_F(XlistTest, TheSwatchesFollowTitleHeightAndLineWidth)
{
    dialog.setTextBoxOptions({true, 20, 1, colors::White, colors::Maroon});
    auto* height = Child<SpinEdit>("titleHeightSpin");
    auto* line = Child<SpinEdit>("lineWidthSpin");
    height->setValue(37);
    line->setValue(4);
    EXPECT_EQ(Title()->height(), 37);
    EXPECT_EQ(Title()->penWidth(), 4);
    EXPECT_EQ(Box()->penWidth(), 4);
    height->setValue(99);
    EXPECT_EQ(height->value(), 40);
    line->setValue(0);
    EXPECT_EQ(line->value(), 1);
}

TEST_F(XlistTest, APressOnASwatchChoosesItsColour)
{
    std::vector<Color> presets;
    std::optional<Color> answer = colors::Green;
    dialog.setColourChooser([&](QWidget*, Color initial) {
        presets.push_back(initial);
        return answer;
    });
    dialog.setTextBoxOptions({true, 20, 1, colors::Yellow, colors::Maroon});
    dialog.setTypeIndex(2);
    test::ShowActive(dialog);

    // Presses go through the window, which finds the swatch on top.
    const auto pressAt = [this](Qt::MouseButton button, QPoint inBox) {
        const QPoint at = Box()->mapTo(&dialog, inBox);
        QTest::mousePress(dialog.windowHandle(), button, {}, at);
        QTest::mouseRelease(dialog.windowHandle(), button, {}, at);
    };
    pressAt(Qt::RightButton, QPoint(50, 70));
    EXPECT_EQ(Box()->fill(), colors::Green);
    pressAt(Qt::LeftButton, QPoint(50, 10));
    EXPECT_EQ(Title()->fill(), colors::Green) << "the title area lies over the top of the box";
    answer.reset();
    pressAt(Qt::LeftButton, QPoint(50, 70));
    EXPECT_EQ(Box()->fill(), colors::Green) << "a cancelled chooser changes nothing";
    EXPECT_EQ(presets, (std::vector<Color>{colors::Yellow, colors::Maroon, colors::Green}));

    dialog.setTextBoxOptions({false, 20, 1, colors::Yellow, colors::Maroon});
    answer = colors::Aqua;
    pressAt(Qt::LeftButton, QPoint(50, 10));
    EXPECT_EQ(Box()->fill(), colors::Aqua) << "without a title area the whole swatch is the box";
    dialog.hide();
}

TEST_F(XlistTest, BrowseTakesTheChosenPictureAndACancelKeepsThePath)
{
    QString folderAsked, nameAsked;
    std::optional<QString> answer = QString("/pictures/star.bmp");
    dialog.setPictureChooser([&](QWidget*, const QString& folder, const QString& name) {
        folderAsked = folder;
        nameAsked = name;
        return answer;
    });
    dialog.setOverlaysRoot("/pictures");
    dialog.setTypeIndex(3);
    dialog.setOverlayName("typed.bmp");
    test::ShowActive(dialog);
    auto* browse = Child<QPushButton>("browseButton");
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_EQ(folderAsked, "/pictures");
    EXPECT_EQ(nameAsked, "typed.bmp");
    EXPECT_EQ(dialog.overlayName(), "/pictures/star.bmp");
    answer.reset();
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_EQ(dialog.overlayName(), "/pictures/star.bmp");
    dialog.hide();
}

}  // namespace
}  // namespace tolv::gui

namespace tolv::gui {
namespace {

class XlistUnstorableName : public test::XlistTest, public testing::WithParamInterface<tolv::test::UnstorableName> {};

// Typed, dropped or filled, a name that the project file cannot hold greys
// OK and shows why in red; mended, it frees OK again.
TEST_P(XlistUnstorableName, GreysOkWithTheReasonUntilTheNameIsMended)
{
    PrepareNew({"f1.bmp"});
    dialog.setCell(2, 1, "f1.bmp");
    auto* note = Child<QLabel>("refusalNote");
    // The fill dialog inside has an OK of its own.
    auto* ok = note->parentWidget()->findChild<QPushButton*>("OKBtn");
    EXPECT_TRUE(ok->isEnabled());
    dialog.setCell(3, 2, QString::fromStdString(GetParam().name));
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(dialog.refusal().toStdString(), "Row 3: " + GetParam().reason);
    EXPECT_EQ(note->palette().color(QPalette::WindowText), QColor(Qt::red));
    dialog.done(QDialog::Accepted);
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "OK cannot close it by other means either";

    dialog.setCell(3, 2, "mended.bmp");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.refusal(), "");
}

INSTANTIATE_TEST_SUITE_P(Names, XlistUnstorableName, testing::ValuesIn(tolv::test::UnstorableOutputNames()),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(XlistTest, AnInputFrameThatCannotBeStoredIsRefusedToo)
{
    Region region;
    region.InputFrame.set(4, "a,b.bmp");
    PrepareNew({"f1.bmp"});
    dialog.loadRegion(region);
    EXPECT_FALSE(Child<QLabel>("refusalNote")->parentWidget()->findChild<QPushButton*>("OKBtn")->isEnabled());
    EXPECT_EQ(dialog.refusal(), "Row 5: Input frame \"a,b.bmp\" holds a comma, which the project file puts between the "
                                "names of a worksheet row.");
}

}  // namespace
}  // namespace tolv::gui
