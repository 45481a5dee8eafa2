#include "cli/CliRunner.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tamboro::test {

namespace {

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

CliResult runCli(const std::vector<std::string>& args) {
    const auto base = std::filesystem::temp_directory_path() / ("tamboro-cli-" + std::to_string(::getpid()));
    const auto outFile = base.string() + ".out";
    const auto errFile = base.string() + ".err";
    std::string command = quote(TAMBORO_CLI);
    for (const auto& a : args)
        command += " " + quote(a);
    command += " >" + quote(outFile) + " 2>" + quote(errFile) + " </dev/null";
    CliResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = slurp(outFile);
    result.err = slurp(errFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return result;
}

} // namespace tamboro::test
