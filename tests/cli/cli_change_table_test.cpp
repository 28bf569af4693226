#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <set>

namespace tolv {
namespace {

namespace fs = std::filesystem;
using test::RunCli;

enum class Outcome { Identical, StaleDocumented, StaleSilent };

// A project of three frames, the third a symbolic link, with a clip of each,
// two backgrounds (one PNG), an overlay painted into f2 and f3 and one
// reached through a link painted into f1.
class ChangedProject {
public:
    ChangedProject()
    {
        fs::create_directories(folder() / "real");
        build.frame("f1.bmp", test::PatternFrame(40, 30, 24, 1)).frame("f2.bmp", test::PatternFrame(40, 30, 24, 2));
        save(test::PatternFrame(40, 30, 24, 3), "real/f3.bmp");
        fs::create_symlink("real/f3.bmp", folder() / "f3.bmp");
        build.listFrame("f3.bmp", FrameLoaded);
        build.region(RegionKind::Clip, 2, 3, 10, 6, {{"f1.bmp", "c1.bmp"}, {"f2.bmp", "c2.bmp"}, {"f3.bmp", "c3.bmp"}},
                     "Door");
        build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "bg.bmp"}, {"f3.bmp", "bg3.png"}}, "Back");
        build.overlay(1, 1, 8, 8, test::PatternFrame(8, 8, 24, 4), {{"f2.bmp", ""}, {"f3.bmp", ""}}, "badge.bmp");
        save(test::PatternFrame(6, 6, 24, 5), "real/ovl.bmp");
        fs::create_symlink("real/ovl.bmp", folder() / "ovl_link.bmp");
        build.overlay(20, 10, 6, 6, test::PatternFrame(6, 6, 24, 5), {{"f1.bmp", ""}}, "ovl_link.bmp");
        SaveProject(build.project);
    }

    fs::path folder() const { return dir.path() / "p"; }
    std::string path(const std::string& name) const { return (folder() / name).string(); }
    void save(const Bitmap& image, const std::string& name) const
    {
        AtomicFile file(path(name));
        SaveImageFile(image, file, OutputFormatOf(name), DefaultPngLevel);
    }
    // New bytes of the same size; `keepTime` puts the modification time back.
    void edit(const std::string& name, int seed, bool keepTime, int width = 40, int height = 30) const
    {
        const fs::file_time_type time = fs::last_write_time(path(name));
        save(test::PatternFrame(width, height, 24, seed), name);
        if (keepTime)
            fs::last_write_time(path(name), time);
    }
    Region& region(const std::string& name)
    {
        for (auto& region : build.project.Regions)
            if (region->Name == name)
                return *region;
        throw std::logic_error(name);
    }
    void saveProject() { SaveProject(build.project); }

    std::string cli(const std::string& options) const
    {
        return "extract " + options + " '" + build.project.ProjectFilePath() + "'";
    }
    std::string index() const { return "--index '" + (dir.path() / "run.json").string() + "'"; }

    test::TempDir dir;
    test::ProjectBuilder build{(dir.path() / "p").string()};
};

std::map<std::string, std::string> FilesIn(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        files[name] = entry.is_symlink() ? "link" : entry.is_regular_file() ? test::ReadText(entry.path()) : "";
    }
    return files;
}

// The files a run's stderr names as stale and left in place.
std::set<std::string> ReportedStale(const std::string& err)
{
    std::set<std::string> names;
    const std::string marker = " is no longer made by this project";
    for (std::size_t at = err.find(marker); at != std::string::npos; at = err.find(marker, at + 1)) {
        const std::size_t start = err.rfind("VidIziz/", at) + 8;
        const std::size_t end = err.find('\n', at);
        if (err.substr(at + marker.size(), end - at - marker.size()) != ": removed")
            names.insert(err.substr(start, at - start));
    }
    return names;
}

struct ChangeCase {
    const char* name;
    std::string rule;  // the --changed rule of both runs
    std::function<void(ChangedProject&)> change;
    std::string secondRun;  // options of the run after the change, and of the clean run
    // Outputs the documented rule keeps although an input changed: by stamp,
    // an input whose size and time were kept.
    std::set<std::string> keptByRule;
    Outcome expected;
};

// Compares VidIziz after --index then --changed with a clean run of the
// changed project: identical, or differing only as the README says (files
// reported stale and left in place, outputs of inputs that kept their stamp).
Outcome RunCase(const ChangeCase& c)
{
    ChangedProject project;
    // A removed overlay leaves its frames unpainted, which is no failure here.
    const std::string rule = "--allow-missing --changed=" + c.rule + " " + project.index();
    EXPECT_EQ(RunCli(project.cli(rule)).exitCode, 0) << c.name;
    c.change(project);
    const test::CliResult second = RunCli(project.cli(rule + " " + c.secondRun));
    EXPECT_EQ(second.exitCode, 0) << c.name << second.err;

    const fs::path clean = project.dir.path() / "clean";
    fs::copy(project.folder(), clean, fs::copy_options::recursive);
    fs::remove_all(clean / "VidIziz");
    // A clean run has no index to prune.
    std::string switches = c.secondRun;
    if (const std::size_t prune = switches.find("--prune"); prune != std::string::npos)
        switches.erase(prune, 7);
    EXPECT_EQ(RunCli("extract --allow-missing " + switches + " '" + (clean / "test.qvl").string() + "'").exitCode, 0)
        << c.name;

    const auto made = FilesIn(project.folder() / "VidIziz");
    const auto expected = FilesIn(clean / "VidIziz");
    if (made == expected)
        return Outcome::Identical;
    std::set<std::string> extra;
    for (const auto& [name, bytes] : made) {
        const auto found = expected.find(name);
        if (found == expected.end())
            extra.insert(name);
        else if (found->second != bytes && !c.keptByRule.contains(name))
            return Outcome::StaleSilent;
    }
    for (const auto& [name, bytes] : expected)
        if (!made.contains(name))
            return Outcome::StaleSilent;
    return extra == ReportedStale(second.err) ? Outcome::StaleDocumented : Outcome::StaleSilent;
}

void RenameDoor(ChangedProject& p, const std::string& prefix)
{
    for (int r = 0; r < 3; ++r)
        p.region("Door").OutputFile.set(r, prefix + std::to_string(r + 1) + ".bmp");
    p.saveProject();
}

void RenameC1(ChangedProject& p)
{
    p.region("Door").OutputFile.set(0, "d1.bmp");
    p.saveProject();
}

std::vector<ChangeCase> Cases()
{
    const auto nothing = [](ChangedProject&) {};
    const auto editF1 = [](ChangedProject& p) { p.edit("f1.bmp", 11, false); };
    const auto editLinkedF3 = [](ChangedProject& p) { p.edit("real/f3.bmp", 13, false); };
    const auto keptF2 = [](ChangedProject& p) { p.edit("f2.bmp", 12, true); };
    const auto keptLinkedF3 = [](ChangedProject& p) { p.edit("real/f3.bmp", 13, true); };
    const auto relinkF3 = [](ChangedProject& p) {
        p.save(test::PatternFrame(40, 30, 24, 14), "real/f3b.bmp");
        fs::remove(p.folder() / "f3.bmp");
        fs::create_symlink("real/f3b.bmp", p.folder() / "f3.bmp");
    };
    const auto editBadge = [](ChangedProject& p) { p.edit("badge.bmp", 15, false, 8, 8); };
    const auto keptBadge = [](ChangedProject& p) { p.edit("badge.bmp", 15, true, 8, 8); };
    const auto editLinkedOverlay = [](ChangedProject& p) { p.edit("real/ovl.bmp", 16, false, 6, 6); };
    const auto keptLinkedOverlay = [](ChangedProject& p) { p.edit("real/ovl.bmp", 16, true, 6, 6); };
    const auto removeBadge = [](ChangedProject& p) { fs::remove(p.folder() / "badge.bmp"); };
    const auto renameC1 = RenameC1;
    const auto removeBack = [](ChangedProject& p) {
        std::erase_if(p.build.project.Regions, [](const auto& r) { return r->Name == "Back"; });
        p.saveProject();
    };
    const auto toPng = [](ChangedProject& p) {
        p.region("Door").OutputFile.set(1, "c2.png");
        p.saveProject();
    };
    const auto dropF2 = [](ChangedProject& p) {
        p.build.project.SetFrameNames({"f1.bmp", "f3.bmp"});
        p.saveProject();
    };
    const auto fillNewNames = [](ChangedProject& p) { RenameDoor(p, "door_"); };
    const auto moveDoor = [](ChangedProject& p) {
        p.region("Door").Left = 5;
        p.saveProject();
    };
    const auto reorder = [](ChangedProject& p) {
        p.build.project.SetFrameNames({"f3.bmp", "f1.bmp", "f2.bmp"});
        p.saveProject();
    };
    const auto cleanEdges = [](ChangedProject& p) {
        p.build.project.CleanEdges = true;
        p.saveProject();
    };
    const auto editOutput = [](ChangedProject& p) { test::WriteText(p.path("VidIziz/c1.bmp"), "mine"); };
    const auto removeOutput = [](ChangedProject& p) { fs::remove(p.folder() / "VidIziz/c2.bmp"); };
    const auto renameThenTouchStale = [](ChangedProject& p) {
        RenameC1(p);
        test::WriteText(p.path("VidIziz/c1.bmp"), "edited by hand");
    };
    const auto renameThenLinkStale = [](ChangedProject& p) {
        RenameC1(p);
        fs::remove(p.folder() / "VidIziz/c1.bmp");
        fs::create_symlink("c2.bmp", p.folder() / "VidIziz/c1.bmp");
    };
    const auto renameThenFolderStale = [](ChangedProject& p) {
        RenameC1(p);
        fs::remove(p.folder() / "VidIziz/c1.bmp");
        fs::create_directory(p.folder() / "VidIziz/c1.bmp");
    };
    using O = Outcome;
    return {
        {"nothing by stamp", "stamp", nothing, "", {}, O::Identical},
        {"nothing by content", "content", nothing, "", {}, O::Identical},
        {"frame edited, stamp", "stamp", editF1, "", {}, O::Identical},
        {"frame edited, content", "content", editF1, "", {}, O::Identical},
        {"linked frame's target edited, stamp", "stamp", editLinkedF3, "", {}, O::Identical},
        {"linked frame's target edited, content", "content", editLinkedF3, "", {}, O::Identical},
        {"frame edited keeping size and time, stamp", "stamp", keptF2, "", {"c2.bmp"}, O::StaleDocumented},
        {"frame edited keeping size and time, content", "content", keptF2, "", {}, O::Identical},
        {"linked target kept size and time, stamp",
         "stamp",
         keptLinkedF3,
         "",
         {"c3.bmp", "bg3.png"},
         O::StaleDocumented},
        {"linked target kept size and time, content", "content", keptLinkedF3, "", {}, O::Identical},
        {"link pointed at another frame, stamp", "stamp", relinkF3, "", {}, O::Identical},
        {"link pointed at another frame, content", "content", relinkF3, "", {}, O::Identical},
        {"overlay edited, stamp", "stamp", editBadge, "", {}, O::Identical},
        {"overlay edited, content", "content", editBadge, "", {}, O::Identical},
        {"overlay kept size and time, stamp",
         "stamp",
         keptBadge,
         "",
         {"c2.bmp", "c3.bmp", "bg3.png"},
         O::StaleDocumented},
        {"overlay kept size and time, content", "content", keptBadge, "", {}, O::Identical},
        {"linked overlay's target edited, stamp", "stamp", editLinkedOverlay, "", {}, O::Identical},
        {"linked overlay's target edited, content", "content", editLinkedOverlay, "", {}, O::Identical},
        {"linked overlay kept size and time, stamp",
         "stamp",
         keptLinkedOverlay,
         "",
         {"c1.bmp", "bg.bmp"},
         O::StaleDocumented},
        {"linked overlay kept size and time, content", "content", keptLinkedOverlay, "", {}, O::Identical},
        {"overlay removed", "stamp", removeBadge, "", {}, O::Identical},
        {"output renamed", "stamp", renameC1, "", {}, O::StaleDocumented},
        {"output renamed, pruned", "stamp", renameC1, "--prune", {}, O::Identical},
        {"region removed", "content", removeBack, "", {}, O::StaleDocumented},
        {"region removed, pruned", "content", removeBack, "--prune", {}, O::Identical},
        {"bmp switched to png", "stamp", toPng, "", {}, O::StaleDocumented},
        {"bmp switched to png, pruned", "stamp", toPng, "--prune", {}, O::Identical},
        {"clips switched off", "stamp", nothing, "--no-clips", {}, O::StaleDocumented},
        {"clips switched off, pruned", "stamp", nothing, "--no-clips --prune", {}, O::Identical},
        {"frame dropped from the list", "stamp", dropF2, "", {}, O::StaleDocumented},
        {"frame dropped from the list, pruned", "content", dropF2, "--prune", {}, O::Identical},
        {"filled with new names", "stamp", fillNewNames, "", {}, O::StaleDocumented},
        {"filled with new names, pruned", "stamp", fillNewNames, "--prune", {}, O::Identical},
        {"region moved", "stamp", moveDoor, "", {}, O::Identical},
        {"frames reordered", "content", reorder, "", {}, O::Identical},
        {"edges cleaned", "stamp", cleanEdges, "", {}, O::Identical},
        {"output edited by hand", "stamp", editOutput, "", {}, O::Identical},
        {"output removed", "content", removeOutput, "", {}, O::Identical},
        {"stale file edited by hand, pruned", "stamp", renameThenTouchStale, "--prune", {}, O::StaleDocumented},
        {"stale file now a link, pruned", "stamp", renameThenLinkStale, "--prune", {}, O::StaleDocumented},
        {"stale file now a folder, pruned", "stamp", renameThenFolderStale, "--prune", {}, O::StaleDocumented},
    };
}

TEST(CliChangeTable, EveryChangeComesOutAsACleanRunOrAsTheRuleSays)
{
    std::map<Outcome, int> counts;
    for (const ChangeCase& c : Cases()) {
        const Outcome outcome = RunCase(c);
        ++counts[outcome];
        EXPECT_EQ(int(outcome), int(c.expected)) << c.name;
    }
    std::cout << "identical " << counts[Outcome::Identical] << ", stale-documented " << counts[Outcome::StaleDocumented]
              << ", stale-silent " << counts[Outcome::StaleSilent] << '\n';
    EXPECT_EQ(counts[Outcome::StaleSilent], 0);
}

}  // namespace
}  // namespace tolv
