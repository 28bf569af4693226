#include "core/project/example_project.h"
#include "core/project/file_kinds.h"
#include "project/project_file.h"
#include "project/project_identity.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace tolv {
namespace {

class RefusedContent : public testing::TestWithParam<test::FileKind> {};

TEST_P(RefusedContent, IsNotAProjectFile)
{
    EXPECT_FALSE(ProjectFileText(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Kinds, RefusedContent, testing::ValuesIn(test::NotProjectFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

class AcceptedContent : public testing::TestWithParam<test::FileKind> {};

TEST_P(AcceptedContent, IsAProjectFile)
{
    EXPECT_TRUE(ProjectFileText(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Kinds, AcceptedContent, testing::ValuesIn(test::ProjectFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectFileText, Utf16BecomesUtf8InBothByteOrders)
{
    const std::u16string text = u"[Main]\r\nRep=\u00e9\u20ac\U0001F600\r\n";
    for (const bool bigEndian : {false, true})
        EXPECT_EQ(ProjectFileText(test::Utf16(text, bigEndian))->Text,
                  "[Main]\r\nRep=\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(ProjectFileText(test::Utf16(u"[Main]\r\nRep=\xD800!", false))->Text, "[Main]\r\nRep=\xEF\xBF\xBD!");
}

class ProjectIdentity : public testing::Test {
protected:
    std::string write(const std::string& bytes)
    {
        test::WriteText(dir.file("p.qvl"), bytes);
        return dir.file("p.qvl");
    }

    test::TempDir dir;
};

TEST_F(ProjectIdentity, RefusedLoadLeavesTheOpenProjectAsItWas)
{
    Project project;
    LoadProjectText(project, dir.path().string(), "open.qvl", test::ExampleProjectText());
    const std::string path = write("not a project\r\n");
    try {
        Loadfile(project, path);
        FAIL() << "the load should be refused";
    } catch (const NotAProjectError& error) {
        EXPECT_EQ(std::string(error.what()), path + " is not a project file.");
    }
    EXPECT_EQ(project.ProjectFileName, "open.qvl");
    EXPECT_EQ(project.Regions.size(), 2u);
    EXPECT_EQ(project.FrameCount(), 2);
}

TEST_F(ProjectIdentity, FolderAndFifoAreRefusedUnopened)
{
    std::filesystem::create_directory(dir.file("folder.qvl"));
    ASSERT_EQ(::mkfifo(dir.file("fifo.qvl").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir.file("gone.qvl"), dir.file("dangling.qvl"));
    for (const char* name : {"folder.qvl", "fifo.qvl", "dangling.qvl"}) {
        Project project;
        EXPECT_THROW(Loadfile(project, dir.file(name)), NotAProjectError) << name;
        EXPECT_EQ(KindOfProjectPath(dir.file(name)), ProjectPathKind::NotAFile) << name;
    }
    EXPECT_EQ(KindOfProjectPath(dir.file("gone.qvl")), ProjectPathKind::Missing);
    EXPECT_NO_THROW(CheckProjectFile(dir.file("gone.qvl")));
}

TEST_F(ProjectIdentity, SaveNeverReplacesAFileThatIsNotAProject)
{
    const std::string bytes = std::string("BM6\0\0\0 a frame", 14);
    const std::string path = write(bytes);
    Project project;
    project.ProjectFolder = dir.path().string();
    project.ProjectFileName = "p.qvl";
    project.Modified = true;
    EXPECT_THROW(SaveProject(project), FileWriteError);
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(test::ReadText(path), bytes);
}

}  // namespace
}  // namespace tolv
