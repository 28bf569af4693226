// The frame canvas on full-HD frames with 20 regions: showing a frame (load,
// clean copy, marks, text boxes and overlays, conversion for painting),
// repainting the text boxes and overlays from the clean copy, as after a
// region edit, and repainting a full-HD view after a zoom step; and the
// Regions panel over 100,000 regions: showing it, and following a new
// selection.
#include "document/document.h"
#include "editor/selection.h"
#include "gui/editor/frame_canvas.h"
#include "gui/panels/regions_panel.h"
#include "platform/image/bitmap.h"
#include "platform/image/raster.h"
#include "platform/io/files.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tolv::Bitmap;
using tolv::Color;

constexpr int FrameWidth = 1920;
constexpr int FrameHeight = 1080;
constexpr int Frames = 3;
constexpr int Regions = 20;

Bitmap Gradient(int width, int height, int shade)
{
    Bitmap bitmap(width, height, 24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = std::uint8_t(x * 255 / width);
            row[3 * x + 1] = std::uint8_t(y * 255 / height);
            row[3 * x + 2] = std::uint8_t(shade);
        }
    }
    return bitmap;
}

// An overlay with a magenta key colour around a solid block.
Bitmap Overlay()
{
    Bitmap overlay(240, 120, 24);
    tolv::Canvas canvas(overlay);
    canvas.brush.color = tolv::RGB(255, 0, 255);
    canvas.fillRect({0, 0, 240, 120});
    canvas.brush.color = tolv::colors::Blue;
    canvas.fillRect({20, 20, 220, 100});
    return overlay;
}

// Three frames, ten text boxes (half with a title) and two overlays, every
// one listed on every frame.
class Workload {
public:
    Workload() : folder_(fs::temp_directory_path() / ("tolv-bench-canvas-" + std::to_string(::getpid())))
    {
        fs::create_directories(folder_);
        std::string project = "[Main]\r\nVersion2=1\r\nRegions=" + std::to_string(Regions) + "\r\n[Frames]\r\n";
        for (int i = 1; i <= Frames; ++i) {
            SaveBmp(Gradient(FrameWidth, FrameHeight, 60 * i), File("frame" + std::to_string(i) + ".bmp"));
            project += std::to_string(i) + "=frame" + std::to_string(i) + ".bmp\r\n";
        }
        SaveBmp(Overlay(), File("overlay.bmp"));
        for (int r = 1; r <= Regions; ++r) {
            const bool overlay = r > 10 && r <= 12;
            const bool clip = r > 12;
            project += "[Region" + std::to_string(r) + "]\r\n";
            project += "Position=" + std::to_string(60 + 90 * (r - 1)) + "," + std::to_string(80 + 60 * (r % 5))
                       + (overlay ? ",240,120\r\n" : ",300,180\r\n");
            if (overlay)
                project += "Backgrnd=3\r\nOVLName=" + File("overlay.bmp") + "\r\n";
            else if (!clip)
                project += "Backgrnd=2\r\nTitle=" + std::to_string(r % 2) + "\r\nLineWidth=3\r\n";
            for (int i = 1; i <= Frames; ++i)
                project += "Clip" + std::to_string(i) + "=frame" + std::to_string(i) + ".bmp,,\r\n";
        }
        tolv::WriteFileAtomically(File("bench.qvl"), project);

        canvas_ = std::make_unique<tolv::gui::FrameCanvas>(document_, nullptr);
        document_.load(File("bench.qvl"));
        canvas_->setFrameArea(FrameWidth, FrameHeight);
    }
    ~Workload()
    {
        canvas_.reset();
        fs::remove_all(folder_);
    }

    tolv::gui::FrameCanvas& canvas() { return *canvas_; }

private:
    std::string File(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
    tolv::Document document_;
    std::unique_ptr<tolv::gui::FrameCanvas> canvas_;
};

// Made at the first benchmark, released before the application object goes.
std::unique_ptr<Workload> workload;

Workload& TheWorkload()
{
    if (!workload)
        workload = std::make_unique<Workload>();
    return *workload;
}

void BM_ShowFrame(benchmark::State& state)
{
    tolv::gui::FrameCanvas& canvas = TheWorkload().canvas();
    for (auto _ : state) {
        canvas.showFrame(tolv::FrameStep::Same);
        benchmark::DoNotOptimize(canvas.displayImage().constBits());
    }
}
BENCHMARK(BM_ShowFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PaintPrefilterRestore(benchmark::State& state)
{
    tolv::gui::FrameCanvas& canvas = TheWorkload().canvas();
    for (auto _ : state) {
        canvas.paintPrefilter(true);
        benchmark::DoNotOptimize(canvas.displayBitmap().pixels().data());
    }
}
BENCHMARK(BM_PaintPrefilterRestore)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What the next repaint adds after paintPrefilter: the conversion for painting.
void BM_PaintPrefilterAndConvert(benchmark::State& state)
{
    tolv::gui::FrameCanvas& canvas = TheWorkload().canvas();
    for (auto _ : state) {
        canvas.paintPrefilter(true);
        benchmark::DoNotOptimize(canvas.displayImage().constBits());
    }
}
BENCHMARK(BM_PaintPrefilterAndConvert)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Stepping to the next frame and back, as PgDn and PgUp do.
void BM_FrameStep(benchmark::State& state)
{
    tolv::gui::FrameCanvas& canvas = TheWorkload().canvas();
    bool forward = true;
    for (auto _ : state) {
        canvas.showFrame(forward ? tolv::FrameStep::Next : tolv::FrameStep::Previous);
        benchmark::DoNotOptimize(canvas.displayImage().constBits());
        forward = !forward;
    }
}
BENCHMARK(BM_FrameStep)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A zoom step and the repaint of a full-HD view of the canvas, the regions
// included, at the level of the argument (percent).
void BM_ZoomStepRepaint(benchmark::State& state)
{
    tolv::gui::FrameCanvas& canvas = TheWorkload().canvas();
    const double scale = double(state.range(0)) / 100.0;
    QImage view(FrameWidth, FrameHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        canvas.setZoom(scale);
        canvas.render(&view, QPoint(), QRegion(0, 0, FrameWidth, FrameHeight));
        canvas.setZoom(1.0);
        benchmark::DoNotOptimize(view.constBits());
    }
}
BENCHMARK(BM_ZoomStepRepaint)
    ->Arg(25)
    ->Arg(200)
    ->Arg(800)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A project of `count` 16 x 12 clip regions in rows over the frame, written
// once per count; opening it, stepping a frame and one step of a drag of one
// region, each with the repaint of the full-HD canvas.
class ManyRegions {
public:
    explicit ManyRegions(int count)
        : folder_(fs::temp_directory_path()
                  / ("tolv-bench-many-" + std::to_string(::getpid()) + "-" + std::to_string(count)))
    {
        fs::create_directories(folder_);
        std::string project = "[Main]\r\nVersion2=1\r\nRegions=" + std::to_string(count) + "\r\n[Frames]\r\n";
        for (int i = 1; i <= 2; ++i) {
            SaveBmp(Gradient(FrameWidth, FrameHeight, 90 * i), Path("f" + std::to_string(i) + ".bmp"));
            project += std::to_string(i) + "=f" + std::to_string(i) + ".bmp\r\n";
        }
        for (int r = 0; r < count; ++r)
            project += "[Region" + std::to_string(r + 1)
                       + "]\r\nPosition=" + std::to_string((r * 7) % (FrameWidth - 16)) + ","
                       + std::to_string((r * 13 / 7) % (FrameHeight - 12)) + ",16,12\r\nClip1=f1.bmp,,\r\n";
        tolv::WriteFileAtomically(Path("many.qvl"), project);
    }
    ~ManyRegions() { fs::remove_all(folder_); }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

private:
    fs::path folder_;
};

void Repaint(tolv::gui::FrameCanvas& canvas, QImage& view, const QRegion& region)
{
    canvas.render(&view, QPoint(), region);
    benchmark::DoNotOptimize(view.constBits());
}

void BM_ManyOpen(benchmark::State& state)
{
    const ManyRegions files(int(state.range(0)));
    QImage view(FrameWidth, FrameHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        tolv::Document document;
        tolv::gui::FrameCanvas canvas(document, nullptr);
        document.load(files.Path("many.qvl"));
        canvas.setFrameArea(FrameWidth, FrameHeight);
        Repaint(canvas, view, QRegion(0, 0, FrameWidth, FrameHeight));
    }
}
BENCHMARK(BM_ManyOpen)->Arg(100)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The many-regions project open on a canvas, with a full-HD view to paint.
struct OpenManyRegions {
    explicit OpenManyRegions(int count) : files(count), canvas(document, nullptr)
    {
        document.load(files.Path("many.qvl"));
        canvas.setFrameArea(FrameWidth, FrameHeight);
    }
    const ManyRegions files;
    tolv::Document document;
    tolv::gui::FrameCanvas canvas;
    QImage view{FrameWidth, FrameHeight, QImage::Format_RGB32};
};

void BM_ManyFrameStep(benchmark::State& state)
{
    OpenManyRegions open(int(state.range(0)));
    bool forward = true;
    for (auto _ : state) {
        open.canvas.showFrame(forward ? tolv::FrameStep::Next : tolv::FrameStep::Previous);
        Repaint(open.canvas, open.view, QRegion(0, 0, FrameWidth, FrameHeight));
        forward = !forward;
    }
}
BENCHMARK(BM_ManyFrameStep)->Arg(100)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// What one motion of a drag repaints: the outline's old and new pixels.
void BM_ManyDragStep(benchmark::State& state)
{
    OpenManyRegions open(int(state.range(0)));
    int step = 0;
    for (auto _ : state) {
        const QRegion outline = QRegion(400 + step % 50, 300, 16, 1) + QRegion(400 + step % 50, 300, 1, 12)
                                + QRegion(415 + step % 50, 300, 1, 12) + QRegion(400 + step % 50, 311, 16, 1);
        Repaint(open.canvas, open.view, outline);
        ++step;
    }
}
BENCHMARK(BM_ManyDragStep)->Arg(100)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The Regions panel made, filled and painted for the whole project.
void BM_PanelShow(benchmark::State& state)
{
    const ManyRegions files(int(state.range(0)));
    tolv::Document document;
    document.load(files.Path("many.qvl"));
    for (auto _ : state) {
        tolv::gui::RegionsPanel panel(
            document, [] {}, nullptr);
        panel.resize(260, 700);
        benchmark::DoNotOptimize(panel.grab().cacheKey());
    }
}
BENCHMARK(BM_PanelShow)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A click elsewhere in the list: the document's selection, the panel's
// lines following it, and the panel painted again.
void BM_PanelSelectionChange(benchmark::State& state)
{
    const int count = int(state.range(0));
    const ManyRegions files(count);
    tolv::Document document;
    document.load(files.Path("many.qvl"));
    tolv::gui::RegionsPanel panel(
        document, [] {}, nullptr);
    panel.resize(260, 700);
    int position = 0;
    for (auto _ : state) {
        position = (position + 7919) % count;
        document.changeSelection({tolv::SelectionOp::Kind::SelectAlone, position});
        benchmark::DoNotOptimize(panel.grab().cacheKey());
    }
}
BENCHMARK(BM_PanelSelectionChange)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    workload.reset();
    benchmark::Shutdown();
    return 0;
}
