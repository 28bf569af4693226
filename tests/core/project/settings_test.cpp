#include "platform/errors.h"
#include "project/program_folder.h"
#include "project/settings.h"
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
    SaveDefaults(settings);
    EXPECT_EQ(fileText(),
              "[Paths]\r\nProjects=/home/who\r\nOverlays=/home/who\r\n[Main]\r\nAnimationDelay=400\r\n");
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

TEST_F(SettingsFile, RoundTripKeepsOtherSectionsAndKeys)
{
    Settings settings = settingsIn("; kept\r\n[Main]\r\nWindow=3\r\nAnimationDelay=100\r\n[Mine]\r\nA=1\r\n");
    settings.ProjectsRoot = "/data/projects";
    settings.OverlaysRoot = "/data/overlays with blanks";
    settings.AnimationDelay = 2000;
    SaveDefaults(settings);
    EXPECT_EQ(fileText(), "; kept\r\n[Main]\r\nWindow=3\r\nAnimationDelay=2000\r\n[Mine]\r\nA=1\r\n"
                          "[Paths]\r\nProjects=/data/projects\r\nOverlays=/data/overlays with blanks\r\n");
    const Settings reread = load();
    EXPECT_EQ(reread.ProjectsRoot, settings.ProjectsRoot);
    EXPECT_EQ(reread.OverlaysRoot, settings.OverlaysRoot);
    EXPECT_EQ(reread.AnimationDelay, 2000);
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

TEST(ProgramFolder, IsTheExecutableFolderWhenWritable)
{
    test::TempDir config;
    const auto folder = ChooseProgramFolder("/opt/tolvane/bin", config.path().string(),
                                            [](const std::string&) { return true; });
    EXPECT_EQ(folder, "/opt/tolvane/bin/");
    EXPECT_FALSE(std::filesystem::exists(config.file("tolvane")));
}

TEST(ProgramFolder, FallsBackToTheConfigFolderAndCreatesIt)
{
    test::TempDir config;
    const std::string configHome = config.file("not/yet");
    std::string asked;
    const auto folder = ChooseProgramFolder("/usr/bin", configHome, [&](const std::string& f) {
        asked = f;
        return false;
    });
    EXPECT_EQ(asked, "/usr/bin");
    EXPECT_EQ(folder, configHome + "/tolvane/");
    EXPECT_TRUE(std::filesystem::is_directory(configHome + "/tolvane"));
}

TEST(ProgramFolder, ExecutableFolderHoldsThisTest)
{
    const std::string folder = ExecutableFolder();
    ASSERT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(IsWritableFolder(folder));
    EXPECT_FALSE(IsWritableFolder(folder + "no-such-folder"));
}

}  // namespace
}  // namespace tolv
