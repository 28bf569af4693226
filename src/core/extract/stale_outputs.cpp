#include "extract/stale_outputs.h"

#include "extract/output_name.h"
#include "platform/io/files.h"
#include "platform/io/open_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>

namespace tolv {

namespace {

const std::string OutputPrefix = std::string(OutputFolderName) + "/";

// The name below VidIziz, or nothing for a file recorded elsewhere.
std::optional<std::string> NameInOutputFolder(const std::string& file)
{
    if (!file.starts_with(OutputPrefix)) {
        return std::nullopt;
    }
    std::string name = file.substr(OutputPrefix.size());
    if (name.empty() || IsUnsafeOutputName(name)) {
        return std::nullopt;
    }
    return name;
}

}  // namespace

std::vector<OutputRecord> StaleOutputs(const std::vector<OutputRecord>& earlier, const std::vector<OutputRecord>& made,
                                       const std::string& projectFolder)
{
    std::set<std::string> current;
    for (const OutputRecord& output : made) {
        current.insert(output.file);
    }
    std::vector<OutputRecord> stale;
    for (const OutputRecord& output : earlier) {
        if (!current.contains(output.file) && StampOf(JoinPath(projectFolder, output.file))) {
            current.insert(output.file);
            stale.push_back(output);
        }
    }
    std::sort(stale.begin(), stale.end(), [](const auto& a, const auto& b) { return a.file < b.file; });
    return stale;
}

PruneOutcome PruneStaleOutput(const std::string& projectFolder, const OutputRecord& stale)
{
    const std::optional<std::string> name = NameInOutputFolder(stale.file);
    const OpenFolder project = OpenFolder::Open(projectFolder);
    if (!name || !project.isOpen() || project.kindOf(OutputFolderName) != EntryKind::Folder) {
        return PruneOutcome::Outside;
    }
    const OutputPlace place = LocateOutput(project.subFolder(OutputFolderName), *name);
    if (place.reach == OutputReach::ThroughLink) {
        return PruneOutcome::NotAFile;
    }
    if (place.reach != OutputReach::Ready) {
        return PruneOutcome::Gone;
    }
    struct stat info {};
    if (::fstatat(place.folder.fd(), place.fileName.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return PruneOutcome::Gone;
    }
    if (!S_ISREG(info.st_mode)) {
        return PruneOutcome::NotAFile;
    }
    if (StampOfIdentity(IdentityFromStat(info)) != stale.stamp) {
        return PruneOutcome::Changed;
    }
    return ::unlinkat(place.folder.fd(), place.fileName.c_str(), 0) == 0 ? PruneOutcome::Removed
                                                                         : PruneOutcome::NotRemoved;
}

std::string PruneOutcomeText(PruneOutcome outcome)
{
    switch (outcome) {
    case PruneOutcome::Removed:
        return "removed";
    case PruneOutcome::Gone:
        return "no longer there";
    case PruneOutcome::Changed:
        return "left alone: changed since the run that wrote it";
    case PruneOutcome::NotAFile:
        return "left alone: not a plain file";
    case PruneOutcome::Outside:
        return "left alone: not inside VidIziz";
    case PruneOutcome::NotRemoved:
        return "left alone: could not be removed";
    }
    return {};
}

}  // namespace tolv
