#include "project/recovery.h"

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/stable_hash.h"
#include "project/program_folder.h"
#include "project/project_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace tolv {

namespace {

// A recovery file holds one project's text; anything larger is not ours.
constexpr std::size_t RecoveryLimit = std::size_t(64) << 20;

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

std::optional<struct stat> StatOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info;
}

bool IsNewer(const struct stat& a, const struct stat& b)
{
    if (a.st_mtim.tv_sec != b.st_mtim.tv_sec)
        return a.st_mtim.tv_sec > b.st_mtim.tv_sec;
    return a.st_mtim.tv_nsec > b.st_mtim.tv_nsec;
}

}  // namespace

std::string DefaultRecoveryFolder()
{
    return JoinPath(StateHome(), "tolvane/recovery");
}

std::string RecoveryFileFor(const std::string& recoveryFolder, const std::string& projectPath)
{
    const std::string absolute = AbsolutePath(projectPath);
    return JoinPath(recoveryFolder, NamePart(absolute) + "." + StableHash().add(absolute).hex() + ".recovery");
}

std::optional<RecoveryOffer> FindRecovery(const std::string& recoveryFolder, const std::string& projectPath)
{
    const std::string path = RecoveryFileFor(recoveryFolder, projectPath);
    const auto recovery = StatOf(path);
    if (!recovery || !S_ISREG(recovery->st_mode))
        return std::nullopt;
    const auto project = StatOf(projectPath);
    if (project && !IsNewer(*recovery, *project))
        return std::nullopt;
    return RecoveryOffer{path, recovery->st_mtim.tv_sec};
}

void WriteRecovery(const std::string& recoveryPath, const std::string& projectText)
{
    const std::filesystem::path folder = FolderPart(recoveryPath);
    std::error_code error;
    if (std::filesystem::create_directories(folder, error))
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    WriteFileAtomically(recoveryPath, projectText);
}

void DiscardRecovery(const std::string& recoveryPath)
{
    ::unlink(recoveryPath.c_str());
}

void LoadRecovery(Project& project, const std::string& recoveryPath, const std::string& projectPath)
{
    const std::string text = ReadWholeFile(recoveryPath, RecoveryLimit);
    CheckProjectText(recoveryPath, text);
    Project recovered;
    LoadProjectText(recovered, FolderPart(projectPath), NamePart(projectPath), text);
    recovered.Modified = true;
    project = std::move(recovered);
}

std::string SetRecoveryAside(const std::string& recoveryPath)
{
    const std::string aside = recoveryPath + ".unreadable-" + std::to_string(std::time(nullptr));
    return ::rename(recoveryPath.c_str(), aside.c_str()) == 0 ? aside : std::string();
}

}  // namespace tolv
