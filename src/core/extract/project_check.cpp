#include "extract/project_check.h"

#include "editor/frame_marks.h"
#include "editor/frame_rule.h"
#include "extract/output_name.h"
#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/image_file.h"
#include "platform/io/files.h"
#include "platform/io/open_folder.h"
#include "project/region_overlay.h"
#include "project/storable_names.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tolv {

namespace {

// A file that cannot be loaded as a bitmap, for whatever reason.
bool IsNotBitmap(const std::string& path)
{
    try {
        return LoadImageFile(path).empty();
    } catch (const TolvError&) {
        return true;
    }
}

// Lexically, both made absolute against the working folder.
bool LiesIn(const std::string& path, const std::string& folder)
{
    const std::filesystem::path file = std::filesystem::absolute(path).lexically_normal();
    const std::filesystem::path base = std::filesystem::absolute(folder.empty() ? "." : folder).lexically_normal();
    const std::filesystem::path relative = file.lexically_relative(base);
    return !relative.empty() && *relative.begin() != "..";
}

const char* const MissingSubFolder = "Output bitmap name is in a VidIziz sub-folder that does not exist.";

const char* FaultMessage(NameFault fault)
{
    switch (fault) {
    case NameFault::LeavesOutputFolder:
        return "Output bitmap name leaves the VidIziz folder.";
    case NameFault::NoFileName:
        return "Output bitmap name has no file name.";
    case NameFault::ControlCharacter:
        return "Output bitmap name contains a control character.";
    case NameFault::PartTooLong:
        return "Output bitmap name has a part longer than 255 bytes.";
    case NameFault::None:
        break;
    }
    return nullptr;
}

bool WritesFile(const Region& region)
{
    return region.RegionType == RegionKind::Clip || region.RegionType == RegionKind::Background;
}

class ProjectCheck {
public:
    ProjectCheck(const Project& project, LogSink& log) : project_(project), log_(log) {}

    int run();

private:
    void reportItem(const std::string& subject, const std::string& message, Color color);
    void finding(const std::string& subject, const std::string& message);
    void note(const std::string& subject, const std::string& message);
    void reportFileFindings();
    void checkFrameFiles();
    void checkOutputFolder();
    void checkRegions();
    void checkRow(const Region& region, int row);
    void checkOverlay(const Region& region);
    const char* outputNameProblem(const std::string& name) const;
    const char* placeProblem(const std::string& name) const;
    void countOutputName(const std::string& name);
    void reportDuplicates();
    bool inProjectFolder(const std::string& name) const;
    bool notInFrameList(const std::string& name) const;

    const Project& project_;
    LogSink& log_;
    int findings_ = 0;
    // The project's VidIziz folder when it exists and is not a link.
    OpenFolder outputFolder_;
    // The run makes a missing VidIziz folder but none of its sub-folders.
    bool noSubFolders_ = false;
    // Distinct output names with their use counts, in the order first met,
    // and where each one stands in that list by its folded name.
    std::vector<std::pair<std::string, int>> outputNames_;
    std::unordered_map<std::u32string, std::size_t> outputNameIndex_;
};

int ProjectCheck::run()
{
    reportItem("Checking current project <" + project_.ProjectFileName + ">.", "", colors::Blue);
    reportFileFindings();
    if (project_.FrameCount() == 0) {
        finding("No animation frames have been entered in the Project Setup dialog!", "");
        return findings_;
    }
    checkFrameFiles();
    checkOutputFolder();
    checkRegions();
    reportDuplicates();
    reportItem("Cross reference check done", "", colors::Blue);
    return findings_;
}

void ProjectCheck::reportItem(const std::string& subject, const std::string& message, Color color)
{
    log_.logLine(subject, color);
    log_.logLine("  " + message, color);
    log_.logLine(" ", color);
}

void ProjectCheck::finding(const std::string& subject, const std::string& message)
{
    reportItem(subject, message, colors::Red);
    log_.found(subject, message);
    ++findings_;
}

// Worth knowing, and no fault: not counted among the findings.
void ProjectCheck::note(const std::string& subject, const std::string& message)
{
    reportItem(subject, message, colors::Black);
    log_.noted(subject, message);
}

// What the reader could not take from the file as it was.
void ProjectCheck::reportFileFindings()
{
    for (const auto& findings : {&project_.UnreadParts, &project_.MisreadRows}) {
        for (const FileFinding& found : *findings)
            finding(found.Subject, found.Message);
    }
}

void ProjectCheck::checkFrameFiles()
{
    for (const std::string& name : project_.FrameNames) {
        const std::string path = project_.FramePath(name);
        if (!FileExists(path)) {
            finding(path, "Animation frame file does not exist!");
        } else if (IsNotBitmap(path)) {
            finding(path, "Animation frame file is not a bitmap file!");
        }
    }
}

// The run refuses to write through a symbolic link, so every link on the way
// to an output is a finding.
void ProjectCheck::checkOutputFolder()
{
    const OpenFolder project = OpenFolder::Open(project_.ProjectFolder);
    if (!project.isOpen()) {
        return;
    }
    if (project.kindOf(OutputFolderName) == EntryKind::Link) {
        finding(JoinPath(project_.ProjectFolder, OutputFolderName), "VidIziz folder is a symbolic link.");
    } else {
        outputFolder_ = project.subFolder(OutputFolderName);
        noSubFolders_ = !outputFolder_.isOpen();
    }
}

void ProjectCheck::checkRegions()
{
    if (project_.Regions.empty()) {
        finding("No bitmap clip or background objects", "");
        return;
    }
    const FrameRule frame = FrameRule::Of(project_);
    for (const auto& region : project_.Regions) {
        // The editor keeps every region on the frame; a file may not.
        if (!frame.holds(GeometryOf(*region))) {
            finding(region->Name, "Region lies outside the frame");
        }
        for (int r = 0; r < WorksheetRows; ++r) {
            checkRow(*region, r);
        }
        checkOverlay(*region);
    }
}

void ProjectCheck::checkRow(const Region& region, int row)
{
    const std::string subject = region.Name + " <Clip " + std::to_string(row + 1) + ">";
    const std::string& input = region.InputFrame[row];
    const std::string& output = region.OutputFile[row];
    if (!input.empty()) {
        if (!inProjectFolder(input)) {
            finding(subject,
                    "This object references an animation frame source file that is not in your project folder");
        } else if (notInFrameList(input)) {
            finding(subject, "This object references an animation frame source file that is not in your project list");
        }
    }
    const char* outputProblem = WritesFile(region) && !output.empty() ? outputNameProblem(output) : nullptr;
    // A name the run cannot create says enough about the row; it is never
    // reported twice.
    if (outputProblem) {
        finding(subject, outputProblem);
    } else if (const std::optional<std::string> reason = UnstorableRowReason(input, output)) {
        finding(subject, *reason);
    }
    if (WritesFile(region) && !output.empty()) {
        countOutputName(output);
    }
}

void ProjectCheck::checkOverlay(const Region& region)
{
    if (region.RegionType != RegionKind::Overlay || region.OVLName.empty()) {
        return;
    }
    const std::string path = OverlayPath(project_.ProjectFolder, region.OVLName);
    if (!FileExists(path)) {
        finding(region.OVLName, "Background overlay file does not exist!");
    } else if (IsNotBitmap(path)) {
        finding(region.OVLName, "Background overlay file is not a bitmap file!");
    }
    if (!LiesIn(path, project_.ProjectFolder)) {
        note(region.OVLName, "Background overlay file lies outside the project folder: moved, the project loses it.");
    }
}

// The first reason the run would refuse the name or stop on it, if any.
const char* ProjectCheck::outputNameProblem(const std::string& name) const
{
    if (const char* fault = FaultMessage(FaultOfOutputName(name))) {
        return fault;
    }
    return placeProblem(name);
}

const char* ProjectCheck::placeProblem(const std::string& name) const
{
    if (!outputFolder_.isOpen()) {
        return noSubFolders_ && NamesSubFolder(name) ? MissingSubFolder : nullptr;
    }
    switch (LocateOutput(outputFolder_, name).reach) {
    case OutputReach::ThroughLink:
        return "Output bitmap name goes through a symbolic link.";
    case OutputReach::Unreachable:
        return MissingSubFolder;
    case OutputReach::Ready:
        break;
    }
    return nullptr;
}

void ProjectCheck::countOutputName(const std::string& name)
{
    const auto [entry, added] = outputNameIndex_.try_emplace(FoldedName(name), outputNames_.size());
    if (added) {
        outputNames_.emplace_back(LowerAscii(name), 1);
    } else {
        ++outputNames_[entry->second].second;
    }
}

void ProjectCheck::reportDuplicates()
{
    for (const auto& [name, count] : outputNames_) {
        if (count > 1) {
            finding(name, "Output bitmap name is used more that once.");
        }
    }
}

// The run reads a worksheet frame through the frame list, whose name may
// differ in letter case; on a case-sensitive file system that file counts.
bool ProjectCheck::inProjectFolder(const std::string& name) const
{
    return FileExists(project_.FramePath(name))
           || std::any_of(project_.FrameNames.begin(), project_.FrameNames.end(), [&](const std::string& frame) {
                  return SameNameIgnoringCase(frame, name) && FileExists(project_.FramePath(frame));
              });
}

bool ProjectCheck::notInFrameList(const std::string& name) const
{
    return std::none_of(project_.FrameNames.begin(), project_.FrameNames.end(),
                        [&](const std::string& frame) { return SameNameIgnoringCase(frame, name); });
}

}  // namespace

int CheckProject(const Project& project, LogSink& log)
{
    return ProjectCheck(project, log).run();
}

}  // namespace tolv
