#pragma once

#include <QString>
#include <QStringList>

namespace tolv::gui {

// What the command line of the desktop program asks for. It is read before
// the application object exists, so that help, version and usage errors need
// neither a display nor a window.
struct CommandLine {
    enum class Request { OpenWindow, ShowHelp, ShowVersion, RejectUsage };
    Request request = Request::OpenWindow;
    // The project to open (at most one), for OpenWindow.
    QStringList projects;
    // --dark: the program's own dark look, whatever the desktop's.
    bool dark = false;
    // What was wrong, for RejectUsage.
    QString mistake;
};

// Reads the arguments that follow the program name. Qt's own options (-style,
// -platform, ...) and their values are left to QApplication; "--" ends the
// options, so a project name may start with "-".
CommandLine ParseCommandLine(const QStringList& arguments);

// The arguments of main() that follow the program name.
QStringList ArgumentsAfterProgramName(int argc, char* argv[]);

QString HelpText();
QString VersionText();

// Prints the help or the version to stdout, or the mistake and a short usage
// to stderr. Returns the process's exit code: 0, or 2 for a usage error.
int AnswerWithoutWindow(const CommandLine& commandLine);

}  // namespace tolv::gui
