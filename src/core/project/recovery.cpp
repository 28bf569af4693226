#include "project/recovery.h"

#include "platform/errors.h"
#include "platform/io/files.h"
#include "platform/io/inifile.h"
#include "platform/io/stable_hash.h"
#include "platform/io/text_encoding.h"
#include "project/project_file.h"
#include "project/project_identity.h"
#include "project/recovery_folder.h"
#include "project/recovery_lock.h"
#include "settings/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace tolv {

namespace {

// Room for the hash, the tag and the longest ending (".recovery" and the
// ".unreadable-" time of a file set aside) within the 255 bytes of a name.
constexpr std::size_t MaxProjectNamePart = 160;

constexpr const char* RecoveryEnding = ".recovery";
constexpr const char* LockEnding = ".lock";

std::string StateHome()
{
    const char* configured = std::getenv("XDG_STATE_HOME");
    if (configured && configured[0] == '/')
        return configured;
    return JoinPath(HomeFolder(), ".local/state");
}

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// "PID-N": digits, a dash, digits.
bool IsTag(std::string_view text)
{
    const std::size_t dash = text.find('-');
    const auto digits = [](std::string_view part) {
        return !part.empty() && std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return dash != std::string_view::npos && digits(text.substr(0, dash)) && digits(text.substr(dash + 1));
}

// The tag of a file of the project's `stem` with that `ending`; nothing for
// any other name.
std::optional<std::string> TagIn(std::string_view name, const std::string& stem, std::string_view ending)
{
    if (name.size() <= stem.size() + 1 + ending.size() || !name.starts_with(stem) || name[stem.size()] != '.'
        || !name.ends_with(ending))
        return std::nullopt;
    const std::string_view tag = name.substr(stem.size() + 1, name.size() - stem.size() - 1 - ending.size());
    return IsTag(tag) ? std::optional<std::string>(tag) : std::nullopt;
}

bool CarriesTag(std::string_view name, const std::string& tag)
{
    return name.ends_with("." + tag + RecoveryEnding) || name.ends_with("." + tag + LockEnding);
}

std::optional<std::time_t> ModifiedAt(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info.st_mtime;
}

// What a project text holds, as the reader would find it.
struct TextContent {
    std::size_t regionSections = 0;
    std::size_t frameNames = 0;
};

TextContent ContentOf(const IniReader& ini)
{
    TextContent content;
    for (const std::string& section : ini.sectionNames())
        content.regionSections += RegionSectionNumber(section) > 0;
    for (const char* section : {"Frames", "Backgrounds"})
        for (int key = 1; key <= MaxFrames; ++key)
            content.frameNames += !ini.readString(section, std::to_string(key), "").empty();
    content.frameNames = std::min<std::size_t>(content.frameNames, MaxFrames);
    return content;
}

bool LoadsLessThanItHolds(const Project& loaded, const std::string& text)
{
    const TextContent held = ContentOf(IniReader::FromText(text));
    return loaded.Regions.size() < held.regionSections || std::size_t(loaded.FrameCount()) < held.frameNames;
}

}  // namespace

std::string DefaultRecoveryFolder()
{
    return JoinPath(StateHome(), "tolvane/recovery");
}

std::string RecoveryStem(const std::string& projectPath)
{
    const std::string absolute = AbsolutePath(projectPath);
    return std::string(Utf8Prefix(NamePart(absolute), MaxProjectNamePart)) + "." + StableHash().add(absolute).hex();
}

std::string RecoveryName(const std::string& stem, const std::string& tag)
{
    return stem + "." + tag + RecoveryEnding;
}

std::string LockName(const std::string& stem, const std::string& tag)
{
    return stem + "." + tag + LockEnding;
}

std::string NewWindowTag(const RecoveryFolder& folder)
{
    static std::atomic<unsigned> windows{0};
    const std::vector<std::string> names = folder.names();
    for (;;) {
        const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(++windows);
        if (std::none_of(names.begin(), names.end(), [&tag](const std::string& name) { return CarriesTag(name, tag); }))
            return tag;
    }
}

bool OpenInAnotherWindow(const RecoveryFolder& folder, const std::string& projectPath, const std::string& ownTag)
{
    const std::string stem = RecoveryStem(projectPath);
    for (const std::string& name : folder.names()) {
        const std::optional<std::string> tag = TagIn(name, stem, LockEnding);
        if (tag && *tag != ownTag && LockIsHeld(folder, name))
            return true;
    }
    return false;
}

std::vector<RecoveryOffer> LeftBehindRecoveries(const RecoveryFolder& folder, const std::string& projectPath)
{
    const std::string stem = RecoveryStem(projectPath);
    const std::optional<std::time_t> projectWritten = ModifiedAt(projectPath);
    std::vector<RecoveryOffer> offers;
    for (const std::string& name : folder.names()) {
        const std::optional<std::string> tag = TagIn(name, stem, RecoveryEnding);
        const bool earlierVersions = name == stem + RecoveryEnding;
        if ((!tag && !earlierVersions) || (tag && LockIsHeld(folder, LockName(stem, *tag))))
            continue;
        if (const std::optional<std::time_t> written = folder.writtenAt(name))
            offers.push_back({name, *written, projectWritten && *projectWritten > *written});
    }
    std::stable_sort(offers.begin(), offers.end(),
                     [](const RecoveryOffer& a, const RecoveryOffer& b) { return a.WrittenAt > b.WrittenAt; });
    return offers;
}

void LoadRecovery(Project& project, const std::string& recoveryPath, const std::string& projectPath)
{
    // A file gone since it was found would otherwise load as an empty project.
    const std::string text = ReadProjectFile(recoveryPath);
    if (text.empty())
        throw FileReadError(recoveryPath);
    Project recovered;
    LoadProjectText(recovered, FolderPart(projectPath), NamePart(projectPath), text);
    if (recovered.ReadIncompletely() || LoadsLessThanItHolds(recovered, text))
        throw FileReadError(recoveryPath);
    project = std::move(recovered);
}

std::string SetRecoveryAside(const RecoveryFolder& folder, const std::string& name)
{
    const std::string aside = name + ".unreadable-" + std::to_string(std::time(nullptr));
    return folder.rename(name, aside) ? folder.pathOf(aside) : std::string();
}

}  // namespace tolv
