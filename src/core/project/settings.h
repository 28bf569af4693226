#pragma once

#include <string>

namespace tolv {

constexpr const char* SettingsFileName = "Tolvane.ini";

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
};

// ProgramFolder joined with the settings file name.
std::string SettingsFilePath(const Settings& settings);

// Reads the settings file in settings.ProgramFolder. A missing or unreadable
// file, or a missing key, gives the default: `defaultRoot` for both folders, 400
// for AnimationDelay. A delay below 1 is read as 1, since a zero timer would spin.
void LoadDefaults(Settings& settings, const std::string& defaultRoot);
// LoadDefaults with the user's home folder as the default root.
void LoadDefaults(Settings& settings);

// Updates the three keys in place, leaving the rest of the file as it is, or
// creates the file. Raises FileWriteError with the file path.
void SaveDefaults(const Settings& settings);

}  // namespace tolv
