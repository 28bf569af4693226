#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char* argv[])
{
    CLI::App app{"tolvane-cli: extract, check, show and resave Tolvane projects without the desktop program"};
    app.set_version_flag("--version", std::string("tolvane-cli ") + TOLV_VERSION);
    app.require_subcommand(0, 1);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 2;
    }
    if (argc == 1) {
        std::cout << app.help();
        return 2;
    }
    return 0;
}
