#include "project/project.h"

#include "platform/io/files.h"

#include <filesystem>

namespace tolv {

namespace {

std::string CurrentDirectory()
{
    std::error_code error;
    auto folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

}  // namespace

Project::Project() : ProjectFolder(CurrentDirectory())
{
    FrameStatus.fill(FrameUnchecked);
}

std::string Project::FrameName(int i) const
{
    return i >= 1 && i <= FrameCount() ? FrameNames[i - 1] : std::string();
}

std::uint8_t Project::FrameStatusOf(int i) const
{
    return i >= 1 && i <= MaxFrames ? FrameStatus[i - 1] : std::uint8_t(FrameUnchecked);
}

std::string Project::ProjectFilePath() const
{
    return JoinPath(ProjectFolder, ProjectFileName);
}

std::string Project::FramePath(const std::string& frameName) const
{
    return JoinPath(ProjectFolder, frameName);
}

void Project::SetFrameNames(std::vector<std::string> names)
{
    if (names.size() > std::size_t(MaxFrames))
        names.resize(MaxFrames);
    FrameNames = std::move(names);
}

bool Project::AddFrameName(std::string name)
{
    if (FrameCount() >= MaxFrames)
        return false;
    FrameNames.push_back(std::move(name));
    return true;
}

void Project::FreeRegions()
{
    selection = {};
    Regions.clear();
}

void Project::RegionListChanged()
{
    selection.followList(Regions);
}

void Project::ForgetFileFindings()
{
    UnreadParts.clear();
    MisreadRows.clear();
}

void Project::ResetBeforeLoading()
{
    FreeRegions();
    ForgetFileFindings();
    FrameNames.clear();
    CurrentFrame = -1;
    LockObj = false;
    PreFilterFile.clear();
}

void Project::ResetForNew()
{
    FreeRegions();
    ForgetFileFindings();
    FrameNames.clear();
    FrameStatus.fill(FrameUnchecked);
    CurrentFrame = 0;
    LockObj = false;
    FrameAreaWidth = NewProjectFrameArea;
    FrameAreaHeight = NewProjectFrameArea;
}

void SetFilenames(Region& region, int row, std::string input, std::string output)
{
    if (row < 1 || row > WorksheetRows)
        return;
    region.InputFrame.set(row - 1, std::move(input));
    region.OutputFile.set(row - 1, std::move(output));
}

}  // namespace tolv
