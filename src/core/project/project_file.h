#pragma once

#include "platform/errors.h"
#include "project/project.h"

#include <string>
#include <string_view>
#include <vector>

namespace tolv {

class IniReader;
class IniWriter;

// A file given as a project that is not one: a bitmap or another binary
// file, text without any project section, a folder, a FIFO.
class NotAProjectError : public TolvError {
public:
    explicit NotAProjectError(const std::string& path) : TolvError(path + " is not a project file."), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Raises NotAProjectError when something that is not a project file lies at
// `path` (see ProjectFileText), FileReadError when it cannot be read; a
// project file or nothing at all passes. Loadfile checks the same before it
// touches the project; callers that tear down their view of the open project
// before loading call this first, so a refused file leaves everything as it was.
void CheckProjectFile(const std::string& path);

// The same for the bytes of a file read already.
void CheckProjectText(const std::string& path, std::string_view bytes);

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
// first frame. Raises NotAProjectError for anything that is not a project
// file and FileReadError for a file that cannot be read; the project then
// stays as it was.
LoadResult Loadfile(Project& project, const std::string& path);

// The same, with the file's text given instead of read, as if it were the
// file `name` in `folder`.
LoadResult LoadProjectText(Project& project, const std::string& folder, const std::string& name,
                           const std::string& text);

// The project file's text as SaveProject writes it.
std::string ProjectText(const Project& project);
// The sections "Region1".. of `regions`, in their order, and their number
// as Main's Regions: the part of ProjectText that other texts share.
void WriteRegionSections(IniWriter& ini, const std::vector<const Region*>& regions);

// Writes the project to ProjectFilePath(), replacing the file atomically, and
// clears Modified. Raises FileWriteError ("Unable to write to <path>") when the
// file cannot be written, also when something that is not a project file (or
// a file that cannot be read to tell) is in its place, which is never
// replaced; the previous file then stays as it was, and so does Modified,
// since the edits are not saved.
void SaveProject(Project& project);

}  // namespace tolv
