#include "cli/cli_project.h"

#include "platform/errors.h"
#include "platform/files.h"

#include <cstdlib>
#include <iostream>

namespace tolv::cli {

LoadedProject LoadProjectOrExit(const std::string& path)
{
    if (!FileExists(path)) {
        std::cerr << "tolvane-cli: project file " << path << " does not exist\n";
        std::exit(2);
    }
    LoadedProject loaded{std::make_unique<Project>(), {}};
    try {
        loaded.result = Loadfile(*loaded.project, path);
    } catch (const TolvError& error) {
        std::cerr << "tolvane-cli: " << error.what() << '\n';
        std::exit(3);
    }
    if (loaded.result.FramesMissing)
        std::cerr << "Animation frame files missing.\n";
    return loaded;
}

}  // namespace tolv::cli
