#include "core/platform/ended_process.h"
#include "platform/errors.h"
#include "platform/io/atomic_file.h"
#include "platform/io/files.h"
#include "platform/io/temporary_files.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

namespace tolv {
namespace {

namespace fs = std::filesystem;

int HiddenFiles(const fs::path& folder)
{
    return int(std::count_if(fs::directory_iterator(folder), {},
                             [](const auto& entry) { return entry.path().filename().string().front() == '.'; }));
}

struct DebrisCase {
    const char* name;
    std::function<std::string()> fileName;
    bool old, removed;
};

class DebrisTest : public testing::TestWithParam<DebrisCase> {};

TEST_P(DebrisTest, SaveRemovesOnlyStaleTemporariesOfOurs)
{
    test::TempDir dir;
    const std::string debris = dir.file(GetParam().fileName());
    test::WriteText(debris, "debris");
    if (GetParam().old)
        fs::last_write_time(debris, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    WriteFileAtomically(dir.file("p.qvl"), "saved");
    EXPECT_EQ(fs::exists(debris), !GetParam().removed) << debris;
}

const std::string Elsewhere = ".p.qvl.tolvane-tmp-123@tolvane-test-elsewhere.Ab12Cd";

std::string OfThisProcess()
{
    return TemporaryName("p.qvl", int(::getpid()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DebrisTest,
    testing::Values(DebrisCase{"EndedWriterHere", [] { return TemporaryName("p.qvl", test::EndedProcess()); }, false,
                               true},
                    DebrisCase{"RunningWriter", OfThisProcess, false, false},
                    DebrisCase{"RunningWriterLongIdle", OfThisProcess, true, true},
                    DebrisCase{"WriterElsewhere", [] { return Elsewhere; }, false, false},
                    DebrisCase{"WriterElsewhereLongIdle", [] { return Elsewhere; }, true, true},
                    DebrisCase{"NotHidden", [] { return Elsewhere.substr(1); }, true, false},
                    DebrisCase{"UsersNotes", [] { return std::string(".p.qvl.tolvane-tmp-notes"); }, true, false},
                    DebrisCase{"PlainHiddenCopy", [] { return std::string(".p.qvl.Ab12Cd"); }, true, false},
                    DebrisCase{"LongerSuffix", [] { return Elsewhere + "x"; }, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct LinkCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link below "links", what it points to
    std::string target;
};

class SaveThroughLinkTest : public testing::TestWithParam<LinkCase> {};

TEST_P(SaveThroughLinkTest, ReplacesTheFinalTargetAndKeepsTheLinks)
{
    test::TempDir dir;
    fs::create_directories(dir.path() / "real" / "deep");
    fs::create_directory(dir.path() / "links");
    test::WriteText(dir.file(GetParam().target), "old");
    for (const auto& [link, to] : GetParam().links)
        fs::create_symlink(to.front() == '@' ? dir.file(to.substr(1)) : to, dir.path() / "links" / link);
    WriteFileAtomically(dir.file("links/p.qvl"), "new");

    EXPECT_EQ(test::ReadText(dir.file(GetParam().target)), "new");
    for (const auto& [link, to] : GetParam().links)
        EXPECT_TRUE(fs::is_symlink(dir.path() / "links" / link)) << link;
    EXPECT_EQ(HiddenFiles(fs::path(dir.file(GetParam().target)).parent_path()) + HiddenFiles(dir.path() / "links"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Links, SaveThroughLinkTest,
    testing::Values(LinkCase{"Relative", {{"p.qvl", "../real/p.qvl"}}, "real/p.qvl"},
                    LinkCase{"Absolute", {{"p.qvl", "@real/p.qvl"}}, "real/p.qvl"},
                    LinkCase{"Chain", {{"p.qvl", "q.qvl"}, {"q.qvl", "../real/deep/p.qvl"}}, "real/deep/p.qvl"},
                    LinkCase{"FolderOnTheWay", {{"sub", "../real/deep"}, {"p.qvl", "sub/p.qvl"}}, "real/deep/p.qvl"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveThroughLinkTest, LinkLoopIsAWriteError)
{
    test::TempDir dir;
    fs::create_symlink("loop.qvl", dir.path() / "loop.qvl");
    EXPECT_THROW(WriteFileAtomically(dir.file("loop.qvl"), "x"), FileWriteError);
}

// The file named by its path, and named inside an open folder.
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
        GTEST_SKIP() << "only root may give files away";
    }
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, KeepsOwnerAndModeTest,
    testing::Values([](const std::string& folder,
                       const std::string& name) { WriteFileAtomically(JoinPath(folder, name), "new"); },
                    [](const std::string& folder, const std::string& name) {
                        AtomicFile file(OpenFolder::Open(folder), name, JoinPath(folder, name));
                        file.write("new", 3);
                        file.commit(false);
                    }));

// A run hands each file a share of the output folder and may let go of its
// own before the file is put in place.
TEST(AtomicFileTest, AFileFinishedAfterItsFolderWasLetGoStillLandsThere)
{
    test::TempDir dir;
    std::optional<AtomicFile> file;
    {
        const OpenFolder folder = OpenFolder::Open(dir.path().string());
        file.emplace(folder.share(), "out.bmp", dir.file("out.bmp"));
    }
    file->write("new", 3);
    file->finish(true);
    EXPECT_EQ(HiddenFiles(dir.path()), 1);
    const std::optional<FileIdentity> written = file->commit(true);
    EXPECT_EQ(test::ReadText(dir.file("out.bmp")), "new");
    EXPECT_EQ(written, IdentityOf(dir.file("out.bmp")));
    EXPECT_EQ(HiddenFiles(dir.path()), 0);
}

TEST(AtomicFileTest, NameAtTheLengthLimitIsWritten)
{
    test::TempDir dir;
    const std::string name = std::string(250, 'n') + ".bmp";
    WriteFileAtomically(dir.file(name), "long");
    EXPECT_EQ(test::ReadText(dir.file(name)), "long");
    EXPECT_EQ(HiddenFiles(dir.path()), 0);
}

}  // namespace
}  // namespace tolv

namespace tolv {
namespace {

// The last look at the target comes when the new content is on disk, so a
// change made at any time before the rename is seen; what it raises leaves
// the target and no temporary behind.
TEST(AtomicFileTest, TheCheckBeforeTheRenameSeesTheTargetAsItIsThenAndCanStopIt)
{
    test::TempDir dir;
    const std::string path = dir.file("p.qvl");
    test::WriteText(path, "old");
    const FileIdentity old = IdentityOf(path);
    const auto changeThenCheck = [&] {
        EXPECT_EQ(test::ReadText(path), "old");
        EXPECT_EQ(HiddenFiles(dir.path()), 1) << "the new content waits beside it";
        test::WriteText(path, "changed meanwhile");
        if (IdentityOf(path) != old)
            throw FileWriteError(path);
    };
    EXPECT_THROW(WriteFileAtomically(path, "new", changeThenCheck), FileWriteError);
    EXPECT_EQ(test::ReadText(path), "changed meanwhile");
    EXPECT_EQ(HiddenFiles(dir.path()), 0);

    const FileIdentity written = WriteFileAtomically(path, "new", [] {});
    EXPECT_EQ(test::ReadText(path), "new");
    EXPECT_EQ(written, IdentityOf(path));
    EXPECT_NE(written, old);
}

}  // namespace
}  // namespace tolv
