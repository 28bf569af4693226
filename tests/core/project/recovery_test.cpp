#include "project/recovery.h"

#include "platform/files.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <filesystem>

namespace tolv {
namespace {

using test::TempDir;
using test::WriteText;

TEST(Recovery, FilesAreNamedPerProjectPath)
{
    TempDir dir;
    const std::string folder = dir.file("recovery");
    const std::string a = RecoveryFileFor(folder, dir.file("a/demo.qvl"));
    EXPECT_EQ(FolderPart(a), folder);
    EXPECT_TRUE(NamePart(a).starts_with("demo.qvl."));
    EXPECT_NE(a, RecoveryFileFor(folder, dir.file("b/demo.qvl")));
    EXPECT_EQ(a, RecoveryFileFor(folder, dir.file("a/../a/./demo.qvl")));
}

void SetModified(const std::string& path, std::time_t when)
{
    const utimbuf times{when, when};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
}

TEST(Recovery, OfferedOnlyWhenNewerThanTheProject)
{
    TempDir dir;
    const std::string folder = dir.file("recovery");
    const std::string project = dir.file("demo.qvl");
    EXPECT_FALSE(FindRecovery(folder, project));

    WriteRecovery(RecoveryFileFor(folder, project), "[Main]\r\n");
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
    EXPECT_TRUE(FindRecovery(folder, project)) << "a project file that is gone";

    WriteText(project, "[Main]\r\n");
    SetModified(project, 2000000000);
    SetModified(RecoveryFileFor(folder, project), 1900000000);
    EXPECT_FALSE(FindRecovery(folder, project));
    SetModified(RecoveryFileFor(folder, project), 2000000001);
    const auto offer = FindRecovery(folder, project);
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->WrittenAt, 2000000001);

    DiscardRecovery(offer->Path);
    EXPECT_FALSE(FindRecovery(folder, project));
}

TEST(Recovery, RecoveredEditsLoadAsModifiedUnderTheProjectsName)
{
    TempDir dir;
    const std::string recovery = dir.file("kept");
    WriteText(recovery, "[Main]\r\nRep=edited\r\n");
    Project project;
    LoadRecovery(project, recovery, dir.file("demo.qvl"));
    EXPECT_EQ(project.Rep, "edited");
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(project.ProjectFilePath(), dir.file("demo.qvl"));
}

}  // namespace
}  // namespace tolv
