// Opening a project: the frame examination of 50 full-HD frames, and the
// reader and writer on a project with many regions.
#include "platform/image/bitmap.h"
#include "project/frame_examination.h"
#include "project/project_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

std::string FrameFileName(int i)
{
    std::string name = std::to_string(i);
    name.insert(name.begin(), 'f');
    return name + ".bmp";
}

// 50 frames of 1920 x 1080 at 24 bits, written once per process.
const std::string& FrameFolder()
{
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "tolvane-bench-frames";
        std::filesystem::create_directories(path);
        const tolv::Bitmap frame(1920, 1080, 24);
        for (int i = 1; i <= tolv::MaxFrames; ++i) {
            const auto file = path / FrameFileName(i);
            if (!std::filesystem::exists(file))
                tolv::SaveBmp(frame, file.string());
        }
        return path.string();
    }();
    return folder;
}

void BM_ExamineFrames50FullHd(benchmark::State& state)
{
    tolv::Project project;
    project.ProjectFolder = FrameFolder();
    for (int i = 1; i <= tolv::MaxFrames; ++i)
        project.AddFrameName(FrameFileName(i));
    for (auto _ : state)
        benchmark::DoNotOptimize(tolv::ExamineFrames(project));
}
BENCHMARK(BM_ExamineFrames50FullHd)->Unit(benchmark::kMillisecond);

std::string ManyRegions(int count)
{
    std::string text = "[Main]\r\nVersion2=1\r\nRegions=" + std::to_string(count) + "\r\n";
    for (int r = 1; r <= count; ++r) {
        text += "[Region" + std::to_string(r) + "]\r\nName=Region " + std::to_string(r)
                + "\r\nOVLName=\r\nVisible=1\r\nBackgrnd=0\r\nPosition=10,20,30,40\r\n";
        for (int row = 1; row <= 10; ++row)
            text += "Clip" + std::to_string(row) + "=f" + std::to_string(row) + ".bmp,,out.bmp\r\n";
    }
    return text;
}

void BM_ReadProject(benchmark::State& state)
{
    const std::string text = ManyRegions(int(state.range(0)));
    for (auto _ : state) {
        tolv::Project project;
        tolv::LoadProjectText(project, "/nonexistent", "p.qvl", text);
        benchmark::DoNotOptimize(project.Regions.size());
    }
}
BENCHMARK(BM_ReadProject)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WriteProject(benchmark::State& state)
{
    tolv::Project project;
    tolv::LoadProjectText(project, "/nonexistent", "p.qvl", ManyRegions(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(tolv::ProjectText(project));
}
BENCHMARK(BM_WriteProject)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
