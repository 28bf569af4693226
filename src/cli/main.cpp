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
    std::cerr << "tolvane-cli: " << tolv::OutOfMemoryMessage << '\n';
    return 3;
}

}  // namespace

int main(int argc, char* argv[])
{
    CLI::App app{"tolvane-cli: extract, check, show and resave Tolvane projects without the desktop program"};
    app.set_version_flag("--version", std::string("tolvane-cli ") + TOLV_VERSION);
    app.require_subcommand(1);

    int exitCode = 0;
    tolv::cli::AddExtractCommand(app, exitCode);
    tolv::cli::AddCheckCommand(app, exitCode);
    tolv::cli::AddShowCommand(app, exitCode);
    tolv::cli::AddResaveCommand(app, exitCode);
    tolv::cli::AddFillCommand(app, exitCode);

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
