#include "project/project_file.h"

#include "platform/errors.h"
#include "platform/io/files.h"
#include "platform/io/inifile.h"
#include "project/region_fields.h"

namespace tolv {

namespace {

// The encodings of a value field, by the type of the value.
void WriteValue(IniWriter& ini, const std::string& section, const std::string& key, const std::string& value)
{
    ini.writeString(section, key, value);
}

void WriteValue(IniWriter& ini, const std::string& section, const std::string& key, bool value)
{
    ini.writeBool(section, key, value);
}

void WriteValue(IniWriter& ini, const std::string& section, const std::string& key, int value)
{
    ini.writeInteger(section, key, value);
}

void WriteValue(IniWriter& ini, const std::string& section, const std::string& key, Color value)
{
    ini.writeInteger(section, key, int(value));
}

void WriteValue(IniWriter& ini, const std::string& section, const std::string& key, RegionKind value)
{
    ini.writeInteger(section, key, int(value));
}

// "L,T,W,H".
std::string PositionText(const Region& region, const PositionField& field)
{
    std::string text;
    for (int Region::*member : field.members)
        text += (text.empty() ? "" : ",") + std::to_string(region.*member);
    return text;
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
void WriteRows(IniWriter& ini, const std::string& section, const Region& region, const WorksheetField& field)
{
    int key = 0;
    for (int row = 0; row < WorksheetRows; ++row) {
        if (region.rowInUse(row))
            ini.writeString(section, std::string(field.rowKeyPrefix) + std::to_string(++key),
                            (region.*field.input)[row] + ",," + (region.*field.output)[row]);
    }
}

struct FieldWriter {
    IniWriter& ini;
    const std::string& section;
    const Region& region;

    template <typename Value>
    void operator()(const ValueField<Value>& field) const
    {
        if (StoredFor(field, region))
            WriteValue(ini, section, std::string(field.iniKey), region.*field.member);
    }
    void operator()(const PositionField& field) const
    {
        ini.writeString(section, std::string(field.iniKey), PositionText(region, field));
    }
    void operator()(const WorksheetField& field) const { WriteRows(ini, section, region, field); }
    void operator()(const SheetField& field) const { WriteSheetSettings(ini, section, region.*field.member); }
};

void WriteRegion(IniWriter& ini, const std::string& section, const Region& region)
{
    ForEachRegionField(FieldWriter{ini, section, region});
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
