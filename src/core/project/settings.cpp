#include "project/settings.h"

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/inifile.h"
#include "project/program_folder.h"

#include <algorithm>

namespace tolv {

namespace {

constexpr const char* PathsSection = "Paths";
constexpr const char* MainSection = "Main";
constexpr const char* ProjectsKey = "Projects";
constexpr const char* OverlaysKey = "Overlays";
constexpr const char* AnimationDelayKey = "AnimationDelay";
constexpr int DefaultAnimationDelay = 400;

IniReader ReadSettingsFile(const std::string& path)
{
    try {
        return IniReader::FromFile(path);
    } catch (const FileReadError&) {
        // Settings are a convenience: start-up goes on with the defaults.
        return IniReader();
    }
}

}  // namespace

std::string SettingsFilePath(const Settings& settings)
{
    return JoinPath(settings.ProgramFolder, SettingsFileName);
}

void LoadDefaults(Settings& settings, const std::string& defaultRoot)
{
    const IniReader ini = ReadSettingsFile(SettingsFilePath(settings));
    settings.ProjectsRoot = ini.readString(PathsSection, ProjectsKey, defaultRoot);
    settings.OverlaysRoot = ini.readString(PathsSection, OverlaysKey, defaultRoot);
    settings.AnimationDelay = std::max(1, ini.readInteger(MainSection, AnimationDelayKey, DefaultAnimationDelay));
}

void LoadDefaults(Settings& settings)
{
    LoadDefaults(settings, HomeFolder());
}

void SaveDefaults(const Settings& settings)
{
    UpdateIniKeys(SettingsFilePath(settings), {
                                                  {PathsSection, ProjectsKey, settings.ProjectsRoot},
                                                  {PathsSection, OverlaysKey, settings.OverlaysRoot},
                                                  {MainSection, AnimationDelayKey, std::to_string(settings.AnimationDelay)},
                                              });
}

}  // namespace tolv
