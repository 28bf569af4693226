// Feeds arbitrary bytes to the project file reader as the content of a
// project file, then writes the loaded project out again.
#include "project/project_file.h"
#include "project/project_identity.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A folder that does not exist: every frame is missing, so no frame name
    // in the input can lead the examination to a real file.
    static const std::string folder = "/nonexistent-tolvane-fuzz-folder";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tolv::Project project;
    try {
        tolv::LoadProjectText(project, folder, "fuzz.qvl", bytes);
    } catch (const tolv::NotAProjectError&) {
        if (tolv::ProjectFileText(bytes))
            std::abort();
        return 0;
    }
    if (project.FrameCount() > tolv::MaxFrames)
        std::abort();
    for (const auto& region : project.Regions) {
        if (region->RegionType > tolv::RegionKind::Overlay)
            std::abort();
    }
    const std::string text = tolv::ProjectText(project);
    tolv::Project again;
    tolv::LoadProjectText(again, folder, "fuzz.qvl", text);
    if (again.Regions.size() > project.Regions.size())
        std::abort();
    return 0;
}
