#include "gui/gui_fixture.h"

#include "gui/mainwindow/main_window.h"
#include "platform/io/files.h"

#include <QTest>

#include <filesystem>

namespace tolv::gui::test {
namespace {

using UnsavedEdits = GuiFixture;

struct OpenCase {
    const char* name;
    MsgResult answer;
    bool opens;
    bool saves;
};

class OpenQuestion : public GuiFixture, public testing::WithParamInterface<OpenCase> {};

TEST_P(OpenQuestion, AnswersDecideWhetherToSaveAndOpen)
{
    const OpenCase& c = GetParam();
    Start();
    EditSetup();
    const std::string other = MakeProject("other.qvl", {"[Main]", "LockObj=1"});
    Answer(c.answer);
    ChooseFile(other);
    form().session().open();

    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Save project edits?"});
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(form().windowTitle(), c.opens ? "Tolv - other.qvl" : "Tolv [Noname.qvl]");
    EXPECT_EQ(project().Modified, !c.opens);
    EXPECT_EQ(tolv::test::ReadText(File("Noname.qvl")).find("edited") != std::string::npos, c.saves);
}

INSTANTIATE_TEST_SUITE_P(Answers, OpenQuestion,
                         testing::Values(OpenCase{"Yes", MsgResult::Yes, true, true},
                                         OpenCase{"No", MsgResult::No, true, false},
                                         OpenCase{"Cancel", MsgResult::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnsavedEdits, AFileThatIsNoProjectIsRefusedBeforeTheQuestion)
{
    Start();
    EditSetup();
    MakeFrame("frame.bmp", 8, 8, colors::Green);
    const std::string before = tolv::test::ReadText(File("frame.bmp"));
    ChooseFile(File("frame.bmp"));
    form().session().open();

    EXPECT_EQ(MessageTexts(),
              std::vector<QString>{QString::fromStdString(File("frame.bmp") + " is not a project file.")});
    EXPECT_EQ(Messages()[0].kind, MsgKind::Warning);
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");
    EXPECT_TRUE(project().Modified);

    // Neither New over it nor naming it at start-up writes over it.
    SaveNow();
    ChooseFile(File("frame.bmp"));
    form().session().newProject();
    Destroy();
    Start({QString::fromStdString(File("frame.bmp"))});
    EXPECT_EQ(form().windowTitle(), "Tolv - Noname.qvl");
    EXPECT_EQ(MessageTexts().size(), 3u);
    EXPECT_EQ(tolv::test::ReadText(File("frame.bmp")), before);
}

TEST_F(UnsavedEdits, EditsAreKeptWithinSecondsAndGoWithTheSave)
{
    Start();
    form().document().setLockLayout(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return RecoveryFiles().size() == 1; }, 5000));
    EXPECT_NE(tolv::test::ReadText(RecoveryFiles()[0]).find("LockObj=1"), std::string::npos);
    EXPECT_FALSE(FileExists(File(".Noname.qvl")));

    ASSERT_TRUE(form().session().save());
    EXPECT_TRUE(RecoveryFiles().empty());
}

// A killed program leaves its recovery file; the next start offers it.
class RecoveryAfterAKill : public GuiFixture {
protected:
    void KillWithEdits()
    {
        Start();
        EditSetup();
        form().saveSession();
        saved_ = tolv::test::ReadText(File("Noname.qvl"));
        Destroy();
        ClearMessages();
    }
    std::string saved_;
};

TEST_F(RecoveryAfterAKill, YesLoadsTheEditsAndLeavesTheProjectFile)
{
    KillWithEdits();
    Answer(MsgResult::Yes);
    Start();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.startsWith("Recover unsaved edits of Noname.qvl from "));
    EXPECT_EQ(Messages()[0].kind, MsgKind::Confirm);
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(project().Rep, "edited");
    EXPECT_TRUE(project().Modified);
    EXPECT_EQ(tolv::test::ReadText(File("Noname.qvl")), saved_);

    // The close question's No drops the edits for good.
    Answer(MsgResult::No);
    EXPECT_TRUE(Close());
    EXPECT_TRUE(RecoveryFiles().empty());
}

TEST_F(RecoveryAfterAKill, NoDiscardsTheEdits)
{
    KillWithEdits();
    Answer(MsgResult::No);
    Start();
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(project().Rep, "");
    EXPECT_FALSE(project().Modified);
    EXPECT_TRUE(RecoveryFiles().empty());
}

// It is not offered: only edits that can be brought back are asked about.
TEST_F(RecoveryAfterAKill, AnUnreadableRecoveryFileIsKeptAside)
{
    KillWithEdits();
    ASSERT_EQ(RecoveryFiles().size(), 1u);
    const std::string recovery = RecoveryFiles()[0];
    tolv::test::WriteText(recovery, std::string("\x89PNG\r\n\x1a\n", 8));
    Start();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].kind, MsgKind::Warning);
    EXPECT_TRUE(Messages()[0].text.startsWith("The unsaved edits of Noname.qvl cannot be read; they are kept in "));
    EXPECT_FALSE(FileExists(recovery));
    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(RecoveryFolder()))
        kept += tolv::test::ReadText(entry.path().string()).starts_with("\x89PNG");
    EXPECT_EQ(kept, 1);
    EXPECT_FALSE(project().Modified);
}

}  // namespace
}  // namespace tolv::gui::test
