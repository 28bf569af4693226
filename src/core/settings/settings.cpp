#include "settings/settings.h"

#include "platform/errors.h"
#include "platform/io/files.h"
#include "platform/io/inifile.h"
#include "settings/program_folder.h"

#include <algorithm>
#include <tuple>

namespace tolv {

namespace {

constexpr const char* PathsSection = "Paths";
constexpr const char* MainSection = "Main";
constexpr const char* RecentSection = "Recent";
constexpr const char* WindowSection = "Window";
constexpr const char* ProjectsKey = "Projects";
constexpr const char* OverlaysKey = "Overlays";
constexpr const char* AnimationDelayKey = "AnimationDelay";
constexpr const char* PngLevelKey = "PngLevel";
constexpr const char* PanelsKey = "Panels";
constexpr const char* LastFolderKey = "LastFolder";
constexpr const char* LeftKey = "Left";
constexpr const char* TopKey = "Top";
constexpr const char* WidthKey = "Width";
constexpr const char* HeightKey = "Height";
constexpr int DefaultAnimationDelay = 400;

using IniEntries = std::vector<std::tuple<std::string, std::string, std::string>>;

IniReader ReadSettingsFile(const std::string& path)
{
    try {
        return IniReader::FromFile(path);
    } catch (const FileReadError&) {
        // Settings are a convenience: start-up goes on with the defaults.
        return IniReader();
    }
}

void PutFirst(std::vector<std::string>& recent, const std::string& path)
{
    std::erase(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > MaxRecentProjects)
        recent.resize(MaxRecentProjects);
}

// Read from the last slot up, so that a path written twice keeps its first
// slot.
std::vector<std::string> ReadRecentProjects(const IniReader& ini)
{
    std::vector<std::string> recent;
    for (std::size_t slot = MaxRecentProjects; slot >= 1; --slot) {
        const std::string path = ini.readString(RecentSection, std::to_string(slot), "");
        if (!path.empty())
            PutFirst(recent, path);
    }
    return recent;
}

std::optional<WindowPlace> ReadWindowPlace(const IniReader& ini)
{
    const WindowPlace place{ini.readInteger(WindowSection, LeftKey, 0), ini.readInteger(WindowSection, TopKey, 0),
                            ini.readInteger(WindowSection, WidthKey, 0), ini.readInteger(WindowSection, HeightKey, 0)};
    if (place.Width <= 0 || place.Height <= 0)
        return std::nullopt;
    return place;
}

void AddRecentEntries(IniEntries& entries, const std::vector<std::string>& recent)
{
    for (std::size_t slot = 1; slot <= MaxRecentProjects; ++slot)
        entries.emplace_back(RecentSection, std::to_string(slot), slot <= recent.size() ? recent[slot - 1] : "");
}

void AddWindowEntries(IniEntries& entries, const std::optional<WindowPlace>& place)
{
    if (!place)
        return;
    entries.emplace_back(WindowSection, LeftKey, std::to_string(place->Left));
    entries.emplace_back(WindowSection, TopKey, std::to_string(place->Top));
    entries.emplace_back(WindowSection, WidthKey, std::to_string(place->Width));
    entries.emplace_back(WindowSection, HeightKey, std::to_string(place->Height));
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
    settings.PngLevel =
        std::clamp(ini.readInteger(MainSection, PngLevelKey, DefaultPngLevel), MinPngLevel, MaxPngLevel);
    settings.LastFolder = ini.readString(MainSection, LastFolderKey, "");
    settings.RecentProjects = ReadRecentProjects(ini);
    settings.Window = ReadWindowPlace(ini);
    settings.Panels = ini.readString(WindowSection, PanelsKey, "");
}

void LoadDefaults(Settings& settings)
{
    LoadDefaults(settings, HomeFolder());
}

void SaveDefaults(const Settings& settings)
{
    IniEntries entries = {
        {PathsSection, ProjectsKey, settings.ProjectsRoot},
        {PathsSection, OverlaysKey, settings.OverlaysRoot},
        {MainSection, AnimationDelayKey, std::to_string(settings.AnimationDelay)},
        {MainSection, PngLevelKey, std::to_string(settings.PngLevel)},
        {MainSection, LastFolderKey, settings.LastFolder},
    };
    AddRecentEntries(entries, settings.RecentProjects);
    AddWindowEntries(entries, settings.Window);
    if (!settings.Panels.empty())
        entries.emplace_back(WindowSection, PanelsKey, settings.Panels);
    UpdateIniKeys(SettingsFilePath(settings), entries);
}

void AddRecentProject(Settings& settings, const std::string& path)
{
    PutFirst(settings.RecentProjects, path);
}

}  // namespace tolv
