#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace tolv {
namespace {

using Json = nlohmann::json;
using test::RunCli;

std::vector<Json> JsonLines(const std::string& text)
{
    std::vector<Json> events;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        events.push_back(Json::parse(line));
        EXPECT_TRUE(events.back().contains("event")) << line;
    }
    return events;
}

std::vector<Json> EventsOf(const std::vector<Json>& events, const std::string& kind)
{
    std::vector<Json> found;
    for (const Json& event : events) {
        if (event["event"] == kind)
            found.push_back(event);
    }
    return found;
}

// A clip and a background of f1 and a clip of f2, saved as test.qvl.
class CliPipelineTest : public testing::Test {
protected:
    void SetUp() override
    {
        build.frame("f1.bmp", test::PatternFrame(40, 30, 24, 1)).frame("f2.bmp", test::PatternFrame(40, 30, 24, 2));
        build.region(RegionKind::Clip, 2, 3, 10, 6, {{"f1.bmp", "c1.bmp"}, {"f2.bmp", "c2.bmp"}}, "Door");
        build.region(RegionKind::Background, 0, 0, 1, 1, {{"f1.bmp", "bg.bmp"}}, "Back");
        SaveProject(build.project);
    }

    std::string project() const { return "'" + build.project.ProjectFilePath() + "'"; }
    std::string index() const { return "'" + dir.file("run.json") + "'"; }
    std::string outputPath(const Json& write) const
    {
        return JoinPath(build.project.ProjectFolder, write["file"].get<std::string>());
    }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
};

TEST_F(CliPipelineTest, JsonWriteEventsMatchTheFilesWritten)
{
    const test::CliResult dry = RunCli("extract --json --dry-run " + project());
    const test::CliResult real = RunCli("extract --json " + project());
    ASSERT_EQ(real.exitCode, 0) << real.err;
    const std::vector<Json> events = JsonLines(real.out);
    EXPECT_EQ(events.front()["event"], "start");
    EXPECT_EQ(events.back(),
              Json::parse(R"({"event":"done","result":"finished","written":3,"skipped":0,"refused":0,"problems":0})"));
    EXPECT_EQ(EventsOf(events, "frame").size(), 2u);
    const std::vector<Json> writes = EventsOf(events, "write");
    const std::vector<Json> planned = EventsOf(JsonLines(dry.out), "write");
    ASSERT_EQ(writes.size(), planned.size());
    std::set<std::string> files;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(std::filesystem::file_size(outputPath(writes[i])), writes[i]["bytes"].get<std::uintmax_t>());
        EXPECT_FALSE(planned[i].contains("bytes"));
        Json withoutBytes = writes[i];
        withoutBytes.erase("bytes");
        EXPECT_EQ(planned[i], withoutBytes);
        files.insert(writes[i]["file"].get<std::string>());
    }
    EXPECT_EQ(files, std::set<std::string>({"VidIziz/bg.bmp", "VidIziz/c1.bmp", "VidIziz/c2.bmp"}));
    EXPECT_EQ(writes[1], Json::parse(R"({"event":"write","file":"VidIziz/c1.bmp","region":"Door","type":"clip",
        "frame":"f1.bmp","x":2,"y":3,"width":10,"height":6,"bpp":24,"bytes":246})"));
}

TEST_F(CliPipelineTest, RefusalsErrorsAndFindingsAreEvents)
{
    build.project.Regions[0]->OutputFile.set(0, "../up.bmp");
    build.project.Regions[0]->OutputFile.set(1, "nosuch/c2.bmp");
    SaveProject(build.project);
    const test::CliResult run = RunCli("extract --json " + project());
    EXPECT_EQ(run.exitCode, 3);
    const std::vector<Json> events = JsonLines(run.out);
    ASSERT_EQ(EventsOf(events, "refuse").size(), 1u);
    EXPECT_EQ(EventsOf(events, "refuse")[0]["output"], "../up.bmp");
    ASSERT_EQ(EventsOf(events, "error").size(), 1u);
    EXPECT_EQ(events.back()["result"], "failed");

    const test::CliResult check = RunCli("check --json " + project());
    EXPECT_EQ(check.exitCode, 1);
    const std::vector<Json> findings = EventsOf(JsonLines(check.out), "finding");
    EXPECT_FALSE(findings.empty());
    EXPECT_TRUE(findings[0].contains("subject") && findings[0].contains("message"));
}

TEST_F(CliPipelineTest, TheIndexListsEveryFileWithItsPlace)
{
    ASSERT_EQ(RunCli("extract --index " + index() + " " + project()).exitCode, 0);
    const Json document = Json::parse(test::ReadText(dir.file("run.json")));
    const Json& outputs = document["outputs"];
    ASSERT_EQ(outputs.size(), 3u);
    const std::vector<std::string> expected = {
        R"({"file":"VidIziz/bg.bmp","region":"Back","type":"background","frame":"f1.bmp","x":0,"y":0,"width":40,"height":30,"bpp":24})",
        R"({"file":"VidIziz/c1.bmp","region":"Door","type":"clip","frame":"f1.bmp","x":2,"y":3,"width":10,"height":6,"bpp":24})",
        R"({"file":"VidIziz/c2.bmp","region":"Door","type":"clip","frame":"f2.bmp","x":2,"y":3,"width":10,"height":6,"bpp":24})"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        Json entry = outputs[i];
        EXPECT_EQ(entry["bytes"], std::filesystem::file_size(outputPath(entry)));
        EXPECT_EQ(entry["framePosition"], entry["frame"] == "f1.bmp" ? 1 : 2);
        EXPECT_EQ(entry["frameBytes"], std::filesystem::file_size(dir.file(entry["frame"].get<std::string>())));
        for (const char* kept : {"bytes", "modified", "inputs", "frameBytes", "framePosition", "hash"})
            entry.erase(kept);
        EXPECT_EQ(entry, Json::parse(expected[i]));
    }
}

TEST_F(CliPipelineTest, NoIndexAfterAFailedRunAndNoFileOfTheUsersReplaced)
{
    build.project.Regions[0]->OutputFile.set(1, "nosuch/c2.bmp");
    SaveProject(build.project);
    EXPECT_EQ(RunCli("extract --index " + index() + " " + project()).exitCode, 3);
    EXPECT_FALSE(std::filesystem::exists(dir.file("run.json")));

    std::filesystem::remove_all(std::filesystem::path(build.output("x")).parent_path());
    test::WriteText(dir.file("run.json"), "{\"mine\": true}\n");
    const test::CliResult refused = RunCli("extract --index " + index() + " " + project());
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("is not an index of an extraction run"), std::string::npos) << refused.err;
    EXPECT_EQ(test::ReadText(dir.file("run.json")), "{\"mine\": true}\n");
    EXPECT_FALSE(std::filesystem::exists(build.output("bg.bmp")));
}

// Each place is refused before anything is opened or written; a FIFO would
// otherwise keep the run waiting for a writer for ever.
TEST_F(CliPipelineTest, AnIndexPlaceThatIsNoPlainFileOrAnOutputIsRefusedBeforeTheRun)
{
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder"));
    std::filesystem::create_directory(dir.file("VidIziz"));
    std::filesystem::create_directory_symlink(dir.file("VidIziz"), dir.file("outputs"));
    const std::string places[] = {dir.file("fifo"),           "/dev/null",
                                  dir.file("folder"),         build.output("c1.bmp"),
                                  dir.file("outputs/bg.bmp"), dir.file("folder/../VidIziz/./c2.bmp")};
    for (const std::string& place : places) {
        const test::CliResult refused = RunCli("extract --index '" + place + "' " + project());
        EXPECT_EQ(refused.exitCode, 2) << place;
        EXPECT_NE(refused.err.find(place), std::string::npos) << refused.err;
        EXPECT_FALSE(std::filesystem::exists(build.output("c1.bmp"))) << place;
    }
    ASSERT_EQ(RunCli("extract " + project()).exitCode, 0);
    std::filesystem::create_hard_link(build.output("c2.bmp"), dir.file("linked.json"));
    EXPECT_EQ(RunCli("extract --index '" + dir.file("linked.json") + "' " + project()).exitCode, 2);
    EXPECT_EQ(test::ReadText(build.output("c2.bmp")).substr(0, 2), "BM");
}

TEST_F(CliPipelineTest, ASecondChangedRunWritesNothing)
{
    ASSERT_EQ(RunCli("extract --changed --index " + index() + " " + project()).exitCode, 0);
    const test::CliResult again = RunCli("extract --changed --index " + index() + " " + project());
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(again.out.find("Animation frame f1.bmp\n     Unchanged bg.bmp\n     Unchanged c1.bmp\n"),
              std::string::npos)
        << again.out;
    EXPECT_EQ(again.out.find("Saving"), std::string::npos);
    const std::vector<Json> events =
        JsonLines(RunCli("extract --json --changed --index " + index() + " " + project()).out);
    EXPECT_EQ(EventsOf(events, "skip").size(), 3u);
    EXPECT_TRUE(EventsOf(events, "write").empty());
    EXPECT_EQ(Json::parse(test::ReadText(dir.file("run.json")))["outputs"].size(), 3u);
}

}  // namespace
}  // namespace tolv
