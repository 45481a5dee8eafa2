// tamboro-cli play from the outside: refusals with a non-zero status, and a pattern played into a
// recording that holds every click.

#include "kits/Wave.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

int runCli(const std::string& arguments) {
    const std::string command = std::string("'") + TAMBORO_CLI + "' play " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PlayCommand, RefusesBadArguments) {
    const fs::path dir = fs::temp_directory_path() / ("tamboro-play-refusals-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string d = " --dir '" + dir.string() + "'";
    const std::string cases[] = {
        "",                                                    // no pattern
        "Missing" + d + " --audio null",                       // no such pattern file
        "Clicks --audio null --capture x.wav --audio default", // capture needs the null device
        "Clicks --bpm 0 --audio null",                         // no tempo below 1
        "Clicks --seconds -1 --audio null",
        "Clicks --audio loud",
        "Clicks --frobnicate",
        "A B --audio null",
    };
    for (const auto& args : cases)
        EXPECT_NE(runCli(args), 0) << args;
    fs::remove_all(dir);
}

TEST(PlayCommand, PlaysAPatternIntoARecording) {
    const fs::path dir = fs::temp_directory_path() / ("tamboro-play-clicks-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    writeClickPattern(dir, 8, 240);
    const fs::path out = dir / "out.wav";
    ASSERT_EQ(runCli("Clicks.pat --dir '" + dir.string() + "' --kit '" + (dir / kClickKitFile).string() +
                     "' --audio null --capture '" + out.string() + "'"),
              0);
    const Wave wave = Wave::readFile(out);
    std::vector<std::int16_t> samples(wave.data().size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(wave.data()[2 * i] | (wave.data()[2 * i + 1] << 8));
    EXPECT_EQ(findOnsets(samples, 2, kClickLevel / 2, 1000).size(), 8u);
    fs::remove_all(dir);
}

} // namespace
} // namespace tamboro
