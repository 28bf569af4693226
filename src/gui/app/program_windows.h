#pragma once

#include <memory>

namespace tolv::gui {

class MainWindow;
class RegionPropertiesDialog;
class PreferencesDialog;
class ProjectSetupDialog;
class ExtractionDialog;
class AboutDialog;
class ResultsWindow;
struct StartupOptions;

// The program's windows, created once: the dialogs start hidden and keep
// their controls' states between uses; the main window is handed the ones
// it runs, and their help requests go to its help router. The main window
// is destroyed first (it writes the settings), then the dialogs.
class ProgramWindows {
public:
    explicit ProgramWindows(const StartupOptions& startup);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    MainWindow& main() { return *mainWindow_; }
    RegionPropertiesDialog& regionProperties() { return *regionProperties_; }
    ProjectSetupDialog& projectSetup() { return *projectSetup_; }
    PreferencesDialog& preferences() { return *preferences_; }
    ExtractionDialog& extraction() { return *extraction_; }
    ResultsWindow& results() { return *results_; }
    AboutDialog& about() { return *about_; }

private:
    std::unique_ptr<RegionPropertiesDialog> regionProperties_;
    std::unique_ptr<ProjectSetupDialog> projectSetup_;
    std::unique_ptr<PreferencesDialog> preferences_;
    std::unique_ptr<ExtractionDialog> extraction_;
    std::unique_ptr<ResultsWindow> results_;
    std::unique_ptr<AboutDialog> about_;
    std::unique_ptr<MainWindow> mainWindow_;
};

}  // namespace tolv::gui
