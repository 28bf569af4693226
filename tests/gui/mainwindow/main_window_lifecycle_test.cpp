#include "gui/gui_fixture.h"

#include "gui/dialogs/project_setup_dialog.h"
#include "gui/editor/frame_canvas.h"
#include "platform/io/files.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace tolv::gui::test {
namespace {

using Lifecycle = GuiFixture;

std::vector<std::string> ThreeFrameProject()
{
    return {"[Main]",
            "Version2=1",
            "Regions=2",
            "[Frames]",
            "1=f1.bmp",
            "2=f2.bmp",
            "3=f3.bmp",
            "[Region1]",
            "Position=10,20,30,40",
            "Name=Door",
            "Clip1=f1.bmp,,door1.bmp",
            "[Region2]",
            "Position=50,60,70,80",
            "Name=Sign",
            "Visible=0"};
}

TEST_F(Lifecycle, FirstStartCreatesTheDefaultProjectWithoutAQuestion)
{
    Start();
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");
    EXPECT_TRUE(FileExists(File("Noname.qvl")));
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(project().Modified);
    EXPECT_EQ(project().ProjectFolder + "/", ProgramFolder());
    EXPECT_EQ(form().statusText(2), " Animation missing: ");
}

TEST_F(Lifecycle, ALaterStartOpensTheDefaultProject)
{
    Start();
    Destroy();
    Start();
    EXPECT_EQ(form().windowTitle(), "Tolv - Noname.qvl");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Lifecycle, AnArgumentThatNamesNoFileStartsLikeNone)
{
    Start({QString::fromStdString(File("absent.qvl"))});
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");
    EXPECT_FALSE(FileExists(File("absent.qvl")));
}

TEST_F(Lifecycle, TheProjectNamedOnTheCommandLineOpens)
{
    for (const char* name : {"f1.bmp", "f2.bmp", "f3.bmp"})
        MakeFrame(name, 64, 48, colors::Green);
    const std::string path = MakeProject("demo.qvl", ThreeFrameProject());
    Start({QString::fromStdString(path)});

    EXPECT_EQ(form().windowTitle(), "Tolv - demo.qvl");
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(FileExists(File("Noname.qvl")));
    const MainWindowControls& ui = form().ui();
    ASSERT_EQ(ui.quickPick->count(), 2);
    EXPECT_EQ(ui.quickPick->itemText(0), "Door  ");
    EXPECT_EQ(ui.quickPick->itemText(1), "Sign <Hidden>");
    EXPECT_EQ(ui.quickPick->currentIndex(), -1);
    EXPECT_FALSE(ui.previousFrameAction->isEnabled());
    EXPECT_TRUE(ui.nextFrameAction->isEnabled());
    EXPECT_FALSE(ui.propertiesAction->isEnabled());
    EXPECT_EQ(form().statusText(2), " Frame: f1.bmp");
    EXPECT_EQ(form().canvas().indexedRegions(), 2u);
}

TEST_F(Lifecycle, OpenReplacesTheProject)
{
    Start();
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    const std::string path = MakeProject("other.qvl", {"[Main]", "Version2=1", "LockObj=1", "[Frames]", "1=f1.bmp"});
    ChooseFile(path);
    form().session().open();

    EXPECT_EQ(form().windowTitle(), "Tolv - other.qvl");
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(form().ui().lockLayoutAction->isChecked());
    EXPECT_TRUE(form().ui().lockButton->isChecked());
    EXPECT_FALSE(form().ui().nextFrameAction->isEnabled());
}

TEST_F(Lifecycle, OpenCancelledKeepsTheProject)
{
    Start();
    form().session().open();
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");
}

TEST_F(Lifecycle, MissingOrUnusableFramesAreReportedOnceAfterLoading)
{
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    tolv::test::WriteText(File("junk.bmp"), "not a bitmap");
    const std::string path =
        MakeProject("gaps.qvl", {"[Main]", "Version2=1", "[Frames]", "1=f1.bmp", "2=gone.bmp", "3=junk.bmp"});
    Start({QString::fromStdString(path)});

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].kind, MsgKind::Warning);
    EXPECT_EQ(Messages()[0].text, "Animation frame files missing.");
    EXPECT_EQ(form().windowTitle(), "Tolv - gaps.qvl");
    EXPECT_EQ(project().FrameCount(), 3);
}

TEST_F(Lifecycle, NewAsksAboutBackgroundFramesUnlessTheNameIsExactlyTheDefault)
{
    struct Case {
        const char* name;
        bool asks;
    };
    for (const Case c : {Case{"Noname.qvl", false}, Case{"noname.qvl", true}, Case{"film.qvl", true}}) {
        Start();
        ClearMessages();
        std::filesystem::create_directory(dir_.path() / "projects");
        ChooseFile(File(std::string("projects/") + c.name));
        form().session().newProject();
        const bool asked = MessageTexts() == std::vector<QString>{"Do you want to define your background frames now?"};
        EXPECT_EQ(asked, c.asks) << c.name;
        EXPECT_EQ(form().windowTitle(), QString("Tolv [%1]").arg(c.name)) << c.name;
        EXPECT_TRUE(FileExists(File(std::string("projects/") + c.name))) << c.name;
        EXPECT_FALSE(project().Modified) << c.name;
        Destroy();
        std::filesystem::remove_all(dir_.path() / "projects");
    }
}

TEST_F(Lifecycle, NewEmptiesTheQuickPickAndKeepsTheProjectOptions)
{
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    const std::string path = MakeProject("demo.qvl", {"[Main]", "Version2=1", "CleanEdges=1", "Rep=A", "Regions=1",
                                                      "[Frames]", "1=f1.bmp", "[Region1]", "Position=1,2,30,40"});
    Start({QString::fromStdString(path)});
    ChooseFile(File("fresh.qvl"));
    form().session().newProject();

    EXPECT_EQ(form().ui().quickPick->count(), 0);
    EXPECT_EQ(form().canvas().indexedRegions(), 0u);
    EXPECT_TRUE(project().CleanEdges);
    EXPECT_EQ(project().Rep, "A");
    EXPECT_EQ(project().CurrentFrame, 0);
    EXPECT_EQ(form().statusText(2), " Animation missing: ");
}

TEST_F(Lifecycle, NewOverAnExistingFileAsksAndNoChangesNothing)
{
    Start();
    tolv::test::WriteText(File("taken.qvl"), "[Main]\r\n");
    ChooseFile(File("taken.qvl"));
    form().session().newProject();

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "Overwrite existing file taken.qvl?");
    EXPECT_EQ(Messages()[0].kind, MsgKind::Information);
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");
    EXPECT_EQ(tolv::test::ReadText(File("taken.qvl")), "[Main]\r\n");
}

TEST_F(Lifecycle, NewWithUnsavedEditsAsksFirst)
{
    Start();
    EditSetup();
    Answer(MsgResult::Cancel);
    ChooseFile(File("fresh.qvl"));
    form().session().newProject();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Save current project?"});
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");
    EXPECT_TRUE(project().Modified);

    Answer(MsgResult::Yes);  // save the edits, then start the new project
    Answer(MsgResult::No);  // no frames now
    form().session().newProject();
    EXPECT_EQ(form().windowTitle(), "Tolv [fresh.qvl]");
    EXPECT_FALSE(project().Modified);
}

struct CloseCase {
    const char* name;
    MsgResult answer;
    bool closes;
    bool saves;
};

class CloseQuestion : public GuiFixture, public testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, AnswersDecideWhetherToSaveAndClose)
{
    const CloseCase& c = GetParam();
    Start();
    EditSetup();
    Answer(c.answer);

    EXPECT_EQ(Close(), c.closes);
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Save project edits?"});
    EXPECT_EQ(Messages()[0].kind, MsgKind::Confirm);
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(tolv::test::ReadText(File("Noname.qvl")).find("edited") != std::string::npos, c.saves);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQuestion,
                         testing::Values(CloseCase{"Yes", MsgResult::Yes, true, true},
                                         CloseCase{"No", MsgResult::No, true, false},
                                         CloseCase{"Cancel", MsgResult::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Lifecycle, AnUnmodifiedProjectClosesWithoutAQuestion)
{
    Start();
    EXPECT_TRUE(Close());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Lifecycle, ExitAsksTheCloseQuestion)
{
    Start();
    EditSetup();
    Answer(MsgResult::Cancel);
    form().ui().exitAction->trigger();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Save project edits?"});
    EXPECT_TRUE(form().isVisible());
    form().ui().exitAction->trigger();  // No, once no answer is queued
    EXPECT_FALSE(form().isVisible());
}

TEST_F(Lifecycle, AFailedSaveIsReportedAndKeepsTheEdits)
{
    std::filesystem::create_directory(File("no-such-folder"));
    StartIn(File("no-such-folder") + "/");
    std::filesystem::remove_all(File("no-such-folder"));
    EditSetup();
    EXPECT_FALSE(form().session().save());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, QString::fromStdString("Unable to write to " + File("no-such-folder/Noname.qvl")));
    EXPECT_TRUE(project().Modified);

    // Closing with Yes tries again; the failure keeps the window open.
    Answer(MsgResult::Yes);
    EXPECT_FALSE(Close());
    EXPECT_TRUE(project().Modified);
}

TEST_F(Lifecycle, TheSettingsAreWrittenWhenTheWindowGoes)
{
    Start();
    form().settings().AnimationDelay = 123;
    Destroy();
    EXPECT_NE(tolv::test::ReadText(File("Tolvane.ini")).find("AnimationDelay=123"), std::string::npos);
}

TEST_F(Lifecycle, AProgramFolderThatCannotBeWrittenIsReportedAndTheProgramRuns)
{
    tolv::test::WriteText(File("plain"), "a file, not a folder");
    StartIn(File("plain") + "/");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, QString::fromStdString("Unable to write to " + File("plain/Noname.qvl")));
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");
    EXPECT_EQ(form().statusText(2), " Animation missing: ");

    Destroy();  // the settings cannot be written either: reported, and the window still goes
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].text, QString::fromStdString("Unable to write to " + File("plain/Tolvane.ini")));
}

TEST_F(Lifecycle, TheCanvasTakesTheLargestFrameButAtLeast600By400)
{
    MakeFrame("wide.bmp", 700, 300, colors::Green);
    MakeFrame("tall.bmp", 500, 450, colors::Green);
    MakeFrame("tiny.bmp", 100, 100, colors::Green);
    const std::string big = MakeProject("big.qvl", {"[Main]", "Version2=1", "[Frames]", "1=wide.bmp", "2=tall.bmp"});
    const std::string small = MakeProject("small.qvl", {"[Main]", "Version2=1", "[Frames]", "1=tiny.bmp"});
    Start({QString::fromStdString(big)});
    EXPECT_EQ(form().canvas().size(), QSize(700, 450));
    ChooseFile(small);
    form().session().open();
    EXPECT_EQ(form().canvas().size(), QSize(600, 400));
}

// Seen: Open and Project Settings OK set the window to the frames' size
// (larger than the screen for 1080p frames), which the next start kept.
TEST_F(Lifecycle, TheWindowKeepsTheSizeTheUserGaveIt)
{
    MakeFrame("hd.bmp", 1920, 1080, colors::Green);
    MakeFrame("small.bmp", 64, 48, colors::Green);
    Start();
    const QSize size(700, 500);
    form().resize(size);
    ChooseFile(MakeProject("hd.qvl", {"[Main]", "Version2=1", "[Frames]", "1=hd.bmp"}));
    form().session().open();
    EXPECT_EQ(form().canvas().size(), QSize(1920, 1080));
    EXPECT_EQ(form().size(), size);
    QTimer::singleShot(0, &windows().projectSetup(), [this] {
        windows().projectSetup().addFrame("small.bmp");
        windows().projectSetup().accept();
    });
    form().ui().projectSetupAction->trigger();
    EXPECT_EQ(form().size(), size);
}

// Seen: after Open the geometry of the region last selected stayed, and a
// missing first frame read "Frame: c01.bmp".
TEST_F(Lifecycle, AfterOpenTheStatusBarShowsTheNewProjectOnly)
{
    for (const char* name : {"f1.bmp", "f2.bmp", "f3.bmp"})
        MakeFrame(name, 64, 48, colors::Green);
    Start({QString::fromStdString(MakeProject("demo.qvl", ThreeFrameProject()))});
    form().ui().quickPick->setCurrentIndex(0);
    form().onQuickPick();
    ASSERT_EQ(form().statusText(1), " x:10  y:20   w:30 h:40");
    ChooseFile(MakeProject("gone.qvl", {"[Main]", "Version2=1", "[Frames]", "1=gone.bmp", "2=f1.bmp"}));
    form().session().open();
    EXPECT_TRUE(form().statusText(1).trimmed().isEmpty());
    EXPECT_EQ(form().statusText(2), " Animation missing: gone.bmp");
}

// The caption keeps the project's name alone.
TEST_F(Lifecycle, TheStatusBarShowsWhetherEditsAreUnsaved)
{
    for (const char* name : {"f1.bmp", "f2.bmp", "f3.bmp"})
        MakeFrame(name, 64, 48, colors::Green);
    Start({QString::fromStdString(MakeProject("demo.qvl", ThreeFrameProject()))});
    const auto unsaved = [this] { return form().findChild<QLabel*>("unsavedPanel")->text(); };
    EXPECT_TRUE(unsaved().isEmpty());
    Select(0);
    form().document().nudgeMove(1, 0);
    EXPECT_EQ(unsaved(), " Unsaved edits");
    EXPECT_EQ(form().windowTitle(), "Tolv - demo.qvl");
    form().session().save();
    EXPECT_TRUE(unsaved().isEmpty());
    form().ui().undoAction->trigger();
    EXPECT_EQ(unsaved(), " Unsaved edits");
}

// Through the real dialog: the new order reaches the project on OK as one
// step, and Edit > Undo brings the old order back.
TEST_F(Lifecycle, FramesReorderedInProjectSetupReachTheProjectAndUndo)
{
    for (const char* name : {"f1.bmp", "f2.bmp", "f3.bmp"})
        MakeFrame(name, 64, 48, colors::Green);
    Start({QString::fromStdString(MakeProject("demo.qvl", ThreeFrameProject()))});
    ProjectSetupDialog& dialog = windows().projectSetup();
    QTimer::singleShot(0, &dialog, [&dialog] {
        auto* frames = dialog.findChild<QListWidget*>("framesInUse");
        frames->item(2)->setSelected(true);
        auto* up = dialog.findChild<QPushButton*>("moveUpButton");
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(up, Qt::LeftButton);
        dialog.accept();
    });
    ASSERT_TRUE(form().runProjectSetup(false));
    EXPECT_EQ(project().FrameNames, (std::vector<std::string>{"f3.bmp", "f1.bmp", "f2.bmp"}));
    EXPECT_TRUE(project().Modified);
    form().ui().undoAction->trigger();
    EXPECT_EQ(project().FrameNames, (std::vector<std::string>{"f1.bmp", "f2.bmp", "f3.bmp"}));
}

}  // namespace
}  // namespace tolv::gui::test
