// Save never writes over what it cannot see: a project read incompletely,
// or a file another program wrote since it was opened.
#include "gui/gui_fixture.h"

#include "platform/io/files.h"
#include "project/project_file.h"
#include "support/test_files.h"

namespace tolv::gui::test {
namespace {

std::vector<std::string> DoorProject(const std::string& regions)
{
    return {"[Main]",
            "Version2=1",
            regions,
            "[Frames]",
            "1=f1.bmp",
            "[Region1]",
            "Position=10,20,30,40",
            "Name=Door",
            "Clip1=f1.bmp,,door1.bmp",
            "[Region2]",
            "Position=50,60,70,80",
            "Name=Sign"};
}

const QString Incomplete = "Some of p.qvl could not be read; saving will write only what was read";

struct IncompleteCase {
    const char* name;
    MsgResult answer;
    bool savedOver;
    bool savedElsewhere;
};

class IncompleteSave : public GuiFixture, public testing::WithParamInterface<IncompleteCase> {};

TEST_P(IncompleteSave, IsToldOnceAfterLoadingAndTheFirstSaveAsks)
{
    const IncompleteCase& c = GetParam();
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    const std::string path = MakeProject("p.qvl", DoorProject("Regions=1e3"));
    const std::string before = tolv::test::ReadText(path);
    Start({QString::fromStdString(path)});
    EXPECT_EQ(MessageTexts(), std::vector<QString>{Incomplete});
    EXPECT_EQ(Messages()[0].kind, MsgKind::Warning);
    EXPECT_EQ(project().Regions.size(), 2u) << "every section there is";

    ClearMessages();
    Answer(c.answer);
    ChooseFile(File("elsewhere.qvl"));
    EXPECT_EQ(form().session().save(), c.savedOver || c.savedElsewhere);
    EXPECT_EQ(MessageTexts(), std::vector<QString>{Incomplete + ". Save over p.qvl?"});
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::YesSaveAsCancel);
    EXPECT_EQ(tolv::test::ReadText(path) != before, c.savedOver);
    EXPECT_EQ(FileExists(File("elsewhere.qvl")), c.savedElsewhere);

    if (c.savedOver || c.savedElsewhere) {
        ClearMessages();
        EXPECT_TRUE(form().session().save());
        EXPECT_TRUE(Messages().empty()) << "only the first save asks";
        EXPECT_NE(tolv::test::ReadText(project().ProjectFilePath()).find("Regions=2\r\n"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, IncompleteSave,
                         testing::Values(IncompleteCase{"Yes", MsgResult::Yes, true, false},
                                         IncompleteCase{"SaveAs", MsgResult::SaveAs, false, true},
                                         IncompleteCase{"Cancel", MsgResult::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ChangedCase {
    const char* name;
    MsgResult answer;
    bool saved;
    bool reloaded;
};

class ChangedOnDisk : public GuiFixture, public testing::WithParamInterface<ChangedCase> {};

// The window's edit and another program's (a fill) meet at Save.
TEST_P(ChangedOnDisk, SaveAsksBeforeItOverwritesWhatAnotherProgramWrote)
{
    const ChangedCase& c = GetParam();
    MakeFrame("f1.bmp", 64, 48, colors::Green);
    const std::string path = MakeProject("p.qvl", DoorProject("Regions=2"));
    Start({QString::fromStdString(path)});
    Select(0);
    form().document().nudgeMove(5, 0);

    std::string filled = tolv::test::ReadText(path);
    filled.replace(filled.find("Clip1=f1.bmp,,door1.bmp"), 23, "Clip1=f1.bmp,,filled_1.bmp");
    tolv::test::WriteText(path, filled);
    Answer(c.answer);
    EXPECT_EQ(form().session().save(), c.saved || c.reloaded);
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"p.qvl was changed on disk since it was opened. Overwrite it?"});
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::OverwriteReloadCancel);

    EXPECT_EQ(tolv::test::ReadText(path), c.saved ? ProjectText(project()) : filled);
    EXPECT_EQ(project().Regions[0]->OutputFile[0], c.reloaded ? "filled_1.bmp" : "door1.bmp");
    EXPECT_EQ(project().Regions[0]->Left, c.reloaded ? 10 : 15);
    EXPECT_EQ(project().Modified, !c.saved && !c.reloaded);
}

INSTANTIATE_TEST_SUITE_P(Answers, ChangedOnDisk,
                         testing::Values(ChangedCase{"Overwrite", MsgResult::Overwrite, true, false},
                                         ChangedCase{"Reload", MsgResult::Reload, false, true},
                                         ChangedCase{"Cancel", MsgResult::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv::gui::test
