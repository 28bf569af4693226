#include "project/recovery.h"

#include "platform/errors.h"
#include "platform/io/files.h"
#include "project/project_file.h"
#include "project/recovery_folder.h"
#include "project/recovery_lock.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>
#include <functional>

namespace tolv {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

namespace fs = std::filesystem;

constexpr const char* ProjectText2Regions = "[Main]\r\nVersion2=1\r\nRegions=2\r\n[Frames]\r\n1=f1.bmp\r\n2=f2.bmp\r\n"
                                            "[Region1]\r\nName=Caf\xC3\xA9\r\nPosition=1,2,30,40\r\n"
                                            "[Region2]\r\nName=B\r\nPosition=5,5,10,10\r\n";

void SetModified(const std::string& path, std::time_t when)
{
    const utimbuf times{when, when};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
}

// Latin-1 text as UTF-16 with its byte order mark.
std::string Utf16(const std::string& latin1, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : latin1) {
        bytes += bigEndian ? '\0' : c;
        bytes += bigEndian ? c : '\0';
    }
    return bytes;
}

class RecoveryFiles : public testing::Test {
protected:
    std::string Folder() const { return dir.file("state/tolvane/recovery"); }
    RecoveryFolder Open() const { return RecoveryFolder::Open(Folder()); }

    TempDir dir;
};

TEST_F(RecoveryFiles, StemsAreNamedPerProjectPath)
{
    const std::string a = RecoveryStem(dir.file("a/demo.qvl"));
    EXPECT_TRUE(a.starts_with("demo.qvl."));
    EXPECT_NE(a, RecoveryStem(dir.file("b/demo.qvl")));
    EXPECT_EQ(a, RecoveryStem(dir.file("a/../a/./demo.qvl")));
    EXPECT_EQ(RecoveryName(a, "12-3"), a + ".12-3.recovery");
}

struct FolderCase {
    const char* name;
    // Makes what stands at `folder` before it is opened; beside it lies a
    // private folder `elsewhere`.
    std::function<void(const std::string& folder, const std::string& elsewhere)> make;
    // Why it is refused; empty for a folder that is used.
    std::string reason;
};

class RecoveryFolders : public RecoveryFiles, public testing::WithParamInterface<FolderCase> {};

TEST_P(RecoveryFolders, AreMadePrivateOrRefused)
{
    const std::string elsewhere = dir.file("elsewhere");
    fs::create_directories(FolderPart(Folder()));
    fs::create_directory(elsewhere);
    fs::permissions(elsewhere, fs::perms::owner_all);
    GetParam().make(Folder(), elsewhere);
    if (IsSkipped())
        return;
    // Whatever the umask leaves of a new folder's mode.
    const mode_t umask = ::umask(0277);
    const RecoveryFolder folder = Open();
    ::umask(umask);

    EXPECT_EQ(folder.refusal(), GetParam().reason.empty() ? "" : Folder() + GetParam().reason);
    EXPECT_EQ(folder.usable(), GetParam().reason.empty());
    if (folder.usable())
        EXPECT_EQ(fs::status(Folder()).permissions(), fs::perms::owner_all);
    else
        EXPECT_THROW(folder.write("x.recovery", "[Main]\r\n"), FileWriteError);
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

INSTANTIATE_TEST_SUITE_P(Recovery, RecoveryFolders,
                         testing::Values(FolderCase{"Missing", [](const std::string&, const std::string&) {}, ""},
                                         FolderCase{"Mode0777",
                                                    [](const std::string& f, const std::string&) {
                                                        fs::create_directory(f);
                                                        fs::permissions(f, fs::perms::all);
                                                    },
                                                    " has mode 0777, not 0700"},
                                         FolderCase{"LinkToAPrivateFolder",
                                                    [](const std::string& f, const std::string& elsewhere) {
                                                        fs::create_directory_symlink(elsewhere, f);
                                                    },
                                                    " is a symbolic link"},
                                         FolderCase{"AnotherUsers",
                                                    [](const std::string& f, const std::string&) {
                                                        if (::geteuid() != 0)
                                                            GTEST_SKIP()
                                                                << "only root can make a folder that another user owns";
                                                        fs::create_directory(f);
                                                        fs::permissions(f, fs::perms::owner_all);
                                                        ::chown(f.c_str(), 65534, 65534);
                                                    },
                                                    " belongs to another user"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Planted {
    const char* name;
    // Plants something at `at` that points at the user's file `victim`.
    std::function<void(const std::string& at, const std::string& victim)> plant;
};

class PlantedNames : public RecoveryFiles, public testing::WithParamInterface<Planted> {};

TEST_P(PlantedNames, AreReplacedAndWhatTheyPointAtIsLeftAsItWas)
{
    const RecoveryFolder folder = Open();
    ASSERT_TRUE(folder.usable());
    const std::string victim = dir.file("precious.txt");
    WriteText(victim, "the user's own file\n");
    const std::string name = RecoveryName(RecoveryStem(dir.file("demo.qvl")), "1-1");
    GetParam().plant(folder.pathOf(name), victim);

    folder.write(name, "[Main]\r\nRep=kept\r\n");
    EXPECT_EQ(ReadText(victim), "the user's own file\n");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder.pathOf(name))));
    EXPECT_EQ(ReadText(folder.pathOf(name)), "[Main]\r\nRep=kept\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, PlantedNames,
    testing::Values(Planted{"Link",
                            [](const std::string& at, const std::string& victim) { fs::create_symlink(victim, at); }},
                    Planted{"DanglingLink", [](const std::string& at,
                                               const std::string& victim) { fs::create_symlink(victim + ".new", at); }},
                    Planted{"HardLink", [](const std::string& at,
                                           const std::string& victim) { fs::create_hard_link(victim, at); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecoveryFiles, A240ByteProjectNameGetsAFileThatFits)
{
    const std::string project = dir.file(std::string(236, 'n') + ".qvl");
    const std::string other = dir.file(std::string(236, 'n') + "x.qvl");
    const RecoveryFolder folder = Open();
    const std::string stem = RecoveryStem(project);
    EXPECT_NE(stem, RecoveryStem(other)) << "the hash keeps names that were cut apart";

    // The longest tag, and the longest name: a file set aside.
    folder.write(RecoveryName(stem, "4194304-4294967295"), ProjectText2Regions);
    const auto offers = LeftBehindRecoveries(folder, project);
    ASSERT_EQ(offers.size(), 1u);
    const std::string aside = SetRecoveryAside(folder, offers[0].Name);
    ASSERT_FALSE(aside.empty());
    EXPECT_LE(NamePart(aside).size(), 255u);
}

// What a running window keeps is its own; what a crashed one left is offered.
TEST_F(RecoveryFiles, OnlyFilesOfWindowsNoLongerRunningAreOfferedNewestFirst)
{
    const RecoveryFolder folder = Open();
    const std::string project = dir.file("demo.qvl");
    const std::string stem = RecoveryStem(project);
    WriteText(project, "[Main]\r\n");
    SetModified(project, 2000000000);
    const auto keep = [&](const std::string& name, std::time_t when) {
        folder.write(name, "[Main]\r\n");
        SetModified(folder.pathOf(name), when);
    };
    keep(RecoveryName(stem, "10-1"), 2000000100);
    const ProjectLock running = ProjectLock::Take(folder, LockName(stem, "10-1"));
    ASSERT_TRUE(running.held());
    keep(RecoveryName(stem, "11-1"), 1900000000);
    keep(RecoveryName(stem, "12-2"), 2000000050);
    WriteText(folder.pathOf(LockName(stem, "12-2")), "");
    keep(stem + ".recovery", 1800000000);
    keep(RecoveryName(RecoveryStem(dir.file("other.qvl")), "13-1"), 2000000200);

    const auto offers = LeftBehindRecoveries(folder, project);
    ASSERT_EQ(offers.size(), 3u);
    EXPECT_EQ(offers[0].Name, RecoveryName(stem, "12-2"));
    EXPECT_FALSE(offers[0].ProjectNewer);
    EXPECT_EQ(offers[1].Name, RecoveryName(stem, "11-1"));
    EXPECT_TRUE(offers[1].ProjectNewer) << "another window saved after these edits";
    EXPECT_EQ(offers[2].Name, stem + ".recovery");
    EXPECT_FALSE(FileExists(folder.pathOf(LockName(stem, "12-2")))) << "a stale lock goes";
}

TEST_F(RecoveryFiles, AProjectIsOpenElsewhereWhileAnotherWindowHoldsItsLock)
{
    const RecoveryFolder folder = Open();
    const std::string project = dir.file("demo.qvl");
    const std::string stem = RecoveryStem(project);
    const std::string tag = NewWindowTag(folder);
    EXPECT_NE(tag, NewWindowTag(folder));
    {
        const ProjectLock own = ProjectLock::Take(folder, LockName(stem, tag));
        EXPECT_FALSE(OpenInAnotherWindow(folder, project, tag));
        EXPECT_TRUE(OpenInAnotherWindow(folder, project, "1-1"));
        EXPECT_FALSE(OpenInAnotherWindow(folder, dir.file("other.qvl"), "1-1"));
    }
    EXPECT_FALSE(OpenInAnotherWindow(folder, project, "1-1"));
    EXPECT_TRUE(fs::is_empty(Folder())) << "the lock goes with its window";

    WriteText(folder.pathOf(LockName(stem, "99-1")), "");
    EXPECT_FALSE(OpenInAnotherWindow(folder, project, tag)) << "a crashed window's lock";
    EXPECT_TRUE(fs::is_empty(Folder()));
}

TEST_F(RecoveryFiles, ANewWindowTagIsOneNoFileCarries)
{
    const RecoveryFolder folder = Open();
    const std::string pid = std::to_string(::getpid());
    const std::string next = NewWindowTag(folder);
    const int number = std::stoi(next.substr(next.find('-') + 1));
    const std::string stem = RecoveryStem(dir.file("demo.qvl"));
    folder.write(RecoveryName(stem, pid + "-" + std::to_string(number + 1)), "[Main]\r\n");
    folder.write(LockName(stem, pid + "-" + std::to_string(number + 2)), "");
    EXPECT_EQ(NewWindowTag(folder), pid + "-" + std::to_string(number + 3));
}

struct RecoveryText {
    const char* name;
    std::string bytes;
    bool usable;
};

class RecoveryTexts : public RecoveryFiles, public testing::WithParamInterface<RecoveryText> {};

// Recovered edits are read as the project file itself would be; one that
// would lose regions or frames is not used.
TEST_P(RecoveryTexts, LoadAsTheProjectReaderReadsThemOrNotAtAll)
{
    const std::string recovery = dir.file("kept.recovery");
    WriteText(recovery, GetParam().bytes);
    Project project;
    project.Rep = "open";
    if (!GetParam().usable) {
        EXPECT_THROW(LoadRecovery(project, recovery, dir.file("demo.qvl")), TolvError);
        EXPECT_EQ(project.Rep, "open");
        return;
    }
    LoadRecovery(project, recovery, dir.file("demo.qvl"));
    ASSERT_EQ(project.Regions.size(), 2u);
    EXPECT_EQ(project.FrameCount(), 2);
    EXPECT_EQ(project.Regions[0]->Name, "Caf\xC3\xA9");
    EXPECT_EQ(project.Regions[1]->Left, 5);
}

std::string Swapped(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, RecoveryTexts,
    testing::Values(
        RecoveryText{"Utf8", ProjectText2Regions, true},
        RecoveryText{"Windows1252", Swapped(ProjectText2Regions, "Caf\xC3\xA9", "Caf\xE9"), true},
        RecoveryText{"Utf16LittleEndian", Utf16(Swapped(ProjectText2Regions, "Caf\xC3\xA9", "Caf\xE9"), false), true},
        RecoveryText{"Utf16BigEndian", Utf16(Swapped(ProjectText2Regions, "Caf\xC3\xA9", "Caf\xE9"), true), true},
        RecoveryText{"FewerRegionsThanSections", Swapped(ProjectText2Regions, "Regions=2", "Regions=1"), false},
        RecoveryText{"NoRegionCount", Swapped(ProjectText2Regions, "Regions=2", "Regions=1e3"), false},
        RecoveryText{"Empty", "", false}, RecoveryText{"NotAProject", "\x89PNG\r\n\x1A\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecoveryFiles, RecoveredEditsLoadUnderTheProjectsName)
{
    const std::string recovery = dir.file("kept");
    WriteText(recovery, "[Main]\r\nRep=edited\r\n");
    Project project;
    LoadRecovery(project, recovery, dir.file("demo.qvl"));
    EXPECT_EQ(project.Rep, "edited");
    EXPECT_EQ(project.ProjectFilePath(), dir.file("demo.qvl"));
}

}  // namespace
}  // namespace tolv
