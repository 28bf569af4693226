#include "gui/dialogs/preferences_dialog.h"

#include "../dialogs/dialog_test_support.h"
#include "gui/common/folder_chooser_dialog.h"
#include "gui/dialogs/spin_edit.h"
#include "settings/settings.h"
#include "support/test_files.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv::gui {
namespace {

using test::MessageRecorder;
using test::RunModal;

class OptionsTest : public testing::Test {
protected:
    SpinEdit* Delay() { return dialog.findChild<SpinEdit*>("animationDelaySpin"); }
    QLineEdit* Edit(const char* name) { return dialog.findChild<QLineEdit*>(name); }

    PreferencesDialog dialog;
};

TEST_F(OptionsTest, ADelayOutsideTheRangeIsShownAtItsBoundAndStoredSo)
{
    Settings settings;
    settings.AnimationDelay = 5000;
    settings.ProjectsRoot = "/projects";
    settings.OverlaysRoot = "/overlays";
    QTimer::singleShot(0, &dialog, [this] {
        EXPECT_EQ(Delay()->text(), "2000");
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_TRUE(dialog.execute(settings));
    EXPECT_EQ(settings.AnimationDelay, 2000);
    EXPECT_EQ(settings.ProjectsRoot, "/projects");
    EXPECT_EQ(settings.OverlaysRoot, "/overlays");
}

TEST_F(OptionsTest, CancelLeavesEveryValueAsItWas)
{
    Settings settings;
    settings.ProjectsRoot = "/projects";
    settings.OverlaysRoot = "/overlays";
    settings.AnimationDelay = 400;
    QTimer::singleShot(0, &dialog, [this] {
        Edit("projectsPathEdit")->setText("/elsewhere");
        Edit("overlaysPathEdit")->setText("/other");
        Delay()->setValue(90);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.execute(settings));
    EXPECT_EQ(settings.ProjectsRoot, "/projects");
    EXPECT_EQ(settings.OverlaysRoot, "/overlays");
    EXPECT_EQ(settings.AnimationDelay, 400);
}

TEST_F(OptionsTest, OkTakesTheEditedValues)
{
    Settings settings;
    QTimer::singleShot(0, &dialog, [this] {
        Edit("projectsPathEdit")->setText("/elsewhere");
        Edit("overlaysPathEdit")->setText("");
        Delay()->setValue(90);
        dialog.findChild<SpinEdit*>("pngLevelSpin")->setValue(2);
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.execute(settings));
    EXPECT_EQ(settings.ProjectsRoot, "/elsewhere");
    EXPECT_EQ(settings.OverlaysRoot, "");
    EXPECT_EQ(settings.AnimationDelay, 90);
    EXPECT_EQ(settings.PngLevel, 2);
}

struct TypedDelay {
    const char* text;
    int value;
};

class OptionsDelay : public OptionsTest, public testing::WithParamInterface<TypedDelay> {};

TEST_P(OptionsDelay, TypedTextIsClampedWhenTheFieldLosesTheFocus)
{
    dialog.setValues("", "", 400);
    test::ShowActive(dialog);
    Delay()->setFocus();
    Delay()->selectAll();
    QTest::keyClicks(Delay(), GetParam().text);
    EXPECT_EQ(dialog.animationDelay(), GetParam().value);
    Edit("projectsPathEdit")->setFocus();
    EXPECT_EQ(Delay()->text(), QString::number(GetParam().value));
    dialog.hide();
}

INSTANTIATE_TEST_SUITE_P(Texts, OptionsDelay,
                         testing::Values(TypedDelay{"3000", 2000}, TypedDelay{"0", 1}, TypedDelay{"abc", 1},
                                         TypedDelay{"750", 750}));

TEST_F(OptionsTest, ArrowKeysStepByTenWithinTheBounds)
{
    dialog.setValues("", "", 1995);
    test::ShowActive(dialog);
    Delay()->setFocus();
    QTest::keyClick(Delay(), Qt::Key_Up);
    EXPECT_EQ(dialog.animationDelay(), 2000);
    QTest::keyClick(Delay(), Qt::Key_Down);
    EXPECT_EQ(dialog.animationDelay(), 1990);
    dialog.hide();
}

TEST_F(OptionsTest, FolderButtonsChooseForTheirOwnEditAndCancelKeepsTheText)
{
    QString started;
    std::optional<QString> answer = QString("/chosen");
    dialog.setFolderChooser([&](QWidget*, const QString& start) {
        started = start;
        return answer;
    });
    dialog.setValues("/projects", "/overlays", 400);
    test::ShowActive(dialog);
    QTest::mouseClick(dialog.findChild<QPushButton*>("overlaysFolderButton"), Qt::LeftButton);
    EXPECT_EQ(started, "/overlays");
    EXPECT_EQ(dialog.overlaysRoot(), "/chosen");
    EXPECT_EQ(dialog.projectsRoot(), "/projects");
    answer.reset();
    QTest::mouseClick(dialog.findChild<QPushButton*>("projectsFolderButton"), Qt::LeftButton);
    EXPECT_EQ(started, "/projects");
    EXPECT_EQ(dialog.projectsRoot(), "/projects");
    dialog.hide();
}

TEST(FolderChooserDialog, AnExistingFolderNeedsNoQuestion)
{
    tolv::test::TempDir dir;
    MessageRecorder messages;
    EXPECT_TRUE(ConfirmDirectory(nullptr, QString::fromStdString(dir.path().string())));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(FolderChooserDialog, AMissingFolderIsCreatedWithItsParentsOnlyAfterYes)
{
    tolv::test::TempDir dir;
    const auto folder = dir.path() / "new" / "deeper";
    MessageRecorder messages(MsgResult::No);
    EXPECT_FALSE(ConfirmDirectory(nullptr, QString::fromStdString(folder.string())));
    EXPECT_FALSE(std::filesystem::exists(folder));
    messages.Answer(MsgResult::Yes);
    EXPECT_TRUE(ConfirmDirectory(nullptr, QString::fromStdString(folder.string())));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[0], "The specified directory does not exist. Create it?");
    EXPECT_EQ(messages.kinds[0], MsgKind::Confirm);
}

TEST(FolderChooserDialog, AFolderThatCannotBeCreatedIsReportedAndNotTaken)
{
    tolv::test::TempDir dir;
    tolv::test::WriteText(dir.file("file"), "x");
    MessageRecorder messages(MsgResult::Yes);
    EXPECT_FALSE(ConfirmDirectory(nullptr, QString::fromStdString(dir.file("file") + "/sub")));
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_TRUE(messages.texts[1].startsWith("Unable to write to ")) << messages.texts[1].toStdString();
}

TEST(FolderChooserDialog, NoKeepsTheChooserOpenAndYesCreatesAndClosesIt)
{
    tolv::test::TempDir dir;
    const QString typed = QString::fromStdString((dir.path() / "made").string());
    FolderChooserDialog chooser(nullptr, QString::fromStdString(dir.path().string()));
    EXPECT_EQ(chooser.windowTitle(), "Select Directory");
    MessageRecorder messages(MsgResult::No);
    const int result = RunModal(chooser, [&] {
        auto* name = chooser.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->clear();
        QTest::keyClicks(name, "made");
        chooser.accept();
        EXPECT_TRUE(chooser.isVisible()) << "No keeps the chooser open";
        messages.Answer(MsgResult::Yes);
        chooser.accept();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(chooser.chosenFolder().toStdString(), typed.toStdString());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "made"));
}

}  // namespace
}  // namespace tolv::gui
