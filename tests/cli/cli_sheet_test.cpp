#include "platform/image/image_file.h"
#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

namespace tolv {
namespace {

using Json = nlohmann::json;
using test::RunCli;

const std::string Header = "Processing project: test.qvl\n" + std::string(50, '*') + "\n\nExtracting VidIziz\n";

std::vector<Json> JsonLines(const std::string& text)
{
    std::vector<Json> events;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        events.push_back(Json::parse(line));
    return events;
}

// Three frames and a clip region cut from each, whose sheet is walk.png.
class CliSheetTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 3; ++i)
            build.frame("f" + std::to_string(i) + ".bmp", test::PatternFrame(40, 30, 24, i));
        walker().Sheet.File = "walk.png";
    }

    Region& walker()
    {
        if (build.project.Regions.empty())
            build.region(RegionKind::Clip, 2, 3, 10, 6,
                         {{"f1.bmp", "w1.bmp"}, {"f2.bmp", "w2.bmp"}, {"f3.bmp", "w3.bmp"}}, "Walker");
        return *build.project.Regions.front();
    }

    std::string save()
    {
        SaveProject(build.project);
        return "'" + build.project.ProjectFilePath() + "'";
    }

    Json atlas(const std::string& name = "walk.png.json") const
    {
        return Json::parse(test::ReadText(build.output(name)));
    }

    // Every frame the atlas lists holds the pixels of its own output file.
    void expectFramesMatchTheOutputs(const std::string& sheetName)
    {
        const Bitmap sheet = LoadImageFile(build.output(sheetName));
        const Json frames = atlas(sheetName + ".json").at("frames");
        ASSERT_EQ(frames.size(), 3u);
        for (int i = 1; i <= 3; ++i) {
            const std::string name = "w" + std::to_string(i) + ".bmp";
            const Json& frame = frames.at(name);
            const Bitmap clip = LoadImageFile(build.output(name));
            const Json& at = frame.at("frame");
            const Json& from = frame.at("spriteSourceSize");
            EXPECT_EQ(frame.at("sourceSize"), (Json{{"w", clip.width()}, {"h", clip.height()}}));
            for (int y = 0; y < at.at("h").get<int>(); ++y) {
                for (int x = 0; x < at.at("w").get<int>(); ++x)
                    ASSERT_EQ(sheet.pixel(at.at("x").get<int>() + x, at.at("y").get<int>() + y),
                              clip.pixel(from.at("x").get<int>() + x, from.at("y").get<int>() + y))
                        << name << " at " << x << "," << y;
            }
        }
    }

    test::TempDir dir;
    test::ProjectBuilder build{dir.path().string()};
};

TEST_F(CliSheetTest, TheSheetFollowsTheRegionsClips)
{
    const test::CliResult result = RunCli("extract " + save());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, Header
                              + "Animation frame f1.bmp\n     Saving clip w1.bmp.\n"
                                "Animation frame f2.bmp\n     Saving clip w2.bmp.\n"
                                "Animation frame f3.bmp\n     Saving clip w3.bmp.\n"
                                "Sprite sheet of region Walker\n"
                                "     Saving sheet walk.png.\n"
                                "     Saving atlas walk.png.json.\n"
                                "All Done!!!\n");
    expectFramesMatchTheOutputs("walk.png");
    const Json meta = atlas().at("meta");
    EXPECT_EQ(meta.at("image"), "walk.png");
    EXPECT_EQ(meta.at("size"), (Json{{"w", 30}, {"h", 6}}));
    EXPECT_EQ(meta.at("frameTags"), Json::parse(R"([{"name":"Walker","from":0,"to":2,"direction":"forward"}])"));
}

TEST_F(CliSheetTest, EveryLayoutHoldsEachOutputsPixels)
{
    for (const char* layout : {"row", "column", "grid:2", "packed"}) {
        for (const char* flags : {"", " --padding 2 --trim"}) {
            const test::CliResult result =
                RunCli("extract " + save() + " >/dev/null && '" TOLV_CLI "' sheet " + save()
                       + " --region Walker --layout " + layout + flags + " --output sheet.bmp");
            ASSERT_EQ(result.exitCode, 0) << layout << flags << result.err;
            expectFramesMatchTheOutputs("sheet.bmp");
        }
    }
}

TEST_F(CliSheetTest, ShowListsTheSheetOfARegionThatHasOne)
{
    walker().Sheet.Layout = {SheetArrangement::Grid, 4};
    build.region(RegionKind::Clip, 0, 0, 5, 5, {{"f1.bmp", "other.bmp"}}, "Plain");
    const Json regions = Json::parse(RunCli("show --json " + save()).out).at("Regions");
    EXPECT_EQ(regions.at(0).at("Sheet").at("File"), "walk.png");
    EXPECT_EQ(regions.at(0).at("Sheet").at("Layout"), "grid:4");
    EXPECT_FALSE(regions.at(1).contains("Sheet"));
}

TEST_F(CliSheetTest, ASheetOnlyRegionWritesNoClip)
{
    walker().Sheet.SheetOnly = true;
    const test::CliResult result = RunCli("extract " + save());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, Header
                              + "Sprite sheet of region Walker\n"
                                "     Saving sheet walk.png.\n"
                                "     Saving atlas walk.png.json.\n"
                                "All Done!!!\n");
    EXPECT_FALSE(std::filesystem::exists(build.output("w1.bmp")));
    EXPECT_EQ(atlas().at("frames").size(), 3u);
}

// The atlas goes only where every output may go.
TEST_F(CliSheetTest, ADryRunReportsTheSheetAndWritesNothing)
{
    const test::CliResult result = RunCli("extract --dry-run --json --sheet-format array " + save());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> kinds;
    for (const Json& event : JsonLines(result.out)) {
        if (event.at("event") == "write" && event.contains("kind")) {
            kinds.push_back(event.at("kind"));
            EXPECT_EQ(event.at("width"), 30);
        }
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"sheet", "atlas"}));
    EXPECT_FALSE(std::filesystem::exists(build.output("")));
}

TEST_F(CliSheetTest, AnIncrementalRunRemakesTheSheetOnlyWhenAFrameChanged)
{
    const std::string project = save();
    int seed = 9;
    for (const std::string rule : {"stamp", "content"}) {
        const std::string index = " --index '" + dir.file(rule + ".json") + "' ";
        const std::string changed = " --changed=" + rule;
        ASSERT_EQ(RunCli("extract" + changed + index + project).exitCode, 0);
        const test::CliResult same = RunCli("extract" + changed + index + project);
        EXPECT_NE(same.out.find("Sprite sheet of region Walker\n     Unchanged walk.png\n"
                                "     Unchanged walk.png.json\n"),
                  std::string::npos)
            << rule << same.out;

        AtomicFile file(build.project.FramePath("f2.bmp"));
        SaveImageFile(test::PatternFrame(40, 30, 24, ++seed), file, ImageFormat::Bmp, 0);
        const test::CliResult remade = RunCli("extract" + changed + index + project);
        EXPECT_NE(remade.out.find("     Saving clip w2.bmp.\n"), std::string::npos) << rule << remade.out;
        EXPECT_NE(remade.out.find("     Saving sheet walk.png.\n     Saving atlas walk.png.json.\n"), std::string::npos)
            << rule << remade.out;
        expectFramesMatchTheOutputs("walk.png");
    }
}

TEST_F(CliSheetTest, TheSheetCommandLeavesTheProjectAndOtherFilesAlone)
{
    const std::string project = save();
    const std::string before = test::ReadText(build.project.ProjectFilePath());
    const test::CliResult result =
        RunCli("sheet " + project + " --region Walker --layout grid:2 --padding 1 --output grid.png");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, Header
                              + "Sprite sheet of region Walker\n"
                                "     Saving sheet grid.png.\n"
                                "     Saving atlas grid.png.json.\n"
                                "All Done!!!\n");
    EXPECT_EQ(atlas("grid.png.json").at("meta").at("size"), (Json{{"w", 21}, {"h", 13}}));
    EXPECT_FALSE(std::filesystem::exists(build.output("w1.bmp")));
    EXPECT_EQ(test::ReadText(build.project.ProjectFilePath()), before);

    const test::CliResult unknown = RunCli("sheet " + project + " --region Nobody");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err, "tolvane-cli: the project has no clip region named Nobody\n");
    EXPECT_EQ(RunCli("sheet " + project + " --region Walker --layout grid:0").exitCode, 2);
}

// A sheet goes only where an output may go: never out of VidIziz, never
// through a link, and then neither its picture nor its atlas is written.
TEST_F(CliSheetTest, ASheetIsRefusedWhereNoOutputMayGo)
{
    test::TempDir outside;
    std::filesystem::create_directories(build.output(""));
    std::filesystem::create_directory_symlink(outside.path(), build.output("linked"));
    for (const char* name : {"../walk.png", "linked/walk.png"}) {
        walker().Sheet.File = name;
        const test::CliResult result = RunCli("extract " + save());
        EXPECT_EQ(result.exitCode, 4) << name;
        EXPECT_NE(result.out.find("Sprite sheet of region Walker\n     Refused "), std::string::npos) << result.out;
        EXPECT_EQ(result.out.find("Saving sheet"), std::string::npos) << result.out;
    }
    EXPECT_TRUE(std::filesystem::is_empty(outside.path()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("walk.png")));
}

TEST_F(CliSheetTest, ASheetOverTheLimitIsRefused)
{
    Region& wide = walker();
    wide.Width = 3000;
    wide.Left = 0;
    build.frame("f1.bmp", test::PatternFrame(3000, 30, 24, 1));
    const test::CliResult result = RunCli("extract --no-clips " + save() + " >/dev/null && '" TOLV_CLI "' sheet " + "'"
                                          + build.project.ProjectFilePath() + "' --region Walker");
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_NE(result.out.find("     Refused sheet walk.png: the sheet would be 9000 x 6 pixels, more than 8192 on "
                              "a side.\n"),
              std::string::npos)
        << result.out;
    EXPECT_FALSE(std::filesystem::exists(build.output("walk.png")));
}

}  // namespace
}  // namespace tolv
