#include "extract/run_problems.h"

#include "platform/errors.h"
#include "platform/image/image_file.h"
#include "platform/image/image_probe.h"
#include "platform/io/files.h"
#include "project/region_overlay.h"

namespace tolv {

namespace {

// Why the file gives no picture now; a file that reads well by now was
// still not a valid one when it was needed.
template <typename Read>
std::string UnreadableReason(Read read)
{
    try {
        read();
    } catch (const TolvError& error) {
        return error.what();
    }
    return InvalidBitmapError().what();
}

}  // namespace

RunProblem UnusableFrameProblem(const Project& project, const std::string& frameName)
{
    const std::string path = project.FramePath(frameName);
    if (!FileExists(path)) {
        return {ProblemKind::FrameMissing, frameName, "",
                "frame " + frameName + " does not exist; its rows were not written"};
    }
    const std::string reason = UnreadableReason([&path] { ReadImageSize(path); });
    return {ProblemKind::FrameUnreadable, frameName, "", "frame " + frameName + " could not be read: " + reason};
}

std::optional<RunProblem> OverlayProblem(const Project& project, const Region& region)
{
    if (region.RegionType != RegionKind::Overlay || region.OVLName.empty() || region.MergeImage) {
        return std::nullopt;
    }
    const std::string overlay = "overlay " + region.OVLName + " of region " + region.Name;
    const std::string path = OverlayPath(project.ProjectFolder, region.OVLName);
    if (!FileExists(path)) {
        return RunProblem{ProblemKind::OverlayMissing, region.OVLName, region.Name,
                          overlay + " does not exist; it was not painted"};
    }
    const std::string reason = UnreadableReason([&path] {
        if (LoadImageFile(path).empty()) {
            throw InvalidBitmapError();
        }
    });
    return RunProblem{ProblemKind::OverlayUnreadable, region.OVLName, region.Name,
                      overlay + " could not be read: " + reason + "; it was not painted"};
}

std::string ProblemLogLine(const RunProblem& problem)
{
    std::string line = problem.message + ".";
    if (!line.empty() && line.front() >= 'a' && line.front() <= 'z') {
        line.front() = char(line.front() - 'a' + 'A');
    }
    return line;
}

}  // namespace tolv
