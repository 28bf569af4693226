#include "project/project_file.h"

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/inifile.h"

namespace tolv {

namespace {

std::string PositionText(const Region& region)
{
    return std::to_string(region.Left) + "," + std::to_string(region.Top) + "," + std::to_string(region.Width) +
           "," + std::to_string(region.Height);
}

void WriteOptions(IniWriter& ini, const Project& project)
{
    ini.writeBool("Main", "LockObj", project.LockObj);
    ini.writeBool("Main", "ShowPreview", project.ShowPreview);
    ini.writeInteger("Main", "NudgeStep", project.NudgeStep);
    ini.writeBool("Main", "Version2", true);
    ini.writeBool("Main", "CleanEdges", project.CleanEdges);
    ini.writeString("Main", "Rep", project.Rep);
    ini.writeString("Main", "Job", project.Job);
    ini.writeBool("VidIziz", "Clips", project.Clips);
    ini.writeBool("VidIziz", "Backgrnds", project.Backgrnds);
}

void WriteFrameList(IniWriter& ini, const Project& project)
{
    for (int k = 1; k <= project.FrameCount(); ++k)
        ini.writeString("Frames", std::to_string(k), project.FrameName(k));
}

// Rows in use only, numbered from Clip1 without gaps; the middle field is
// always empty.
void WriteRows(IniWriter& ini, const std::string& section, const Region& region)
{
    int key = 0;
    for (int row = 0; row < WorksheetRows; ++row) {
        if (region.rowInUse(row))
            ini.writeString(section, "Clip" + std::to_string(++key),
                            region.InputFrame[row] + ",," + region.OutputFile[row]);
    }
}

void WriteRegion(IniWriter& ini, const std::string& section, const Region& region)
{
    ini.writeString(section, "Name", region.Name);
    ini.writeString(section, "OVLName", region.OVLName);
    ini.writeBool(section, "Visible", region.Visible);
    ini.writeInteger(section, "Backgrnd", int(region.RegionType));
    if (region.RegionType == RegionKind::TextBox) {
        ini.writeBool(section, "Title", region.Title);
        ini.writeInteger(section, "LineWidth", region.LineWidth);
        ini.writeInteger(section, "TitleHeight", region.TitleHeight);
        ini.writeInteger(section, "TitleColor", int(region.TitleColor));
        ini.writeInteger(section, "BoxColor", int(region.BoxColor));
    }
    ini.writeString(section, "Position", PositionText(region));
    WriteRows(ini, section, region);
}

// A file that is not a project, or cannot be read to tell, is never replaced,
// whatever the path was set to; refusing is a failed save like any other.
void CheckReplaceable(const std::string& path)
{
    try {
        CheckProjectFile(path);
    } catch (const TolvError&) {
        throw FileWriteError(path);
    }
}

}  // namespace

void WriteRegionSections(IniWriter& ini, const std::vector<const Region*>& regions)
{
    int number = 0;
    for (const Region* region : regions)
        WriteRegion(ini, "Region" + std::to_string(++number), *region);
    // Written last, it still lands at the end of Main.
    ini.writeInteger("Main", "Regions", number);
}

std::string ProjectText(const Project& project)
{
    IniWriter ini;
    WriteOptions(ini, project);
    WriteFrameList(ini, project);
    std::vector<const Region*> regions;
    for (const auto& region : project.Regions)
        regions.push_back(region.get());
    WriteRegionSections(ini, regions);
    return ini.text();
}

FileIdentity SaveProject(Project& project, const std::optional<FileIdentity>& expected)
{
    // The new file replaces the old one whole, so nothing stale (an old
    // Backgrounds or Filters section) survives; on failure the old file stays
    // and the edits still count as unsaved.
    const std::string path = project.ProjectFilePath();
    CheckReplaceable(path);
    const FileIdentity written = WriteFileAtomically(path, ProjectText(project), [&] {
        if (expected && IdentityOf(path) != *expected)
            throw FileChangedError(path);
    });
    project.ForgetFileFindings();
    return written;
}

}  // namespace tolv
