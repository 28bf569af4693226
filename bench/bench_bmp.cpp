// Frame-sized BMP reading and writing against a plain read and write of the
// same bytes, and the overlay composite on a full frame.
#include "platform/image/bitmap.h"
#include "platform/image/raster.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

using namespace tolv;

const std::filesystem::path Folder = std::filesystem::temp_directory_path() / "tolv_bench_bmp";

Bitmap Frame(int bitsPerPixel)
{
    std::vector<Color> palette;
    if (bitsPerPixel == 8)
        for (int i = 0; i < 256; ++i)
            palette.push_back(RGB(std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 3)));
    Bitmap frame(1920, 1080, bitsPerPixel, palette);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            frame.setValue(x, y, std::uint32_t(x * 7 + y * 13) & 0xFF);
    return frame;
}

std::string FramePath(int bitsPerPixel)
{
    std::filesystem::create_directories(Folder);
    const std::string path = (Folder / ("frame" + std::to_string(bitsPerPixel) + ".bmp")).string();
    if (!std::filesystem::exists(path))
        SaveBmp(Frame(bitsPerPixel), path);
    return path;
}

void BM_LoadBmp(benchmark::State& state)
{
    const std::string path = FramePath(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadBmp(path));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadBmp)->Arg(8)->Arg(24)->Arg(32);

void BM_PlainRead(benchmark::State& state)
{
    const std::string path = FramePath(24);
    std::vector<char> bytes(std::filesystem::file_size(path));
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_PlainRead);

void BM_SaveBmp(benchmark::State& state)
{
    const Bitmap frame = LoadBmp(FramePath(24));
    const std::string path = (Folder / "saved.bmp").string();
    for (auto _ : state)
        SaveBmp(frame, path);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(std::filesystem::file_size(path)));
}
BENCHMARK(BM_SaveBmp);

void BM_PlainWrite(benchmark::State& state)
{
    const Bitmap frame = LoadBmp(FramePath(24));
    const std::string path = (Folder / "plain.bmp").string();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(frame.row(0), 1, frame.pixels().size(), file);
        std::fclose(file);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(frame.pixels().size()));
}
BENCHMARK(BM_PlainWrite);

// Mask AND then overlay OR, as every frame of an overlay region gets them.
void BM_OverlayComposite(benchmark::State& state)
{
    Bitmap frame = Frame(int(state.range(0)));
    Bitmap overlay(200, 150, 24);
    Canvas(overlay).fillRect({0, 0, 200, 150});
    Canvas paint(overlay);
    paint.brush.color = colors::Red;
    paint.fillRect({20, 20, 180, 130});
    const Bitmap mask = MakeMask(overlay, colors::White);
    Canvas canvas(frame);
    const Rect all{0, 0, 200, 150};
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i) {
            const Rect to{i * 80, i * 40, i * 80 + 200, i * 40 + 150};
            canvas.copyRect(to, mask, all, RasterOp::SrcAnd);
            canvas.copyRect(to, overlay, all, RasterOp::SrcPaint);
        }
    }
}
BENCHMARK(BM_OverlayComposite)->Arg(8)->Arg(24);

void BM_TextBox(benchmark::State& state)
{
    Bitmap frame = Frame(24);
    Canvas canvas(frame);
    canvas.pen.width = 3;
    canvas.brush.color = colors::Yellow;
    for (auto _ : state)
        canvas.rectangle({100, 100, 1800, 1000});
}
BENCHMARK(BM_TextBox);

}  // namespace

BENCHMARK_MAIN();
