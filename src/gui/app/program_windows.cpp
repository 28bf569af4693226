#include "gui/app/program_windows.h"

#include "gui/common/help_router.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/preferences_dialog.h"
#include "gui/dialogs/project_setup_dialog.h"
#include "gui/dialogs/region_properties_dialog.h"
#include "gui/extract/extraction_dialog.h"
#include "gui/extract/results_window.h"
#include "gui/mainwindow/main_window.h"

namespace tolv::gui {

ProgramWindows::ProgramWindows(const StartupOptions& startup)
    : regionProperties_(std::make_unique<RegionPropertiesDialog>()),
      projectSetup_(std::make_unique<ProjectSetupDialog>()), preferences_(std::make_unique<PreferencesDialog>()),
      extraction_(std::make_unique<ExtractionDialog>()), results_(std::make_unique<ResultsWindow>()),
      about_(std::make_unique<AboutDialog>())
{
    mainWindow_ = std::make_unique<MainWindow>(
        startup, WindowDialogs{*regionProperties_, *projectSetup_, *preferences_, *extraction_, *results_, *about_});
    HelpRouter& help = mainWindow_->helpRouter();
    for (HelpDialog* dialog : std::initializer_list<HelpDialog*>{regionProperties_.get(), projectSetup_.get(),
                                                                 preferences_.get(), extraction_.get()})
        QObject::connect(dialog, &HelpDialog::helpRequested, dialog,
                         [&help](const QString& topic) { help.showTopic(topic); });
}

ProgramWindows::~ProgramWindows()
{
    mainWindow_.reset();
}

}  // namespace tolv::gui
