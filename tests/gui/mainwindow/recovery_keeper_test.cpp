#include "gui/editor/editing_fixture.h"

#include "editor/selection.h"
#include "gui/app/program_windows.h"

#include <chrono>
#include <filesystem>
#include <functional>

namespace tolv::gui::test {
namespace {

// Recovery as the user meets it: real keys in the window, the recovery
// folder on disk, and the next start's question.
class Recovery : public Editing {
protected:
    void OpenCoord() { Open({{100, 100, 50, 40, "A"}, {20, 20, 30, 30, "B"}}); }
    // Tab to the first region and one nudge to the right.
    void Nudge()
    {
        Key(Qt::Key_Tab);
        Key(Qt::Key_Right, Qt::ShiftModifier);
    }
    bool WaitForRecoveryFiles(std::size_t count)
    {
        return QTest::qWaitFor([&] { return RecoveryFiles().size() == count; }, 5000);
    }
    std::string Saved() const { return tolv::test::ReadText(File("editing.qvl")); }
};

// Nudge, wait, undo back to the saved state, Ctrl+Q at once: nothing is
// left to recover, and the next start asks nothing.
TEST_F(Recovery, UndoingToTheSavedStateTakesTheRecoveryFileAtOnce)
{
    OpenCoord();
    const std::string saved = Saved();
    Nudge();
    ASSERT_EQ(Rect(0).left(), 101);
    ASSERT_TRUE(WaitForRecoveryFiles(1));

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(project().Modified);
    EXPECT_TRUE(RecoveryFiles().empty()) << "at once, not at the next write";
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form().isVisible());
    Destroy();
    EXPECT_TRUE(std::filesystem::is_empty(RecoveryFolder())) << "the project's lock goes with the window";
    EXPECT_TRUE(Messages().empty());

    Start({QString::fromStdString(File("editing.qvl"))});
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Rect(0).left(), 100);
    EXPECT_EQ(Saved(), saved);
}

// Two windows on one project: each keeps its own edits, a save in one leaves
// the other's, and the second open is warned of.
TEST_F(Recovery, TwoWindowsKeepTheirOwnEditsAndTheSecondOpenIsWarned)
{
    OpenCoord();
    const QStringList project{QString::fromStdString(File("editing.qvl"))};
    Answer(MsgResult::Yes);
    std::unique_ptr<ProgramWindows> second = StartAnother(project);
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"editing.qvl is open in another Tolvane window. Open it here too?"});
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::YesNo);
    ClearMessages();
    second->main().document().changeSelection({SelectionOp::Kind::Pick, 1});
    second->main().document().nudgeMove(0, 7);

    ActivateWindow(form());
    Nudge();
    ASSERT_TRUE(WaitForRecoveryFiles(2));
    ASSERT_TRUE(form().session().save());
    ASSERT_EQ(RecoveryFiles().size(), 1u) << "the save leaves the other window's edits";
    EXPECT_NE(tolv::test::ReadText(RecoveryFiles()[0]).find("Position=20,27,30,30"), std::string::npos);

    // The second window ends without its close question, as in a crash; a
    // third opens the project while the first still has it.
    second.reset();
    const auto anHourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(RecoveryFiles()[0], anHourAgo);
    Answer(MsgResult::Yes);
    Answer(MsgResult::Yes);
    std::unique_ptr<ProgramWindows> third = StartAnother(project);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].text, "editing.qvl is open in another Tolvane window. Open it here too?");
    EXPECT_TRUE(Messages()[1].text.startsWith("Recover unsaved edits of editing.qvl from "));
    EXPECT_TRUE(Messages()[1].text.endsWith(" The project file was saved after them.")) << "the first window saved";
    EXPECT_EQ(third->main().project().Regions.at(1)->Top, 27);
    EXPECT_TRUE(third->main().project().Modified);
}

// No leaves the window as it was; at start-up it falls back to the default
// project, and declining that too leaves nothing to show: the window closes.
TEST_F(Recovery, NoToTheSecondOpenKeepsTheProjectOutOfThisWindow)
{
    OpenCoord();
    const QString question = "editing.qvl is open in another Tolvane window. Open it here too?";
    Answer(MsgResult::No);
    std::unique_ptr<ProgramWindows> second = StartAnother({QString::fromStdString(File("editing.qvl"))});
    EXPECT_EQ(MessageTexts(), std::vector<QString>{question});
    EXPECT_EQ(second->main().project().ProjectFileName, "Noname.qvl");

    ClearMessages();
    Answer(MsgResult::No);
    second->main().session().openProject(File("editing.qvl"));
    EXPECT_EQ(MessageTexts(), std::vector<QString>{question});
    EXPECT_EQ(second->main().project().ProjectFileName, "Noname.qvl");

    ClearMessages();
    Answer(MsgResult::No);
    std::unique_ptr<ProgramWindows> third = StartAnother();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Noname.qvl is open in another Tolvane window. Open it here too?"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !third->main().isVisible(); }, 2000));
}

struct Trouble {
    const char* name;
    // Spoils the recovery folder, before the window starts or once its
    // project is open.
    bool beforeStart;
    std::function<void(const std::string& folder)> spoil;
    // What the status bar says after "...kept for recovery: ".
    std::function<std::string(const std::string& folder)> reason;
};

class RecoveryTrouble : public Recovery, public testing::WithParamInterface<Trouble> {};

TEST_P(RecoveryTrouble, IsShownOnceInTheStatusBar)
{
    if (GetParam().beforeStart)
        GetParam().spoil(RecoveryFolder());
    OpenCoord();
    if (!GetParam().beforeStart)
        GetParam().spoil(RecoveryFolder());
    Nudge();
    const QString said =
        QString::fromStdString("Unsaved edits are not being kept for recovery: " + GetParam().reason(RecoveryFolder()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Status(2) == said; }, 5000)) << Status(2).toStdString();
    Key(Qt::Key_Right, Qt::ShiftModifier);
    QTest::qWait(1500);
    EXPECT_NE(Status(2), said) << "once";
    EXPECT_TRUE(project().Modified);
}

// The name of the window's recovery file, from its lock file.
std::string OwnRecoveryName(const std::string& folder)
{
    std::filesystem::path lock = std::filesystem::directory_iterator(folder)->path();
    return lock.replace_extension(".recovery").string();
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, RecoveryTrouble,
    testing::Values(Trouble{"FolderOpenToOthers", true,
                            [](const std::string& folder) {
                                std::filesystem::create_directory(folder);
                                std::filesystem::permissions(folder, std::filesystem::perms::all);
                            },
                            [](const std::string& folder) { return folder + " has mode 0777, not 0700"; }},
                    // A folder at the file's name cannot be replaced by the file.
                    Trouble{
                        "FileNotWritten", false,
                        [](const std::string& folder) { std::filesystem::create_directory(OwnRecoveryName(folder)); },
                        [](const std::string& folder) { return "Unable to write to " + OwnRecoveryName(folder); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv::gui::test
