#include "cli/cli_commands.h"

#include <iostream>

namespace tolv::cli {

void AddCheckCommand(CLI::App& app, int& exitCode)
{
    app.add_subcommand("check", "not built yet")->callback([&exitCode] {
        std::cerr << "tolvane-cli: check is not built yet\n";
        exitCode = 2;
    });
}

}  // namespace tolv::cli
