#include "gui/dialogs/project_setup_dialog.h"

#include "document/edit_values.h"

#include "dialog_test_support.h"
#include "gui/dialogs/preview_image.h"
#include "project/project.h"
#include "support/test_files.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tolv::gui {
namespace {

using test::MessageRecorder;
using test::RunModal;

class ProjectSetupDialogTest : public testing::Test {
protected:
    ProjectSetupDialogTest()
    {
        for (const char* name : {"c.bmp", "a.bmp", "B.bmp", "b.bmp", "notes.txt"})
            test::WriteBmp(dir.file(name), 8, 6);
        project.ProjectFolder = dir.path().string();
        project.ProjectFileName = "Noname.qvl";
        project.CleanEdges = true;
        project.Rep = "R1";
        project.Job = "J1";
        project.FrameNames = {"a.bmp", "b.bmp"};
    }

    template <class W>
    W* Child(const char* name)
    {
        return test::Child<W>(dialog, name);
    }
    QListWidget* Frames() { return Child<QListWidget>("framesInUse"); }
    QListWidget* Files() { return Child<QListWidget>("fileList"); }

    QStringList FileNames()
    {
        QStringList names;
        for (int i = 0; i < Files()->count(); ++i)
            names << Files()->item(i)->text();
        return names;
    }

    void ClickFile(const QString& name, bool twice)
    {
        QListWidgetItem* item = Files()->findItems(name, Qt::MatchExactly).value(0);
        ASSERT_NE(item, nullptr) << name.toStdString();
        const QPoint at = Files()->visualItemRect(item).center();
        QTest::mouseClick(Files()->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(Files()->viewport(), Qt::LeftButton, {}, at);
    }

    void ClickSort() { QTest::mouseClick(Child<QToolButton>("sortButton"), Qt::LeftButton); }

    tolv::test::TempDir dir;
    Project project;
    ProjectSetupDialog dialog;
};

TEST_F(ProjectSetupDialogTest, SettingsModeShowsTheProjectsFramesOptionsAndFolder)
{
    dialog.fillFromProject(project, false);
    EXPECT_EQ(dialog.frames(), (QStringList{"a.bmp", "b.bmp"}));
    EXPECT_EQ(FileNames(), (QStringList{"a.bmp", "B.bmp", "b.bmp", "c.bmp"}));
    EXPECT_TRUE(dialog.cleanEdges());
    EXPECT_EQ(dialog.rep(), "R1");
    EXPECT_EQ(dialog.job(), "J1");
    RunModal(dialog, [this] {
        EXPECT_EQ(Child<QTabWidget>("pages")->currentIndex(), 0);
        EXPECT_EQ(dialog.statusText().toStdString(), " " + dir.file("Noname.qvl"));
    });
}

TEST_F(ProjectSetupDialogTest, PngFilesAreListedAndChosenLikeBmpFiles)
{
    for (const char* name : {"a.png", "d.PNG", "e.png.txt"})
        tolv::test::WriteText(dir.file(name), "x");
    dialog.fillFromProject(project, true);
    EXPECT_EQ(FileNames(), (QStringList{"a.bmp", "a.png", "B.bmp", "b.bmp", "c.bmp", "d.PNG"}));
    test::ShowActive(dialog);
    ClickFile("d.PNG", true);
    EXPECT_EQ(dialog.frames(), (QStringList{"d.PNG"}));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, NewProjectModeStartsWithAnEmptyListAndTheInheritedOptions)
{
    dialog.fillFromProject(project, true);
    EXPECT_TRUE(dialog.frames().isEmpty());
    EXPECT_TRUE(dialog.cleanEdges());
    EXPECT_EQ(dialog.rep(), "R1");
}

TEST_F(ProjectSetupDialogTest, DoubleClickingAFileTwiceGivesTwoEqualFrames)
{
    dialog.fillFromProject(project, true);
    test::ShowActive(dialog);
    ClickFile("c.bmp", true);
    ClickFile("c.bmp", true);
    EXPECT_EQ(dialog.frames(), (QStringList{"c.bmp", "c.bmp"}));
    dialog.setOptions(false, "R2", "J2");
    EXPECT_EQ(dialog.setup(), (ProjectSetup{{"c.bmp", "c.bmp"}, false, "R2", "J2"}));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, DeleteRemovesTheSelectedEntryOnlyWhenOneIsSelected)
{
    dialog.fillFromProject(project, false);
    test::ShowActive(dialog);
    Frames()->setFocus();
    Frames()->clearSelection();
    QTest::keyClick(Frames(), Qt::Key_Delete);
    EXPECT_EQ(dialog.frames().size(), 2);
    QTest::mouseClick(Frames()->viewport(), Qt::LeftButton, {}, Frames()->visualItemRect(Frames()->item(0)).center());
    QTest::keyRelease(Frames(), Qt::Key_Delete);
    EXPECT_EQ(dialog.frames(), (QStringList{"b.bmp"}));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, DeleteRemovesEverySelectedEntry)
{
    project.FrameNames = {"a.bmp", "b.bmp", "c.bmp"};
    dialog.fillFromProject(project, false);
    test::ShowActive(dialog);
    Frames()->setFocus();
    Frames()->item(0)->setSelected(true);
    Frames()->item(2)->setSelected(true);
    QTest::keyClick(Frames(), Qt::Key_Delete);
    EXPECT_EQ(dialog.frames(), (QStringList{"b.bmp"}));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, DropsAddFilesAndMoveTheListsOwnEntriesUnlessSorting)
{
    dialog.fillFromProject(project, false);
    test::ShowActive(dialog);
    ClickFile("c.bmp", false);
    EXPECT_TRUE(dialog.framesDragOver(Files()));
    dialog.framesDragDrop(Files(), Frames()->visualItemRect(Frames()->item(0)).center());
    EXPECT_EQ(dialog.frames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"})) << "a file goes to the end";
    Frames()->setCurrentRow(0);
    EXPECT_TRUE(dialog.framesDragOver(Frames()));
    const QRect last = Frames()->visualItemRect(Frames()->item(2));
    dialog.framesDragDrop(Frames(), last.center() + QPoint(0, 2));
    EXPECT_EQ(dialog.frames(), (QStringList{"b.bmp", "c.bmp", "a.bmp"})) << "below the middle of the last entry";
    dialog.framesDragDrop(Frames(), Frames()->visualItemRect(Frames()->item(0)).topLeft() + QPoint(2, 1));
    EXPECT_EQ(dialog.frames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"})) << "above the first";
    EXPECT_TRUE(Frames()->item(0)->isSelected()) << "the moved entry stays selected";
    ClickSort();
    Frames()->setCurrentRow(2);
    dialog.framesDragDrop(Frames(), Frames()->visualItemRect(Frames()->item(0)).topLeft() + QPoint(2, 1));
    EXPECT_EQ(dialog.frames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"})) << "sorting keeps the order";
    EXPECT_FALSE(dialog.framesDragOver(Child<QLineEdit>("repEdit")));
    dialog.hide();
}

struct ButtonMove {
    const char* name;
    std::vector<int> selected;
    const char* button;
    QStringList frames;
    bool upEnabled, downEnabled;  // before the click
};

class ProjectSetupMoves : public ProjectSetupDialogTest, public testing::WithParamInterface<ButtonMove> {};

TEST_P(ProjectSetupMoves, MoveButtonsMoveTheSelectedEntriesTogether)
{
    const ButtonMove move = GetParam();
    project.FrameNames = {"a.bmp", "b.bmp", "c.bmp", "d.bmp"};
    dialog.fillFromProject(project, false);
    test::ShowActive(dialog);
    QStringList moved;
    for (const int row : move.selected) {
        Frames()->item(row)->setSelected(true);
        moved << Frames()->item(row)->text();
    }
    EXPECT_EQ(Child<QPushButton>("moveUpButton")->isEnabled(), move.upEnabled);
    EXPECT_EQ(Child<QPushButton>("moveDownButton")->isEnabled(), move.downEnabled);
    QTest::mouseClick(Child<QPushButton>(move.button), Qt::LeftButton);
    EXPECT_EQ(dialog.frames(), move.frames);
    for (int row = 0; row < Frames()->count(); ++row)
        EXPECT_EQ(Frames()->item(row)->isSelected(), moved.contains(Frames()->item(row)->text())) << row;
    dialog.hide();
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ProjectSetupMoves,
    testing::Values(ButtonMove{"UpApart", {1, 3}, "moveUpButton", {"b.bmp", "a.bmp", "d.bmp", "c.bmp"}, true, true},
                    ButtonMove{"DownARun", {1}, "moveDownButton", {"a.bmp", "c.bmp", "b.bmp", "d.bmp"}, true, true},
                    ButtonMove{
                        "DownAtTheBottom", {3}, "moveDownButton", {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectSetupDialogTest, MoveButtonsAreOffWithoutASelectionAndWhileSorting)
{
    dialog.fillFromProject(project, false);
    test::ShowActive(dialog);
    auto* up = Child<QPushButton>("moveUpButton");
    EXPECT_FALSE(up->isEnabled());
    Frames()->item(1)->setSelected(true);
    EXPECT_TRUE(up->isEnabled());
    ClickSort();
    EXPECT_FALSE(up->isEnabled());
    ClickSort();
    Frames()->item(1)->setSelected(true);
    EXPECT_TRUE(up->isEnabled());
    // A mnemonic clicks its button a moment later, as if pressed.
    QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] {
        return dialog.frames() == QStringList{"b.bmp", "a.bmp"};
    })) << "Alt+M reaches the button";
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, TheSortButtonKeepsTheListSortedWhileItIsDown)
{
    project.FrameNames = {"c.bmp", "a.bmp"};
    dialog.fillFromProject(project, false);
    test::ShowActive(dialog);
    ClickSort();
    EXPECT_TRUE(dialog.sorting());
    EXPECT_EQ(dialog.frames(), (QStringList{"a.bmp", "c.bmp"}));
    ClickFile("B.bmp", true);
    EXPECT_EQ(dialog.frames(), (QStringList{"a.bmp", "B.bmp", "c.bmp"}));
    EXPECT_EQ(dialog.setup().FrameNames, (std::vector<std::string>{"a.bmp", "B.bmp", "c.bmp"}));

    ClickSort();
    ClickFile("a.bmp", true);
    EXPECT_EQ(dialog.frames(), (QStringList{"a.bmp", "B.bmp", "c.bmp", "a.bmp"}));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, SortingCarriesOverToTheNextOpening)
{
    ClickSort();
    project.FrameNames = {"c.bmp", "a.bmp"};
    dialog.fillFromProject(project, false);
    EXPECT_EQ(dialog.frames(), (QStringList{"a.bmp", "c.bmp"}));
}

TEST_F(ProjectSetupDialogTest, AFiftyFirstFrameIsRefusedWithAMessage)
{
    MessageRecorder messages;
    project.FrameNames.assign(49, "a.bmp");
    dialog.fillFromProject(project, false);
    test::ShowActive(dialog);
    ClickFile("c.bmp", true);
    EXPECT_TRUE(messages.texts.empty());
    ClickFile("c.bmp", true);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.kinds[0], MsgKind::Information);
    EXPECT_EQ(messages.texts[0], "A project holds at most 50 animation frames.");
    EXPECT_EQ(dialog.frames().size(), 50);
    EXPECT_EQ(dialog.frames().last(), "c.bmp");
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, PreviewLoadsTheClickedFileOnlyWhileChecked)
{
    dialog.fillFromProject(project, false);
    test::ShowActive(dialog);
    auto* image = Child<PreviewImage>("preview");
    ClickFile("c.bmp", false);
    EXPECT_FALSE(image->isVisible());
    auto* preview = Child<QCheckBox>("previewCheck");
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(5, preview->height() / 2));
    ClickFile("c.bmp", false);
    EXPECT_TRUE(image->isVisible());
    EXPECT_EQ(image->fileName().toStdString(), dir.file("c.bmp"));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, EscapeCancels)
{
    dialog.fillFromProject(project, false);
    EXPECT_EQ(RunModal(dialog, [this] { QTest::keyClick(&dialog, Qt::Key_Escape); }), QDialog::Rejected);
}

}  // namespace
}  // namespace tolv::gui

namespace tolv::gui {
namespace {

// A frame file whose name the project file cannot hold stays in sight,
// greyed and out of reach, and the dialog says why.
TEST_F(ProjectSetupDialogTest, FilesWhoseNamesCannotBeStoredAreNotOfferedAndTheReasonShows)
{
    for (const char* name : {"d,e.bmp", " lead.bmp", "tab\there.bmp"})
        test::WriteBmp(dir.file(name), 8, 6);
    dialog.fillFromProject(project, true);
    test::ShowActive(dialog);
    const QString comma =
        "Frame file \"d,e.bmp\" holds a comma, which the project file puts between the names of a worksheet row.";
    EXPECT_EQ(dialog.unofferedText(), "Not offered: Frame file \" lead.bmp\" starts or ends with a blank, which the "
                                      "project file does not keep. (2 more greyed files)");
    for (const QString& name : {QString(" lead.bmp"), QString("d,e.bmp"), QString("tab\there.bmp")}) {
        const QListWidgetItem* item = Files()->findItems(name, Qt::MatchExactly).value(0);
        ASSERT_NE(item, nullptr) << name.toStdString();
        EXPECT_FALSE(item->flags() & Qt::ItemIsEnabled) << name.toStdString();
    }
    EXPECT_EQ(Files()->findItems("d,e.bmp", Qt::MatchExactly).value(0)->toolTip(), comma);
    ClickFile("d,e.bmp", true);
    ClickFile("a.bmp", true);
    EXPECT_EQ(dialog.frames(), QStringList{"a.bmp"});
    dialog.hide();
}

}  // namespace
}  // namespace tolv::gui
