#include "cli/cli_commands.h"
#include "cli/console_log.h"
#include "project/out_of_memory.h"

#include <iostream>
#include <new>
#include <stdexcept>

namespace {

// Every command runs inside the parse, so this is the top of each of them:
// memory running out anywhere ends the command with a message, not a core dump.
int ReportOutOfMemory()
{
    tolv::cli::PrintError(tolv::OutOfMemoryMessage);
    return 3;
}

// Lists each name of an option once, a --name / --no-name pair as the two
// flags, without the value each of them stores.
class HelpFormatter : public CLI::Formatter {
public:
    std::string make_option_name(const CLI::Option* option, bool positional) const override
    {
        if (positional) {
            return option->get_name(true, false);
        }
        std::string names;
        for (const std::string& name : option->get_snames()) {
            names += (names.empty() ? "-" : ", -") + name;
        }
        for (const std::string& name : option->get_lnames()) {
            names += (names.empty() ? "--" : ", --") + name;
        }
        return names;
    }
};

// The first word that is not an option names the command; the parser would
// only say that a command is missing.
bool UnknownCommand(const CLI::App& app, int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.empty() || word.front() == '-') {
            continue;
        }
        std::string commands;
        for (const CLI::App* command : app.get_subcommands({})) {
            if (command->check_name(word)) {
                return false;
            }
            commands += (commands.empty() ? "" : ", ") + command->get_name();
        }
        tolv::cli::PrintError("unknown command '" + word + "'; the commands are: " + commands);
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    CLI::App app{"tolvane-cli: extract, check, show and resave Tolvane projects without the desktop program"};
    app.formatter(std::make_shared<HelpFormatter>());
    app.set_version_flag("--version", std::string("tolvane-cli ") + TOLV_VERSION);
    app.require_subcommand(1);

    int exitCode = 0;
    tolv::cli::AddExtractCommand(app, exitCode);
    tolv::cli::AddCheckCommand(app, exitCode);
    tolv::cli::AddShowCommand(app, exitCode);
    tolv::cli::AddResaveCommand(app, exitCode);
    tolv::cli::AddFillCommand(app, exitCode);
    tolv::cli::AddSheetCommand(app, exitCode);
    if (UnknownCommand(app, argc, argv)) {
        return 2;
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) {
        return app.exit(done);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return 2;
    } catch (const std::bad_alloc&) {
        return ReportOutOfMemory();
    } catch (const std::length_error&) {
        return ReportOutOfMemory();
    }
    // Output that never arrived is a failed command, whatever it found.
    return tolv::cli::StandardOutputWritten() ? exitCode : 3;
}
