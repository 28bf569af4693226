#pragma once

#include <CLI/CLI.hpp>

namespace tolv::cli {

// Each command registers its subcommand on the application; when the
// subcommand is chosen, its callback runs the command and stores the exit code.
void AddExtractCommand(CLI::App& app, int& exitCode);
void AddSheetCommand(CLI::App& app, int& exitCode);
void AddCheckCommand(CLI::App& app, int& exitCode);
void AddShowCommand(CLI::App& app, int& exitCode);
void AddResaveCommand(CLI::App& app, int& exitCode);
void AddFillCommand(CLI::App& app, int& exitCode);

}  // namespace tolv::cli
