#include "gui/dialogs/project_setup_dialog.h"

#include "document/edit_values.h"

#include "dialog_test_support.h"
#include "gui/dialogs/preview_image.h"
#include "project/project.h"
#include "support/test_files.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
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

    void ClickSort()
    {
        QTest::mouseClick(Child<QToolButton>("sortButton"), Qt::LeftButton);
    }

    tolv::test::TempDir dir;
    Project project;
    ProjectSetupDialog dialog;
};

TEST_F(ProjectSetupDialogTest, SettingsModeShowsTheProjectsFramesOptionsAndFolder)
{
    dialog.FillFromProject(project, false);
    EXPECT_EQ(dialog.Frames(), (QStringList{"a.bmp", "b.bmp"}));
    EXPECT_EQ(FileNames(), (QStringList{"a.bmp", "B.bmp", "b.bmp", "c.bmp"}));
    EXPECT_TRUE(dialog.CleanEdges());
    EXPECT_EQ(dialog.Rep(), "R1");
    EXPECT_EQ(dialog.Job(), "J1");
    RunModal(dialog, [this] {
        EXPECT_EQ(Child<QTabWidget>("pages")->currentIndex(), 0);
        EXPECT_EQ(dialog.statusText().toStdString(), " " + dir.file("Noname.qvl"));
    });
}

TEST_F(ProjectSetupDialogTest, NewProjectModeStartsWithAnEmptyListAndTheInheritedOptions)
{
    dialog.FillFromProject(project, true);
    EXPECT_TRUE(dialog.Frames().isEmpty());
    EXPECT_TRUE(dialog.CleanEdges());
    EXPECT_EQ(dialog.Rep(), "R1");
}

TEST_F(ProjectSetupDialogTest, DoubleClickingAFileTwiceGivesTwoEqualFrames)
{
    dialog.FillFromProject(project, true);
    test::ShowActive(dialog);
    ClickFile("c.bmp", true);
    ClickFile("c.bmp", true);
    EXPECT_EQ(dialog.Frames(), (QStringList{"c.bmp", "c.bmp"}));
    dialog.SetOptions(false, "R2", "J2");
    EXPECT_EQ(dialog.Setup(), (ProjectSetup{{"c.bmp", "c.bmp"}, false, "R2", "J2"}));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, DeleteRemovesTheSelectedEntryOnlyWhenOneIsSelected)
{
    dialog.FillFromProject(project, false);
    test::ShowActive(dialog);
    Frames()->setFocus();
    Frames()->clearSelection();
    QTest::keyClick(Frames(), Qt::Key_Delete);
    EXPECT_EQ(dialog.Frames().size(), 2);
    QTest::mouseClick(Frames()->viewport(), Qt::LeftButton, {}, Frames()->visualItemRect(Frames()->item(0)).center());
    QTest::keyRelease(Frames(), Qt::Key_Delete);
    EXPECT_EQ(dialog.Frames(), (QStringList{"b.bmp"}));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, DropsAddFilesButNeverReorderTheList)
{
    dialog.FillFromProject(project, false);
    test::ShowActive(dialog);
    ClickFile("c.bmp", false);
    EXPECT_TRUE(dialog.framesDragOver(Files()));
    dialog.framesDragDrop(Files());
    EXPECT_EQ(dialog.Frames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
    Frames()->setCurrentRow(0);
    EXPECT_TRUE(dialog.framesDragOver(Frames()));
    dialog.framesDragDrop(Frames());
    EXPECT_EQ(dialog.Frames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
    EXPECT_FALSE(dialog.framesDragOver(Child<QLineEdit>("repEdit")));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, TheSortButtonKeepsTheListSortedWhileItIsDown)
{
    project.FrameNames = {"c.bmp", "a.bmp"};
    dialog.FillFromProject(project, false);
    test::ShowActive(dialog);
    ClickSort();
    EXPECT_TRUE(dialog.Sorting());
    EXPECT_EQ(dialog.Frames(), (QStringList{"a.bmp", "c.bmp"}));
    ClickFile("B.bmp", true);
    EXPECT_EQ(dialog.Frames(), (QStringList{"a.bmp", "B.bmp", "c.bmp"}));
    EXPECT_EQ(dialog.Setup().FrameNames, (std::vector<std::string>{"a.bmp", "B.bmp", "c.bmp"}));

    ClickSort();
    ClickFile("a.bmp", true);
    EXPECT_EQ(dialog.Frames(), (QStringList{"a.bmp", "B.bmp", "c.bmp", "a.bmp"}));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, SortingCarriesOverToTheNextOpening)
{
    ClickSort();
    project.FrameNames = {"c.bmp", "a.bmp"};
    dialog.FillFromProject(project, false);
    EXPECT_EQ(dialog.Frames(), (QStringList{"a.bmp", "c.bmp"}));
}

TEST_F(ProjectSetupDialogTest, AFiftyFirstFrameIsRefusedWithAMessage)
{
    MessageRecorder messages;
    project.FrameNames.assign(49, "a.bmp");
    dialog.FillFromProject(project, false);
    test::ShowActive(dialog);
    ClickFile("c.bmp", true);
    EXPECT_TRUE(messages.texts.empty());
    ClickFile("c.bmp", true);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.kinds[0], MsgKind::Information);
    EXPECT_EQ(messages.texts[0], "A project holds at most 50 animation frames.");
    EXPECT_EQ(dialog.Frames().size(), 50);
    EXPECT_EQ(dialog.Frames().last(), "c.bmp");
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, PreviewLoadsTheClickedFileOnlyWhileChecked)
{
    dialog.FillFromProject(project, false);
    test::ShowActive(dialog);
    auto* image = Child<PreviewImage>("preview");
    ClickFile("c.bmp", false);
    EXPECT_FALSE(image->isVisible());
    auto* preview = Child<QCheckBox>("previewCheck");
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(5, preview->height() / 2));
    ClickFile("c.bmp", false);
    EXPECT_TRUE(image->isVisible());
    EXPECT_EQ(image->FileName().toStdString(), dir.file("c.bmp"));
    dialog.hide();
}

TEST_F(ProjectSetupDialogTest, EscapeCancels)
{
    dialog.FillFromProject(project, false);
    EXPECT_EQ(RunModal(dialog, [this] { QTest::keyClick(&dialog, Qt::Key_Escape); }), QDialog::Rejected);
}

}  // namespace
}  // namespace tolv::gui
