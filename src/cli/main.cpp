// tamboro-cli: the headless front end over the engine. Errors go to stderr with a non-zero status.

#include "cli/CliCommand.h"
#include "common/Error.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace tamboro::cli {

std::vector<CliCommand>& cliCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

} // namespace tamboro::cli

namespace {

void printUsage(std::FILE* to) {
    std::fprintf(to, "usage: tamboro-cli --version | --help | COMMAND [ARGS...]\n");
    auto commands = tamboro::cli::cliCommands();
    std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const auto& c : commands)
        std::fprintf(to, "  %s\n", c.usage.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--version") {
        std::printf("tamboro-cli %s\n", TAMBORO_VERSION);
        return 0;
    }
    if (first == "--help" || first == "-h") {
        printUsage(stdout);
        return 0;
    }
    for (const auto& command : tamboro::cli::cliCommands()) {
        if (command.name == first) {
            try {
                return command.run(tamboro::cli::CliArgs(argv + 2, argv + argc));
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
                return 1;
            }
        }
    }
    std::fprintf(stderr, "tamboro-cli: unknown command \"%s\"\n", first.c_str());
    printUsage(stderr);
    return 2;
}
