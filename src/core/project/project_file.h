#pragma once

#include "project/project.h"

#include <string>

namespace tolv {

class IniReader;

// What a load found that the user is told about once it is done.
struct LoadResult {
    // At least one frame file is missing or is not a usable bitmap
    // ("Animation frame files missing.").
    bool FramesMissing = false;
};

// Replaces the project by the content of the project file at `path` (either
// layout): ProjectFolder and ProjectFileName come from the path, the frames
// are examined (SetupBackgrounds) and the regions created, each with its
// PickIndex and, for overlays, its overlay bitmaps. A missing file loads as an
// empty project named after it. CurrentFrame stays -1: the caller shows the
// first frame. Raises FileReadError for a file that exists but cannot be read.
LoadResult Loadfile(Project& project, const std::string& path);

// The same, with the file's text given instead of read, as if it were the
// file `name` in `folder`.
LoadResult LoadProjectText(Project& project, const std::string& folder, const std::string& name,
                           const std::string& text);

// The project file's text as SaveProject writes it.
std::string ProjectText(const Project& project);

// Writes the project to ProjectFilePath(), replacing the file atomically, and
// clears Modified. Raises FileWriteError ("Unable to write to <path>") when the
// file cannot be written; the previous file then stays as it was, and so does
// Modified, since the edits are not saved.
void SaveProject(Project& project);

}  // namespace tolv
