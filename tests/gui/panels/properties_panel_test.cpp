#include "gui/editor/editing_fixture.h"

#include "gui/panels/properties_panel.h"
#include "gui/panels/regions_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeView>

namespace tolv::gui::test {
namespace {

// A clip "Ball" and a text box "Note" of the same size, the Properties
// panel shown.
class PropertiesPanelTest : public Editing {
protected:
    void SetUp() override { OpenBoth(); }

    void OpenBoth()
    {
        Open({{10, 10, 20, 20, "Ball"},
              {50, 10, 20, 20, "Note", {"Backgrnd=2", "Title=1", "LineWidth=1", "TitleHeight=12"}}});
        form().propertiesPanel().show();
        QCoreApplication::processEvents();
    }

    template <class W>
    W& Field(const char* name)
    {
        return *Child<W>(form().propertiesPanel(), name);
    }
    // Replaces the text of a field and enters it.
    void Type(QWidget& field, const QString& text)
    {
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Return);
    }
    std::string Saved()
    {
        EXPECT_TRUE(form().session().save());
        return tolv::test::ReadText(File("editing.qvl"));
    }
};

TEST_F(PropertiesPanelTest, AnEditSavesTheBytesOfTheSameEditInRegionObjectProperties)
{
    Click(Rect(1).center());
    AnswerRegionDialog(true, [](RegionPropertiesDialog& dialog) {
        dialog.setRegionName("Sign");
        Child<QSpinBox>(dialog, "lineWidthSpin")->setValue(3);
    });
    form().commands().properties();
    const std::string byDialog = Saved();
    ASSERT_EQ(At(1).LineWidth, 3);

    OpenBoth();
    Click(Rect(1).center());
    Type(Field<QLineEdit>("propertyName"), "Sign");
    Type(Field<QSpinBox>("propertyLineWidth"), "3");
    EXPECT_EQ(Saved(), byDialog);
}

TEST_F(PropertiesPanelTest, EachEditIsOneStepThatUndoShowsUndone)
{
    Click(Rect(0).center());
    Type(Field<QLineEdit>("propertyName"), "Bat");
    EXPECT_EQ(At(0).Name, "Bat");
    EXPECT_EQ(form().document().undoText(), "Undo Region Properties");
    Type(Field<QSpinBox>("propertyWidth"), "35");
    EXPECT_EQ(Rect(0), QRect(10, 10, 35, 20));
    EXPECT_EQ(form().document().undoText(), "Undo Set Geometry");

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Field<QSpinBox>("propertyWidth").value(), 20);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Field<QLineEdit>("propertyName").text(), "Ball");
    EXPECT_FALSE(form().document().canUndo());
}

TEST_F(PropertiesPanelTest, FollowsTheSelectionOnTheCanvasAndInTheRegionsPanel)
{
    Click(Rect(0).center());
    EXPECT_EQ(Field<QLineEdit>("propertyName").text(), "Ball");
    EXPECT_FALSE(Field<QSpinBox>("propertyLineWidth").isEnabled());

    RegionsPanel& regions = form().regionsPanel();
    regions.show();
    QCoreApplication::processEvents();
    const QRect line = regions.list().visualRect(regions.lineOf(1));
    QTest::mouseClick(regions.list().viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(Field<QLineEdit>("propertyName").text(), "Note");
    EXPECT_EQ(Field<QSpinBox>("propertyTitleHeight").value(), 12);
    EXPECT_TRUE(Field<QSpinBox>("propertyLineWidth").isEnabled());

    // Together they share their size, not their names, and take no edits.
    Click(Rect(0).center(), Qt::ShiftModifier);
    EXPECT_EQ(Field<QLineEdit>("propertyName").text(), "");
    EXPECT_EQ(Field<QSpinBox>("propertyWidth").text(), "20");
    EXPECT_EQ(Field<QSpinBox>("propertyX").text(), "");
    EXPECT_FALSE(Field<QLineEdit>("propertyName").isEnabled());

    Key(Qt::Key_Escape);
    EXPECT_EQ(Field<QLabel>("propertiesPlaceholder").text(), "No region selected");
    EXPECT_FALSE(Field<QSpinBox>("propertyWidth").isEnabled());
}

}  // namespace
}  // namespace tolv::gui::test
