#include "editor/frame_display.h"

#include "platform/image/raster.h"

#include <algorithm>

namespace tolv {

void StepCurrentFrame(Project& project, FrameStep step)
{
    project.CurrentFrame = std::min(std::max(project.CurrentFrame + int(step), 1), project.FrameCount());
}

void ShowFrameAt(Project& project, int position)
{
    project.CurrentFrame = std::min(std::max(position, 1), project.FrameCount());
}

bool CurrentFrameAvailable(const Project& project)
{
    return project.FrameCount() >= 1 && project.FrameStatusOf(project.CurrentFrame) == FrameLoaded;
}

std::string FrameText(const Project& project)
{
    const std::string name = project.FrameName(project.CurrentFrame);
    return (CurrentFrameAvailable(project) ? " Frame: " : " Animation missing: ") + name;
}

const Bitmap& Chkbrd()
{
    static const Bitmap pattern = [] {
        Bitmap bitmap(32, 32, 24);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                bitmap.setPixel(x, y, (x < 16) == (y < 16) ? colors::Silver : colors::White);
        return bitmap;
    }();
    return pattern;
}

Bitmap CheckerboardDisplay(int frameAreaWidth, int frameAreaHeight)
{
    Bitmap display(CheckerboardWidth, CheckerboardHeight, 24);
    Canvas canvas(display);
    canvas.fillRect({0, 0, CheckerboardWidth, CheckerboardHeight});
    canvas.brush = {colors::White, BrushStyle::Pattern, &Chkbrd()};
    canvas.fillRect({0, 0, frameAreaWidth, frameAreaHeight});
    return display;
}

}  // namespace tolv
