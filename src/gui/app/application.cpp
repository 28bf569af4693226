#include "gui/app/application.h"

#include "gui/app/windows.h"
#include "gui/project/main_form.h"
#include "project/program_folder.h"

#include <QApplication>

namespace tolv::gui {

int RunApplication(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvane");

    StartupOptions startup;
    startup.ProgramFolder = ProgramFolderOfThisProcess();
    startup.ExecutableFolder = ExecutableFolder();
    startup.Arguments = QApplication::arguments().mid(1);

    Windows windows(startup);
    windows.Main().show();
    return app.exec();
}

}  // namespace tolv::gui
