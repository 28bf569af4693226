#pragma once

#include "platform/image/png_codec.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tolv {

constexpr const char* SettingsFileName = "Tolvane.ini";
constexpr std::size_t MaxRecentProjects = 8;

// The main window's geometry on the screen, in pixels, without its frame.
struct WindowPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The values that belong to the program rather than to a project. They are read
// once at start-up and written once at shutdown.
struct Settings {
    // Holds the settings file and the default project; ends in a separator.
    std::string ProgramFolder;
    // Initial folders of the project file dialogs and of the overlay picture dialog.
    std::string ProjectsRoot;
    std::string OverlaysRoot;
    // Interval of the animation timer, in milliseconds.
    int AnimationDelay = 400;
    // The compression of PNG outputs of the window's runs, 0 (fastest) to 9
    // (smallest).
    int PngLevel = DefaultPngLevel;
    // The project files last opened or saved, most recent first, each once
    // (paths compared as given), at most MaxRecentProjects.
    std::vector<std::string> RecentProjects;
    // The folder a project file dialog was last left in; empty before the first.
    std::string LastFolder;
    // Where the main window was when the settings were last written; none
    // until it has been placed once.
    std::optional<WindowPlace> Window;
    // The arrangement of the main window's panels as the window saved it
    // (Base64 text, opaque here); empty until the window was first closed.
    std::string Panels;
};

// ProgramFolder joined with the settings file name.
std::string SettingsFilePath(const Settings& settings);

// Reads the settings file in settings.ProgramFolder. A missing or unreadable
// file, or a missing key, gives the default: `defaultRoot` for both folders, 400
// for AnimationDelay, DefaultPngLevel for PngLevel (a level beyond 0..9 is
// taken to the nearer end), no recent projects, no last folder, no window place. A
// delay below 1 is read as 1, since a zero timer would spin; empty and repeated
// recent entries are skipped, and a window place needs a width and a height.
void LoadDefaults(Settings& settings, const std::string& defaultRoot);
// LoadDefaults with the user's home folder as the default root.
void LoadDefaults(Settings& settings);

// Updates the settings' keys in place, leaving the rest of the file as it is,
// or creates the file. Every recent slot is written, empty ones blank, so that
// a shorter list leaves no stale entries behind. Raises FileWriteError with the
// file path.
void SaveDefaults(const Settings& settings);

// Puts `path` first among the recent projects, dropping an earlier entry of
// it and whatever falls beyond MaxRecentProjects.
void AddRecentProject(Settings& settings, const std::string& path);

}  // namespace tolv
