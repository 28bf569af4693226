#include "gui/app/command_line.h"

#include <cstdio>

namespace tolv::gui {

namespace {

const char* const Usage = "Usage: tolvane [--dark] [PROJECT.qvl]\n";

// Qt's own options, which QApplication takes out of the arguments. Those with
// a value take it from the next argument unless it is written "-name=value".
const QStringList QtOptionsWithValue{"platform",        "platformpluginpath", "platformtheme", "plugin",
                                     "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                     "display",         "geometry",           "style",         "stylesheet"};
const QStringList QtFlags{"reverse", "widgetcount", "qmljsdebugger"};

bool IsOption(const QString& argument)
{
    return argument.size() > 1 && argument.startsWith('-');
}

// "-style=fusion" and "--style" both name "style", as Qt reads them.
QString QtOptionName(const QString& argument)
{
    const QString name = argument.mid(argument.startsWith("--") ? 2 : 1);
    return name.section('=', 0, 0);
}

bool IsQtOption(const QString& argument)
{
    const QString name = QtOptionName(argument);
    return QtOptionsWithValue.contains(name) || QtFlags.contains(name);
}

bool TakesNextArgument(const QString& argument)
{
    return QtOptionsWithValue.contains(QtOptionName(argument)) && !argument.contains('=');
}

CommandLine Answer(CommandLine::Request request)
{
    CommandLine commandLine;
    commandLine.request = request;
    return commandLine;
}

CommandLine Rejection(const QString& mistake)
{
    CommandLine commandLine = Answer(CommandLine::Request::RejectUsage);
    commandLine.mistake = mistake;
    return commandLine;
}

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine commandLine;
    bool optionsEnded = false;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        if (optionsEnded || !IsOption(argument))
            commandLine.projects << argument;
        else if (argument == "--")
            optionsEnded = true;
        else if (argument == "-h" || argument == "--help")
            return Answer(CommandLine::Request::ShowHelp);
        else if (argument == "--version")
            return Answer(CommandLine::Request::ShowVersion);
        else if (argument == "--dark")
            commandLine.dark = true;
        else if (!IsQtOption(argument))
            return Rejection("unknown option " + argument);
        else if (TakesNextArgument(argument))
            ++index;
    }
    if (commandLine.projects.size() > 1)
        return Rejection("more than one project: " + commandLine.projects.join(' '));
    return commandLine;
}

QStringList ArgumentsAfterProgramName(int argc, char* argv[])
{
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

QString HelpText()
{
    return QString(Usage)
           + "Opens the project, or the default project, in the Tolvane window.\n"
             "\n"
             "  -h, --help   show this help and exit\n"
             "  --version    show the version and exit\n"
             "  --dark       light text on dark grey, whatever the desktop's colours\n"
             "\n"
             "Qt's own options, such as -style and -platform, are accepted as well.\n"
             "tolvane-cli extracts and checks projects without a window.\n";
}

QString VersionText()
{
    return QStringLiteral("tolvane " TOLV_VERSION "\n");
}

int AnswerWithoutWindow(const CommandLine& commandLine)
{
    switch (commandLine.request) {
    case CommandLine::Request::ShowHelp:
        Print(stdout, HelpText());
        return 0;
    case CommandLine::Request::ShowVersion:
        Print(stdout, VersionText());
        return 0;
    case CommandLine::Request::RejectUsage:
        Print(stderr, "tolvane: " + commandLine.mistake + "\n" + Usage + "Try 'tolvane --help' for more.\n");
        return 2;
    case CommandLine::Request::OpenWindow:
        break;
    }
    return 0;
}

}  // namespace tolv::gui
