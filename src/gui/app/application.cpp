#include "gui/app/application.h"

#include "gui/app/command_line.h"
#include "gui/app/dark_look.h"
#include "gui/app/program_icon.h"
#include "gui/app/program_windows.h"
#include "gui/app/session_guard.h"
#include "gui/mainwindow/main_window.h"
#include "project/recovery.h"
#include "settings/program_folder.h"

#include <QApplication>

namespace tolv::gui {

int RunApplication(int argc, char* argv[])
{
    const CommandLine commandLine = ParseCommandLine(ArgumentsAfterProgramName(argc, argv));
    if (commandLine.request != CommandLine::Request::OpenWindow)
        return AnswerWithoutWindow(commandLine);

    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvane");
    QApplication::setApplicationVersion(TOLV_VERSION);
    QGuiApplication::setDesktopFileName(DesktopName);
    QApplication::setWindowIcon(ProgramIcon());
    if (commandLine.dark)
        UseDarkLook();

    StartupOptions startup;
    startup.ProgramFolder = ProgramFolderOfThisProcess();
    startup.ExecutableFolder = ExecutableFolder();
    startup.Arguments = commandLine.projects;
    startup.RecoveryFolder = DefaultRecoveryFolder();

    ProgramWindows windows(startup);
    InstallSessionGuard(app, [&windows] { windows.main().saveSession(); });
    windows.main().show();
    return app.exec();
}

}  // namespace tolv::gui
