#include "cli/cli_commands.h"

#include <iostream>

namespace tolv::cli {

void AddResaveCommand(CLI::App& app, int& exitCode)
{
    app.add_subcommand("resave", "not built yet")->callback([&exitCode] {
        std::cerr << "tolvane-cli: resave is not built yet\n";
        exitCode = 2;
    });
}

}  // namespace tolv::cli
