#include "gui/editor/editing_fixture.h"

#include "gui/panels/properties_panel.h"
#include "gui/panels/regions_panel.h"
#include "gui/panels/workspace.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QTreeView>

namespace tolv::gui::test {
namespace {

class RegionsPanelTest : public Editing {
protected:
    void SetUp() override
    {
        Open({{10, 10, 20, 20, "Ball"}, {50, 10, 20, 20, "Bat"}, {90, 10, 20, 20, "Cloud"}});
        panel().show();
        QCoreApplication::processEvents();
    }

    RegionsPanel& panel() { return form().regionsPanel(); }
    QTreeView& list() { return panel().list(); }
    void ClickLine(int position, Qt::KeyboardModifiers mods = {})
    {
        const QRect line = list().visualRect(panel().lineOf(position));
        QTest::mouseClick(list().viewport(), Qt::LeftButton, mods, line.center());
    }
    std::vector<int> LinesShownSelected()
    {
        std::vector<int> rows;
        for (const QModelIndex& index : list().selectionModel()->selectedRows())
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (const auto& region : project().Regions)
            names.push_back(region->Name);
        return names;
    }
};

TEST_F(RegionsPanelTest, SelectingInThePanelSelectsOnTheCanvasAndBack)
{
    ClickLine(1);
    EXPECT_EQ(project().selection.current(), &At(1));
    ClickLine(2, Qt::ControlModifier);
    EXPECT_EQ(project().selection.positions(), (std::vector<int>{1, 2}));
    EXPECT_EQ(LinesShownSelected(), (std::vector<int>{1, 2}));

    Press(Rect(0).center());
    Release(Rect(0).center());
    EXPECT_EQ(project().selection.current(), &At(0));
    EXPECT_EQ(LinesShownSelected(), (std::vector<int>{0}));
    EXPECT_EQ(list().currentIndex(), panel().lineOf(0));
}

// The canvas's keys stay with the canvas: in the list an arrow walks the lines.
TEST_F(RegionsPanelTest, ArrowKeysInTheListWalkItInsteadOfNudging)
{
    ClickLine(0);
    QTest::keyClick(&list(), Qt::Key_Down);
    EXPECT_EQ(project().selection.current(), &At(1));
    EXPECT_EQ(At(0).Top, 10);
    EXPECT_EQ(At(1).Top, 10);
}

TEST_F(RegionsPanelTest, TheCheckBoxAndAReorderAreOneUndoStepEach)
{
    ClickLine(1);
    QTest::keyClick(list().viewport(), Qt::Key_Space);
    EXPECT_FALSE(At(1).Visible);
    EXPECT_EQ(form().document().undoText(), "Undo Hide Region");
    form().document().undo();
    EXPECT_TRUE(At(1).Visible);

    // What a drop of line 0 below line 2 hands the list.
    QAbstractItemModel& lines = *list().model();
    std::unique_ptr<QMimeData> dragged(lines.mimeData({panel().lineOf(0)}));
    lines.dropMimeData(dragged.get(), Qt::MoveAction, 3, 0, {});
    EXPECT_EQ(Names(), (std::vector<std::string>{"Bat", "Cloud", "Ball"}));
    EXPECT_EQ(lines.index(2, 0).data().toString(), "Ball");
    EXPECT_EQ(form().document().undoText(), "Undo Reorder Region");
    form().document().undo();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Ball", "Bat", "Cloud"}));
}

TEST_F(RegionsPanelTest, TheFilterShowsMatchingNamesAndKeepsTheSelection)
{
    ClickLine(2);
    QTest::keyClicks(&panel().filter(), "b");
    EXPECT_EQ(list().model()->rowCount(), 2);
    EXPECT_FALSE(panel().lineOf(2).isValid());
    EXPECT_EQ(project().selection.current(), &At(2));
    panel().filter().clear();
    EXPECT_EQ(LinesShownSelected(), (std::vector<int>{2}));
}

TEST(Workspace, AFirstStartShowsThePanelsAndClassicLayoutHidesThem)
{
    tolv::test::TempDir dir;
    StartupOptions startup;
    startup.ProgramFolder = dir.path().string() + "/";
    ProgramWindows windows(startup);
    MainWindow& form = windows.main();
    EXPECT_FALSE(form.regionsPanel().isHidden());
    EXPECT_FALSE(form.propertiesPanel().isHidden());
    EXPECT_EQ(form.dockWidgetArea(&form.propertiesPanel()), Qt::RightDockWidgetArea);
    // Wider than the classic window, for the panels beside the canvas, and within the screen.
    form.show();
    QCoreApplication::processEvents();
    EXPECT_GT(form.width(), 743);
    EXPECT_LE(form.size().width(), form.screen()->availableGeometry().width());
    EXPECT_LE(form.size().height(), form.screen()->availableGeometry().height());
    form.workspace().classicLayoutAction()->trigger();
    EXPECT_TRUE(form.regionsPanel().isHidden());
    EXPECT_TRUE(form.propertiesPanel().isHidden());
}

}  // namespace
}  // namespace tolv::gui::test
