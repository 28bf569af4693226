#include "project/project_file.h"

#include "platform/io/files.h"
#include "platform/io/inifile.h"
#include "project/frame_examination.h"
#include "project/project_identity.h"
#include "project/region_reader.h"

namespace tolv {

namespace {

void ReadOptions(Project& project, const IniReader& ini)
{
    project.LockObj = ini.readBool("Main", "LockObj", false);
    project.ShowPreview = ini.readBool("Main", "ShowPreView", false);
    project.NudgeStep = ini.readInteger("Main", "NudgeStep", 1);
    project.CleanEdges = ini.readBool("Main", "CleanEdges", false);
    project.Rep = ini.readString("Main", "Rep", "");
    project.Job = ini.readString("Main", "Job", "");
}

void ReadSwitches(Project& project, const IniReader& ini)
{
    project.Clips = ini.readBool("VidIziz", "Clips", true);
    project.Backgrnds = ini.readBool("VidIziz", "Backgrnds", true);
}

// Keys "1".."50" of Frames, then of the older Backgrounds section, with gaps
// closed up. The first MaxFrames names are kept.
void ReadFrameList(Project& project, const IniReader& ini)
{
    for (const char* section : {"Frames", "Backgrounds"}) {
        for (int key = 1; key <= MaxFrames; ++key) {
            std::string name = ini.readString(section, std::to_string(key), "");
            if (!name.empty())
                project.AddFrameName(std::move(name));
        }
    }
}

// One finding for the whole file: which bytes they were no longer shows.
const char* const UndecodableBytes =
    "Some bytes of the file are not valid in its encoding; each was read as the replacement character U+FFFD.";

LoadResult ReadProject(Project& project, const IniReader& ini)
{
    ReadOptions(project, ini);
    ReadSwitches(project, ini);
    project.PreFilterFile = ini.readString("Filters", "VidIziz", "");
    ReadFrameList(project, ini);

    LoadResult result;
    result.FramesMissing = ExamineFrames(project);

    ReadRegionSections(project, ini, OverlayBitmaps::Load);
    project.RegionListChanged();
    if (!project.Regions.empty() && !ini.readBool("Main", "Version2", false))
        result.NeedsSaving.push_back(SaveNeed::OlderLayout);
    if (project.ReadIncompletely())
        result.NeedsSaving.push_back(SaveNeed::ReadIncompletely);
    return result;
}

}  // namespace

// The open project is emptied only once the text has been decoded and found
// to be a project, so bytes that are not one leave it as it was.
LoadResult LoadProjectText(Project& project, const std::string& folder, const std::string& name, std::string_view bytes)
{
    const std::string path = JoinPath(folder, name);
    const std::optional<DecodedText> text = ProjectFileText(bytes);
    if (!text)
        throw NotAProjectError(path);
    const IniReader ini = IniReader::FromText(text->Text);
    project.ResetBeforeLoading();
    project.ProjectFolder = folder;
    project.ProjectFileName = name;
    if (text->Replaced)
        project.UnreadParts.push_back({path, UndecodableBytes});
    return ReadProject(project, ini);
}

LoadResult Loadfile(Project& project, const std::string& path)
{
    const ProjectFileBytes file = ReadProjectBytes(path);
    LoadResult result = LoadProjectText(project, FolderPart(path), NamePart(path), file.Bytes);
    result.Identity = file.Identity;
    return result;
}

std::string IncompleteReadWarning(const Project& project)
{
    return "Some of " + project.ProjectFileName + " could not be read; saving will write only what was read";
}

}  // namespace tolv
