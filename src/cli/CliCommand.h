#pragma once
// Sub-commands of tamboro-cli. Each command file registers itself with a static CliRegistration,
// so adding a command touches no other file.

#include <functional>
#include <string>
#include <vector>

namespace tamboro::cli {

using CliArgs = std::vector<std::string>;

struct CliCommand {
    std::string name;
    std::string usage;                      // one line, shown by --help
    std::function<int(const CliArgs&)> run; // arguments after the command name; returns exit status
};

std::vector<CliCommand>& cliCommands();

struct CliRegistration {
    explicit CliRegistration(CliCommand command) { cliCommands().push_back(std::move(command)); }
};

} // namespace tamboro::cli
