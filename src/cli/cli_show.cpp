#include "cli/cli_commands.h"

#include <iostream>

namespace tolv::cli {

void AddShowCommand(CLI::App& app, int& exitCode)
{
    app.add_subcommand("show", "not built yet")->callback([&exitCode] {
        std::cerr << "tolvane-cli: show is not built yet\n";
        exitCode = 2;
    });
}

}  // namespace tolv::cli
