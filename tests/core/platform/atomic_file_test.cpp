#include "core/platform/ended_process.h"
#include "platform/atomic_file.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/temporary_files.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <functional>

namespace tolv {
namespace {

namespace fs = std::filesystem;
using test::EndedProcess;

std::vector<std::string> NamesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct DebrisCase {
    const char* name;
    std::function<std::string()> fileName;
    bool old;
    bool removed;
};

class DebrisTest : public testing::TestWithParam<DebrisCase> {};

TEST_P(DebrisTest, SaveRemovesOnlyStaleTemporariesOfOurs)
{
    const DebrisCase& c = GetParam();
    test::TempDir dir;
    const std::string debris = dir.file(c.fileName());
    test::WriteText(debris, "debris");
    if (c.old)
        fs::last_write_time(debris, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    WriteFileAtomically(dir.file("p.qvl"), "saved");
    EXPECT_EQ(fs::exists(debris), !c.removed) << debris;
    EXPECT_EQ(test::ReadText(dir.file("p.qvl")), "saved");
}

const std::string ElsewhereTemporary = ".p.qvl.tolvane-tmp-123@tolvane-test-elsewhere.Ab12Cd";

INSTANTIATE_TEST_SUITE_P(
    Files, DebrisTest,
    testing::Values(
        DebrisCase{"EndedWriterHere", [] { return TemporaryName("p.qvl", EndedProcess()); }, false, true},
        DebrisCase{"RunningWriter", [] { return TemporaryName("p.qvl", int(::getpid())); }, false, false},
        DebrisCase{"RunningWriterLongIdle", [] { return TemporaryName("p.qvl", int(::getpid())); }, true, true},
        DebrisCase{"WriterElsewhere", [] { return ElsewhereTemporary; }, false, false},
        DebrisCase{"WriterElsewhereLongIdle", [] { return ElsewhereTemporary; }, true, true},
        DebrisCase{"NotHidden", [] { return std::string("p.qvl.tolvane-tmp-1@x.Ab12Cd"); }, true, false},
        DebrisCase{"UsersNotes", [] { return std::string(".p.qvl.tolvane-tmp-notes"); }, true, false},
        DebrisCase{"PlainHiddenCopy", [] { return std::string(".p.qvl.Ab12Cd"); }, true, false},
        DebrisCase{"LongerSuffix", [] { return ElsewhereTemporary + "x"; }, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DebrisTest, FolderOfOurPatternStays)
{
    test::TempDir dir;
    const std::string folder = dir.file(TemporaryName("p.qvl", EndedProcess()));
    fs::create_directory(folder);
    WriteFileAtomically(dir.file("p.qvl"), "saved");
    EXPECT_TRUE(fs::is_directory(folder));
}

struct LinkCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link, what it points to ("@" for the test folder)
    std::string saved;
    std::string target;
};

bool HasHiddenFile(const fs::path& folder)
{
    const std::vector<std::string> names = NamesIn(folder);
    return std::any_of(names.begin(), names.end(), [](const std::string& name) { return name.front() == '.'; });
}

class SaveThroughLinkTest : public testing::TestWithParam<LinkCase> {};

TEST_P(SaveThroughLinkTest, WritesTheFinalTargetAndKeepsTheLinks)
{
    test::TempDir dir;
    fs::create_directories(dir.path() / "real" / "deep");
    fs::create_directory(dir.path() / "links");
    for (auto [link, to] : GetParam().links) {
        if (to.front() == '@')
            to = dir.file(to.substr(1));
        fs::create_symlink(to, dir.path() / link);
    }
    WriteFileAtomically(dir.file(GetParam().saved), "new");

    EXPECT_EQ(test::ReadText(dir.file(GetParam().target)), "new");
    for (const auto& [link, to] : GetParam().links)
        EXPECT_TRUE(fs::is_symlink(dir.path() / link)) << link;
    EXPECT_FALSE(HasHiddenFile(fs::path(dir.file(GetParam().target)).parent_path()));
    EXPECT_FALSE(HasHiddenFile(dir.path() / "links"));
}

INSTANTIATE_TEST_SUITE_P(
    Links, SaveThroughLinkTest,
    testing::Values(LinkCase{"Relative", {{"links/p.qvl", "../real/p.qvl"}}, "links/p.qvl", "real/p.qvl"},
                    LinkCase{"Absolute", {{"links/p.qvl", "@real/p.qvl"}}, "links/p.qvl", "real/p.qvl"},
                    LinkCase{"Chain",
                             {{"links/p.qvl", "q.qvl"}, {"links/q.qvl", "../real/deep/p.qvl"}},
                             "links/p.qvl",
                             "real/deep/p.qvl"},
                    LinkCase{"LinkedFolderOnTheWay",
                             {{"links/sub", "../real/deep"}, {"links/p.qvl", "sub/p.qvl"}},
                             "links/p.qvl",
                             "real/deep/p.qvl"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveThroughLinkTest, ExistingTargetIsReplacedAndALoopIsAWriteError)
{
    test::TempDir dir;
    test::WriteText(dir.file("real.qvl"), "old");
    fs::create_symlink("real.qvl", dir.path() / "p.qvl");
    WriteFileAtomically(dir.file("p.qvl"), "new");
    EXPECT_EQ(test::ReadText(dir.file("real.qvl")), "new");

    fs::create_symlink("loop.qvl", dir.path() / "loop.qvl");
    EXPECT_THROW(WriteFileAtomically(dir.file("loop.qvl"), "x"), FileWriteError);
}

// Both ways of naming the file replace it with the same owner and mode.
using Save = std::function<void(const std::string& folder, const std::string& name)>;

class KeepsOwnerAndModeTest : public testing::TestWithParam<Save> {};

TEST_P(KeepsOwnerAndModeTest, ReplacedFileKeepsThem)
{
    test::TempDir dir;
    const std::string path = dir.file("f");
    test::WriteText(path, "old");
    ::chmod(path.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    }
    GetParam()(dir.path().string(), "f");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(test::ReadText(path), "new");
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (!root) {
        GTEST_SKIP() << "the owner is kept only where the process may give files away";
    }
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

void Commit(AtomicFile& file)
{
    file.write("new", 3);
    file.commit(false);
}

INSTANTIATE_TEST_SUITE_P(Writers, KeepsOwnerAndModeTest,
                         testing::Values(
                             [](const std::string& folder, const std::string& name) {
                                 AtomicFile file(JoinPath(folder, name));
                                 Commit(file);
                             },
                             [](const std::string& folder, const std::string& name) {
                                 AtomicFile file(OpenFolder::Open(folder), name, JoinPath(folder, name));
                                 Commit(file);
                             }));

TEST(AtomicFileTest, NameAtTheLengthLimitIsWritten)
{
    test::TempDir dir;
    const std::string name = std::string(250, 'n') + ".bmp";
    WriteFileAtomically(dir.file(name), "long");
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{name});
    EXPECT_LE(TemporaryName(name, 1 << 22).size(), std::size_t(NAME_MAX));
}

}  // namespace
}  // namespace tolv
