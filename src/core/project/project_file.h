#pragma once

#include "platform/errors.h"
#include "platform/io/files.h"
#include "project/project.h"

#include <optional>
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

// The project file changed on disk since it was read or last saved: a save
// over it would lose what changed.
class FileChangedError : public TolvError {
public:
    explicit FileChangedError(const std::string& path)
        : TolvError(path + " was changed on disk since it was opened."), path_(path)
    {}
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

// What a load found that the user is told about once it is done (whether
// the project was read incompletely, the project itself tells).
// Why a project as read is not what its file holds, so that it starts as
// unsaved edits: regions of the older layout, which a save writes in the
// current one, or parts that could not be read.
enum class SaveNeed : std::uint8_t { OlderLayout, ReadIncompletely };

struct LoadResult {
    // At least one frame file is missing or is not a usable bitmap
    // ("Animation frame files missing.").
    bool FramesMissing = false;
    // The file as it was read (Loadfile), to tell later whether it changed
    // on disk; FileIdentity{} for a missing file.
    FileIdentity Identity;
    std::vector<SaveNeed> NeedsSaving;
};

// "Some of PROJECT could not be read; saving will write only what was read",
// said of a project that was read incompletely.
std::string IncompleteReadWarning(const Project& project);

// Replaces the project by the content of the project file at `path` (either
// layout): ProjectFolder and ProjectFileName come from the path, the frames
// are examined (ExamineFrames) and the regions created, their positions known
// to the selection, overlays with their bitmaps. A missing file loads as an
// empty project named after it. CurrentFrame stays -1: the caller shows the
// first frame. What could not be read goes into UnreadParts: a Regions count
// that is missing or no count (then every numbered region section present is
// read, in number order) and bytes that could not be decoded (ProjectFileText).
// Raises NotAProjectError for anything that is not a project file and
// FileReadError for a file that cannot be read; the project then stays as it
// was.
LoadResult Loadfile(Project& project, const std::string& path);

// The same, with the file's bytes given instead of read, as if they were the
// file `name` in `folder`: the one reader of project text, for project and
// recovery files alike.
LoadResult LoadProjectText(Project& project, const std::string& folder, const std::string& name,
                           std::string_view bytes);

// The project file's text as SaveProject writes it.
std::string ProjectText(const Project& project);
// The sections "Region1".. of `regions`, in their order, and their number
// as Main's Regions: the part of ProjectText that other texts share.
void WriteRegionSections(IniWriter& ini, const std::vector<const Region*>& regions);

// Writes the project to ProjectFilePath(), replacing the file atomically,
// forgets the findings of the file read, and returns the
// identity of the file written. With `expected`, the file must still have that
// identity just before the new content takes its place, or FileChangedError
// is raised. Raises FileWriteError ("Unable to write to <path>") when the file
// cannot be written, also when something that is not a project file (or a
// file that cannot be read to tell) is in its place, which is never replaced.
// On either error the previous file stays as it was.
FileIdentity SaveProject(Project& project, const std::optional<FileIdentity>& expected = std::nullopt);

}  // namespace tolv
