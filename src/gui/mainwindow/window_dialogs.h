#pragma once

namespace tolv::gui {

class AboutDialog;
class ExtractionDialog;
class PreferencesDialog;
class ProjectSetupDialog;
class RegionPropertiesDialog;
class ResultsWindow;

// The dialogs the main window runs; created once and kept by the program,
// so that their controls keep their states between uses.
struct WindowDialogs {
    RegionPropertiesDialog& regionProperties;
    ProjectSetupDialog& projectSetup;
    PreferencesDialog& preferences;
    ExtractionDialog& extraction;
    ResultsWindow& results;
    AboutDialog& about;
};

}  // namespace tolv::gui
