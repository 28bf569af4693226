#include "settings/program_folder.h"

#include "platform/io/files.h"
#include "settings/settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace tolv {

namespace {

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string AccountHome()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

bool KeepsItsOwnSettings(const std::string& executableFolder)
{
    return FileExists(JoinPath(executableFolder, BuildTreeMarkerName))
           || FileExists(JoinPath(executableFolder, SettingsFileName));
}

}  // namespace

std::string ChooseProgramFolder(const std::string& executableFolder, const std::string& configHome)
{
    if (KeepsItsOwnSettings(executableFolder))
        return WithSeparator(executableFolder);
    const std::string folder = JoinPath(configHome, "tolvane");
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return WithSeparator(folder);
}

std::string ProgramFolderOfThisProcess()
{
    return ChooseProgramFolder(ExecutableFolder(), ConfigHome());
}

std::string ExecutableFolder()
{
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return WithSeparator(std::filesystem::current_path(error).string());
    return WithSeparator(executable.parent_path().string());
}

std::string ConfigHome()
{
    const std::string configured = EnvironmentValue("XDG_CONFIG_HOME");
    if (!configured.empty() && configured.front() == '/')
        return configured;
    return JoinPath(HomeFolder(), ".config");
}

std::string HomeFolder()
{
    std::string home = EnvironmentValue("HOME");
    if (home.empty())
        home = AccountHome();
    return home.empty() ? "/" : home;
}

}  // namespace tolv
