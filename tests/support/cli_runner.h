#pragma once

#include "support/test_files.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace tolv::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs tolvane-cli with `arguments` (already quoted for the shell) after the
// environment assignments in `environment`, capturing both output streams.
inline CliResult RunCli(const std::string& arguments, const std::string& environment = "")
{
    TempDir capture;
    const std::string out = capture.file("out");
    const std::string err = capture.file("err");
    const std::string command = "env -u NO_COLOR " + environment + " '" + std::string(TOLV_CLI) + "' " + arguments
                                + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return CliResult{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
}

}  // namespace tolv::test
