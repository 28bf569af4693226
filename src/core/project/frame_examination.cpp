#include "project/frame_examination.h"

#include "platform/errors.h"
#include "platform/image/image_probe.h"
#include "platform/io/files.h"

#include <algorithm>
#include <optional>

namespace tolv {

namespace {

// The size of the image in a frame file, BMP or PNG, or nothing when the file
// is not a usable bitmap (malformed, truncated or unreadable). Only the
// headers are read, so a project of large frames opens quickly: a BMP's
// headers guarantee that its pixels are in the file, while a PNG's compressed
// pixels are judged only when the frame is shown or cut.
std::optional<ImageSize> UsableFrameSize(const std::string& path)
{
    try {
        return ReadImageSize(path);
    } catch (const TolvError&) {
        return std::nullopt;
    }
}

}  // namespace

bool ExamineFrames(Project& project)
{
    project.FrameAreaWidth = MinFrameAreaWidth;
    project.FrameAreaHeight = MinFrameAreaHeight;
    project.FrameStatus.fill(FrameUnchecked);
    bool anyProblem = false;
    for (int i = 1; i <= project.FrameCount(); ++i) {
        auto& status = project.FrameStatus[std::size_t(i - 1)];
        const std::string path = project.FramePath(project.FrameName(i));
        if (!FileExists(path)) {
            status = FrameMissing;
            anyProblem = true;
            continue;
        }
        const auto size = UsableFrameSize(path);
        if (!size) {
            status = FrameUnusable;
            anyProblem = true;
            continue;
        }
        status = FrameLoaded;
        project.FrameAreaWidth = std::max(project.FrameAreaWidth, size->width);
        project.FrameAreaHeight = std::max(project.FrameAreaHeight, size->height);
    }
    return anyProblem;
}

void GrowFrameAreaFor(Project& project, const Region& region)
{
    project.FrameAreaWidth = std::max(project.FrameAreaWidth, region.Width);
    project.FrameAreaHeight = std::max(project.FrameAreaHeight, region.Height);
}

}  // namespace tolv
