#include "platform/errors.h"
#include "settings/program_folder.h"
#include "settings/settings.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

class SettingsFile : public testing::Test {
protected:
    Settings settingsIn(const std::string& content)
    {
        test::WriteText(dir.file(SettingsFileName), content);
        return load();
    }

    Settings load()
    {
        Settings settings;
        settings.ProgramFolder = dir.path().string() + "/";
        LoadDefaults(settings, "/home/who");
        return settings;
    }

    std::string fileText() const { return test::ReadText(dir.file(SettingsFileName)); }

    test::TempDir dir;
};

TEST_F(SettingsFile, MissingFileGivesTheDefaultsAndIsCreatedOnSave)
{
    const Settings settings = load();
    EXPECT_EQ(settings.ProjectsRoot, "/home/who");
    EXPECT_EQ(settings.OverlaysRoot, "/home/who");
    EXPECT_EQ(settings.AnimationDelay, 400);
    EXPECT_TRUE(settings.RecentProjects.empty());
    EXPECT_FALSE(settings.Window);
    SaveDefaults(settings);
    EXPECT_EQ(fileText(), "[Paths]\r\nProjects=/home/who\r\nOverlays=/home/who\r\n[Main]\r\nAnimationDelay=400\r\n"
                          "PngLevel=8\r\nLastFolder=\r\n[Recent]\r\n1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n6=\r\n7=\r\n8=\r\n");
}

TEST_F(SettingsFile, ReadsTheKeysWhateverTheirCase)
{
    const Settings settings = settingsIn("[MAIN]\nanimationdelay=5000\n[paths]\nOVERLAYS=/o\nprojects=/p\n");
    EXPECT_EQ(settings.ProjectsRoot, "/p");
    EXPECT_EQ(settings.OverlaysRoot, "/o");
    EXPECT_EQ(settings.AnimationDelay, 5000);
}

TEST_F(SettingsFile, DelayBelowOneIsReadAsOne)
{
    EXPECT_EQ(settingsIn("[Main]\r\nAnimationDelay=0\r\n").AnimationDelay, 1);
    EXPECT_EQ(settingsIn("[Main]\r\nAnimationDelay=-20\r\n").AnimationDelay, 1);
    EXPECT_EQ(settingsIn("[Main]\r\nAnimationDelay=fast\r\n").AnimationDelay, 400);
}

TEST_F(SettingsFile, PngLevelBeyondItsRangeIsReadAsTheNearerEnd)
{
    EXPECT_EQ(settingsIn("[Main]\r\nPngLevel=3\r\n").PngLevel, 3);
    EXPECT_EQ(settingsIn("[Main]\r\nPngLevel=12\r\n").PngLevel, 9);
    EXPECT_EQ(settingsIn("[Main]\r\nPngLevel=-1\r\n").PngLevel, 0);
    EXPECT_EQ(settingsIn("[Main]\r\n").PngLevel, DefaultPngLevel);
}

TEST_F(SettingsFile, RoundTripKeepsOtherSectionsAndKeys)
{
    Settings settings = settingsIn("; kept\r\n[Main]\r\nWindow=3\r\nAnimationDelay=100\r\n[Mine]\r\nA=1\r\n");
    settings.ProjectsRoot = "/data/projects";
    settings.OverlaysRoot = "/data/overlays with blanks";
    settings.AnimationDelay = 2000;
    SaveDefaults(settings);
    EXPECT_EQ(fileText().substr(0, fileText().find("[Recent]")),
              "; kept\r\n[Main]\r\nWindow=3\r\nAnimationDelay=2000\r\nPngLevel=8\r\nLastFolder=\r\n[Mine]\r\nA=1\r\n"
              "[Paths]\r\nProjects=/data/projects\r\nOverlays=/data/overlays with blanks\r\n");
    const Settings reread = load();
    EXPECT_EQ(reread.ProjectsRoot, settings.ProjectsRoot);
    EXPECT_EQ(reread.OverlaysRoot, settings.OverlaysRoot);
    EXPECT_EQ(reread.AnimationDelay, 2000);
}

// The second save has a shorter list: no entry of the first may come back.
TEST_F(SettingsFile, RecentProjectsFolderAndWindowPlaceRoundTrip)
{
    Settings settings = load();
    settings.RecentProjects = {"/p/b.qvl", "/p/a b.qvl", "relative.qvl"};
    SaveDefaults(settings);
    settings.RecentProjects = {"/p/a b.qvl"};
    settings.LastFolder = "/p";
    settings.Window = WindowPlace{-20, 30, 640, 480};
    settings.Panels = "AAAA/w==";
    SaveDefaults(settings);
    EXPECT_NE(fileText().find("[Window]\r\nLeft=-20\r\nTop=30\r\nWidth=640\r\nHeight=480\r\nPanels=AAAA/w==\r\n"),
              std::string::npos);
    const Settings reread = load();
    EXPECT_EQ(reread.RecentProjects, settings.RecentProjects);
    EXPECT_EQ(reread.LastFolder, "/p");
    ASSERT_TRUE(reread.Window);
    EXPECT_EQ(reread.Window->Left, -20);
    EXPECT_EQ(reread.Window->Height, 480);
    EXPECT_EQ(reread.Panels, settings.Panels);
}

TEST(RecentProjects, TheLatestComesFirstOnceAndTheEighthIsTheLast)
{
    Settings settings;
    for (const char* path : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "5"})
        AddRecentProject(settings, path);
    EXPECT_EQ(settings.RecentProjects, (std::vector<std::string>{"5", "10", "9", "8", "7", "6", "4", "3"}));
}

TEST_F(SettingsFile, UnreadableFileGivesTheDefaultsButIsNotOverwritten)
{
    std::filesystem::create_directory(dir.file(SettingsFileName));
    test::WriteText(dir.file(std::string(SettingsFileName) + "/inside"), "x");
    const Settings settings = load();
    EXPECT_EQ(settings.AnimationDelay, 400);
    try {
        SaveDefaults(settings);
        FAIL() << "no error";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.file(SettingsFileName));
    }
}

TEST_F(SettingsFile, SaveIntoAFolderThatIsGoneRaisesTheWriteError)
{
    Settings settings;
    settings.ProgramFolder = dir.file("gone") + "/";
    EXPECT_THROW(SaveDefaults(settings), FileWriteError);
}

struct ProgramFolderCase {
    const char* besideTheProgram;
    bool keepsItsOwnSettings;
};

class ProgramFolderChoice : public testing::TestWithParam<ProgramFolderCase> {};

// The executable's folder is writable in every case: only what lies beside the
// program decides, so an install into a writable prefix keeps bin/ clean.
TEST_P(ProgramFolderChoice, FollowsWhatLiesBesideTheProgram)
{
    test::TempDir bin;
    test::TempDir config;
    const std::string beside = GetParam().besideTheProgram;
    if (!beside.empty())
        test::WriteText(bin.file(beside), "");
    const std::string executableFolder = bin.path().string();
    const auto folder = ChooseProgramFolder(executableFolder, config.path().string());
    if (GetParam().keepsItsOwnSettings) {
        EXPECT_EQ(folder, executableFolder + "/");
        EXPECT_FALSE(std::filesystem::exists(config.file("tolvane")));
    } else {
        EXPECT_EQ(folder, config.file("tolvane") + "/");
        EXPECT_TRUE(std::filesystem::is_directory(config.file("tolvane")));
    }
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, ProgramFolderChoice,
                         testing::Values(ProgramFolderCase{"", false}, ProgramFolderCase{"Noname.qvl", false},
                                         ProgramFolderCase{"CMakeCache.txt", false},
                                         ProgramFolderCase{BuildTreeMarkerName, true},
                                         ProgramFolderCase{SettingsFileName, true}));

TEST(ProgramFolder, CreatesTheMissingConfigFolders)
{
    test::TempDir bin;
    test::TempDir config;
    const std::string configHome = config.file("not/yet");
    EXPECT_EQ(ChooseProgramFolder(bin.path().string(), configHome), configHome + "/tolvane/");
    EXPECT_TRUE(std::filesystem::is_directory(configHome + "/tolvane"));
}

TEST(ProgramFolder, ExecutableFolderHoldsThisTest)
{
    const std::string folder = ExecutableFolder();
    ASSERT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "test_core_project"));
}

}  // namespace
}  // namespace tolv
