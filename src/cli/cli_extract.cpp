#include "cli/cli_commands.h"

#include <iostream>

namespace tolv::cli {

void AddExtractCommand(CLI::App& app, int& exitCode)
{
    app.add_subcommand("extract", "not built yet")->callback([&exitCode] {
        std::cerr << "tolvane-cli: extract is not built yet\n";
        exitCode = 2;
    });
}

}  // namespace tolv::cli
