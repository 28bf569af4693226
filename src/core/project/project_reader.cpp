#include "project/project_file.h"

#include "platform/files.h"
#include "platform/inifile.h"
#include "project/project_identity.h"
#include "project/region_reader.h"
#include "project/setup_backgrounds.h"

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

// The switches belong to the Extraction Processor; a file that changes them
// toggles them, which counts as an edit.
void ReadSwitches(Project& project, const IniReader& ini)
{
    const bool clips = ini.readBool("VidIziz", "Clips", true);
    const bool backgrnds = ini.readBool("VidIziz", "Backgrnds", true);
    if (clips != project.Clips || backgrnds != project.Backgrnds)
        project.Modified = true;
    project.Clips = clips;
    project.Backgrnds = backgrnds;
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

LoadResult ReadProject(Project& project, const IniReader& ini)
{
    project.Modified = false;
    ReadOptions(project, ini);
    ReadSwitches(project, ini);
    project.PreFilterFile = ini.readString("Filters", "VidIziz", "");
    ReadFrameList(project, ini);

    LoadResult result;
    result.FramesMissing = SetupBackgrounds(project);

    ReadRegionSections(project, ini, OverlayBitmaps::Load);
    project.RenumberRegions();
    return result;
}

// Takes the place of the open project, which is emptied only once the file has
// been read, so a file that cannot be read leaves it as it was.
LoadResult LoadInto(Project& project, const std::string& folder, const std::string& name, const IniReader& ini)
{
    project.ResetBeforeLoading();
    project.ProjectFolder = folder;
    project.ProjectFileName = name;
    return ReadProject(project, ini);
}

}  // namespace

LoadResult Loadfile(Project& project, const std::string& path)
{
    const std::string folder = FolderPart(path);
    const std::string name = NamePart(path);
    const IniReader ini = IniReader::FromText(ReadProjectFile(JoinPath(folder, name)));
    return LoadInto(project, folder, name, ini);
}

LoadResult LoadProjectText(Project& project, const std::string& folder, const std::string& name,
                           const std::string& text)
{
    return LoadInto(project, folder, name, IniReader::FromText(text));
}

}  // namespace tolv
