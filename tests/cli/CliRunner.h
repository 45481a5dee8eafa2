#pragma once
// Runs tamboro-cli with arguments and collects its exit status, standard output and error.

#include <string>
#include <vector>

namespace tamboro::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult runCli(const std::vector<std::string>& args);

} // namespace tamboro::test
